// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/feedserver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class Game;

// The game told to the feed's clients as it changes. What the operator did
// (a command of the game, announced as its event, or the settings) goes out
// as soon as the command is done, whatever went out just before: a typed
// score must not wait behind a clock. The clocks' own ticking goes out at
// most once per 100 ms; a second stands for ten of those, so every second
// still reaches the clients. Nothing goes out while nothing changes. It
// exists only while the feed is on, so off, nothing listens and nothing is
// built.
class LiveFeed : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinGapMs = 100;

    LiveFeed(const Game &game, const QString &webFolder, const QByteArray &layoutJson,
             const FeedLimits &limits = {});

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

    const Game &m_game;
    FeedServer m_server;
    QTimer m_due;
    QElapsedTimer m_sinceSent;
};
