// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class SettingsStore;

// The live feed as the operator set it. Off unless turned on, and then on
// this computer alone unless another address is named.
struct FeedSettings
{
    static constexpr quint16 DefaultPort = 8088;

    bool on = false;
    quint16 port = DefaultPort;
    QString address = QStringLiteral("127.0.0.1");

    bool operator==(const FeedSettings &) const = default;
};

// The settings of what the program shows beyond the board, in a section of
// their own: a store written before they existed reads as all of it off.
struct DisplaySettings
{
    // The name of the monitor the audience display is on; empty when off.
    QString AudienceScreen;
    FeedSettings feed;
};

// A value that cannot be used reads as its default: a port that is no
// port, an empty address; "FeedOn" is on for "Yes", "true" or "1" alone.
DisplaySettings readDisplaySettings(SettingsStore &store);
// False when the store could not keep it.
bool writeAudienceScreen(SettingsStore &store, const QString &monitorName);
bool writeFeedSettings(SettingsStore &store, const FeedSettings &feed);

// The address of one of the feed's pages as a browser types it.
QString feedPageUrl(const QString &address, quint16 port, const QString &page);
