#pragma once

#include <QtGlobal>

// The keys the operator has bound to the board's commands, as virtual-key
// codes. The names are the store's keys; the settings record holds these
// among its other fields.
struct KeyBindings
{
    qint16 StartStopClockKey = 83;
    qint16 ResetClockKey = 82;
    qint16 ClearKey = 46;
    qint16 ClockSwitchKey = 67;
    qint16 SepTimeKey = 73;
    qint16 BuzzerKey = 66;
    qint16 HornKey = 71;
    qint16 ResetShotKey = 88;
    qint16 StartStopShotKey = 90;

    bool operator==(const KeyBindings &) const = default;
};
