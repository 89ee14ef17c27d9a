// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/feedserver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class EventDay;
class Game;

// The game told to the feed's clients as it changes, each message the whole
// state. What the operator changed (a command, announced as its event, the
// lamp, or the settings) goes out as soon as the command is done, however
// little time went by since the last message: a typed score must not wait
// behind a clock. Figures that only the clocks' tick moved wait out the rest
// of the 100 ms since the last message, so the ticking alone sends at most
// one message per 100 ms; a second lasts ten ticks, so every second still
// reaches the clients. A state equal to the last one sent is not sent. The
// event's documents are built again at each change of the event, which
// goes out at once too: between matches the state tells the next one. It
// exists only while the feed is on, so off, nothing listens and nothing is
// built.
class LiveFeed : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinGapMs = 100;

    // The event may be null: the feed then tells none open.
    LiveFeed(const Game &game, const EventDay *event, const QString &webFolder,
             const QByteArray &layoutJson, const FeedLimits &limits = {});

    // False, with the reason in errorString(), when the port cannot be had.
    bool listen(const QHostAddress &address, quint16 port);
    QString errorString() const { return m_server.errorString(); }
    FeedServer &server() { return m_server; }

    // Something a client may see has changed outside the game: the
    // settings.
    void changed() { sendNow(); }

private:
    void ticked();
    void sendNow();
    void eventChanged();

    const Game &m_game;
    const EventDay *m_event;
    FeedServer m_server;
    QTimer m_due;
    QElapsedTimer m_sinceSent;
};
