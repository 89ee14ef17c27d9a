// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/virtualkeys.h"

#include <QtGlobal>

// The keys the operator has bound to the board's commands, as virtual-key
// codes. The names are the store's keys; the settings record holds these
// among its other fields.
struct KeyBindings
{
    qint16 StartStopClockKey = VirtualKey::letter('S');
    qint16 ResetClockKey = VirtualKey::letter('R');
    qint16 ClearKey = VirtualKey::Delete;
    qint16 ClockSwitchKey = VirtualKey::letter('C');
    qint16 SepTimeKey = VirtualKey::letter('I');
    qint16 BuzzerKey = VirtualKey::letter('B');
    qint16 HornKey = VirtualKey::letter('G');
    qint16 ResetShotKey = VirtualKey::letter('X');
    qint16 StartStopShotKey = VirtualKey::letter('Z');

    bool operator==(const KeyBindings &) const = default;
};
