// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/livefeed.h"

#include "event/eventday.h"
#include "feed/eventjson.h"
#include "feed/feedroutes.h"
#include "feed/feedstate.h"
#include "game/game.h"
#include "settings/settingsrecord.h"

#include <QDir>
#include <QFile>

namespace {

// Read once: the pages are the program's own files and never a client's
// choice.
QHash<QString, QByteArray> readWebFiles(const QString &folder)
{
    QHash<QString, QByteArray> files;
    for (const FeedRoutes::Route &route : FeedRoutes::all()) {
        if (route.kind != FeedRoutes::Kind::File)
            continue;
        QFile file(QDir(folder).filePath(QString::fromLatin1(route.file)));
        if (file.open(QIODevice::ReadOnly))
            files.insert(QString::fromLatin1(route.path), file.readAll());
    }
    return files;
}

} // namespace

LiveFeed::LiveFeed(const Game &game, const EventDay *event, const QString &webFolder,
                   const QByteArray &layoutJson, const FeedLimits &limits)
    : m_game(game)
    , m_event(event)
    , m_server(limits)
{
    m_server.setFiles(readWebFiles(webFolder));
    m_server.setDocument(FeedRoutes::Kind::Layout, layoutJson);
    m_due.setSingleShot(true);
    connect(&m_due, &QTimer::timeout, this, &LiveFeed::sendNow);
    // The marks and the penalty colons are shown again at every tick; they
    // change only with a command (an event) or a penalty's figures, so the
    // feed leaves those repaints alone and builds nothing ten times a second.
    // A figure or a colon that changes with no event is the clocks' own
    // ticking, and waits. A command's figures change on its way too; its
    // event follows once they all have, and goes out at once, as does the
    // lamp, told once a command or a new game (which has no event) is done.
    connect(&game, &Game::figureChanged, this, &LiveFeed::ticked);
    connect(&game, &Game::colonChanged, this, &LiveFeed::ticked);
    connect(&game, &Game::lampChanged, this, &LiveFeed::sendNow);
    connect(&game, &Game::changed, this, &LiveFeed::sendNow);
    if (m_event)
        connect(m_event, &EventDay::changed, this, &LiveFeed::eventChanged);
    eventChanged();
}

bool LiveFeed::listen(const QHostAddress &address, quint16 port)
{
    return m_server.listen(address, port);
}

// Within a tick several figures change: the state is built once it is
// done, from the event loop.
void LiveFeed::ticked()
{
    if (m_due.isActive())
        return;
    const qint64 since = m_sinceSent.isValid() ? m_sinceSent.elapsed() : MinGapMs;
    m_due.start(int(qMax<qint64>(0, MinGapMs - since)));
}

// Whatever is due goes with it: the state is whole.
void LiveFeed::sendNow()
{
    m_due.stop();
    const QByteArray state = FeedState::toJson(m_game, settingsRecord(), m_event);
    if (state == m_server.state())
        return;
    m_server.publish(state);
    m_sinceSent.start();
}

void LiveFeed::eventChanged()
{
    const Schedule *schedule = m_event && m_event->isOpen() ? &m_event->schedule() : nullptr;
    m_server.setDocument(FeedRoutes::Kind::Schedule, EventJson::schedule(schedule));
    m_server.setDocument(FeedRoutes::Kind::Standings, EventJson::standings(schedule));
    sendNow();
}
