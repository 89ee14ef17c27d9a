// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class SettingsStore;

// The settings of what the program shows beyond the board, in a section of
// their own: a store written before they existed reads as all of it off.
struct DisplaySettings
{
    // The name of the monitor the audience display is on; empty when off.
    QString AudienceScreen;
};

DisplaySettings readDisplaySettings(SettingsStore &store);
// False when the store could not keep it.
bool writeAudienceScreen(SettingsStore &store, const QString &monitorName);
