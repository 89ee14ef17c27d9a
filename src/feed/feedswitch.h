// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/livefeed.h"
#include "settings/displaysettings.h"

#include <QObject>

#include <memory>

class EventDay;
class Game;

// Turns the live feed on and off as the settings say. Off, no socket is
// open and nothing is built for it.
class FeedSwitch : public QObject
{
    Q_OBJECT

public:
    // The event may be null; it outlives the switch.
    FeedSwitch(const Game &game, const EventDay *event, const QString &webFolder,
               const QByteArray &layoutJson);
    ~FeedSwitch() override;

    // Serves as the settings say: a changed address or port starts again
    // on the new one. False, with the reason, when the feed should be on
    // and cannot be: it stays off.
    bool apply(const FeedSettings &settings, QString *reason = nullptr);
    bool serving() const { return bool(m_feed); }
    LiveFeed *feed() const { return m_feed.get(); }

    // Something a client may see has changed outside the game: the
    // settings.
    void settingsChanged();

private:
    const Game &m_game;
    const EventDay *m_event;
    QString m_webFolder;
    QByteArray m_layout;
    FeedSettings m_serving;
    std::unique_ptr<LiveFeed> m_feed;
};
