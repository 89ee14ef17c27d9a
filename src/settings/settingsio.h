// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settingsrecord.h"

#include <QString>

#include <functional>

class SettingsStore;

// What the options dialog holds when the operator confirms it.
struct PendingSettings
{
    // Colours, keys, sound files, team names, pictures and the LED style as
    // the dialog shows them.
    SettingsRecord values;
    // The number shown beside the highlight width slider.
    Decimal4 selectedWidthShown;
    bool optNormal = false;
    bool optKeepOn = false;
    bool optKeepOff = false;
    qint16 TempSize = 24;
};

// Imposes a NumLock policy on the keyboard. The caller gives it, so the
// store's reading and writing know nothing of keyboards.
using ImposeNumLock = std::function<void(int numLockForce)>;

// Fills the record from the store in its fixed order: colours, command keys,
// sound files, the NumLock policy (imposed at once), the one-time key
// upgrade, the shot clock keys, team names, pictures. `programFolder` is
// where the default sounds lie.
void ReadSettings(SettingsStore &store, const QString &programFolder,
                  const ImposeNumLock &imposeNumLock);
// Takes the dialog's values into the record and writes every setting; a
// policy the operator chose is imposed at once. False when the store could
// not keep them: the record holds them all the same.
bool WriteSettings(SettingsStore &store, const PendingSettings &pending,
                   const ImposeNumLock &imposeNumLock);

// The team names taken into the record and written with every setting, as
// the options dialog confirmed with only the names changed would. False
// when the store could not keep them: the record holds them all the same.
bool WriteTeamNames(SettingsStore &store, const QString &home, const QString &visitor);

// The program's folder joined with a file name, with the platform's separator.
QString besideProgram(const QString &programFolder, const QString &fileName);
