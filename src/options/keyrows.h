// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settingsrecord.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The nine command keys as the options dialog holds them while it is open.
struct KeyWorkingCopies
{
    qint16 StartStopClockKeyTemp = 0;
    qint16 ResetClockKeyTemp = 0;
    qint16 StartStopShotKeyTemp = 0;
    qint16 ResetShotKeyTemp = 0;
    qint16 ClockSwitchKeyTemp = 0;
    qint16 ClearKeyTemp = 0;
    qint16 SepTimeKeyTemp = 0;
    qint16 BuzzerKeyTemp = 0;
    qint16 HornKeyTemp = 0;
};

// One row of the key tab: its button, its label, where its key lives while
// the dialog is open and in the settings, what the capture window asks, and
// the key "Reset Keys" gives it (0: the row keeps its key).
struct KeyRow
{
    const char *button;
    const char *caption;
    const char *label;
    qint16 KeyWorkingCopies::*working;
    qint16 SettingsRecord::*setting;
    const char *purpose;
    qint16 resetCode;
};

// Top to bottom as the tab shows them.
const std::array<KeyRow, 9> &keyRows();

// The order keys are loaded into the dialog, and reset.
const std::array<qint16 KeyWorkingCopies::*, 9> &keyLoadOrder();
const std::array<qint16 KeyWorkingCopies::*, 8> &keyResetOrder();

// The process-wide request to the key-capture window and its answer.
struct KeyCapture
{
    QString KeyPurpose;
    qint16 CurrentKey = 0;
    QString ChosenKey = QStringLiteral("0");
};

KeyCapture &keyCapture();

// Whether a key pressed in the capture window may be taken for the row
// whose key is `current`: its own key always; otherwise a key with a name
// that no other command uses. The two shot clock commands are not compared,
// so a key of theirs can be shared.
bool keyAcceptable(qint16 key, qint16 current, const KeyWorkingCopies &keys);
