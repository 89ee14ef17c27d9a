// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/feedswitch.h"

#include <QCoreApplication>

FeedSwitch::FeedSwitch(const Game &game, const EventDay *event, const QString &webFolder,
                       const QByteArray &layoutJson)
    : m_game(game)
    , m_event(event)
    , m_webFolder(webFolder)
    , m_layout(layoutJson)
{
}

FeedSwitch::~FeedSwitch() = default;

bool FeedSwitch::apply(const FeedSettings &settings, QString *reason)
{
    if (m_feed && settings == m_serving)
        return true;
    m_feed.reset();
    if (!settings.on)
        return true;
    const QHostAddress address(settings.address);
    QString why;
    if (address.isNull()) {
        why =
            QCoreApplication::translate("FeedSwitch", "\"%1\" is not an address of this computer.")
                .arg(settings.address);
    } else {
        auto feed = std::make_unique<LiveFeed>(m_game, m_event, m_webFolder, m_layout);
        if (feed->listen(address, settings.port))
            m_feed = std::move(feed);
        else
            why = feed->errorString();
    }
    if (!m_feed && reason)
        *reason = why;
    m_serving = settings;
    return bool(m_feed);
}

void FeedSwitch::settingsChanged()
{
    if (m_feed)
        m_feed->changed();
}
