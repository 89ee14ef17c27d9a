// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/keyrows.h"

#include "input/keydispatch.h"
#include "input/virtualkeys.h"
#include "options/keynames.h"

const std::array<KeyRow, 9> &keyRows()
{
    using W = KeyWorkingCopies;
    using S = SettingsRecord;
    static const std::array<KeyRow, 9> rows = {{
        {"cmdSepTime", "Start / Stop Penalty Clock", "lblSepTime", &W::SepTimeKeyTemp,
         &S::SepTimeKey, "start / stop an independent penalty clock", VirtualKey::letter('I')},
        {"cmdStartStopClock", "Start / Stop  Clock", "lblStartStopClock", &W::StartStopClockKeyTemp,
         &S::StartStopClockKey, "start / stop the clock", VirtualKey::letter('S')},
        {"cmdResetClock", "Reset Clock", "lblResetClock", &W::ResetClockKeyTemp, &S::ResetClockKey,
         "reset the clock", VirtualKey::letter('R')},
        {"cmdHorn", "Horn", "lblHorn", &W::HornKeyTemp, &S::HornKey, "sound the horn",
         VirtualKey::letter('G')},
        {"cmdBuzzer", "Buzzer", "lblBuzzer", &W::BuzzerKeyTemp, &S::BuzzerKey, "sound the buzzer",
         VirtualKey::letter('B')},
        {"cmdClockSwitch", "Game / Clock Switch", "lblClockSwitch", &W::ClockSwitchKeyTemp,
         &S::ClockSwitchKey, "switch between clock and game time", 0},
        {"cmdClearKey", "# Clear Key", "lblClear", &W::ClearKeyTemp, &S::ClearKey, "clear a number",
         VirtualKey::Delete},
        {"cmdResetShot", "Reset Shot Clock", "lblResetShot", &W::ResetShotKeyTemp, &S::ResetShotKey,
         "reset shot clock", VirtualKey::letter('X')},
        {"cmdStartStopShot", "Start/Stop Shot Clock", "lblStartStopShot", &W::StartStopShotKeyTemp,
         &S::StartStopShotKey, "start/stop shot clock", VirtualKey::letter('Z')},
    }};
    return rows;
}

const std::array<qint16 KeyWorkingCopies::*, 9> &keyLoadOrder()
{
    using W = KeyWorkingCopies;
    static const std::array<qint16 W::*, 9> order = {
        &W::StartStopClockKeyTemp, &W::ResetClockKeyTemp, &W::ResetShotKeyTemp,
        &W::StartStopShotKeyTemp,  &W::ClearKeyTemp,      &W::ClockSwitchKeyTemp,
        &W::SepTimeKeyTemp,        &W::BuzzerKeyTemp,     &W::HornKeyTemp,
    };
    return order;
}

const std::array<qint16 KeyWorkingCopies::*, 8> &keyResetOrder()
{
    using W = KeyWorkingCopies;
    static const std::array<qint16 W::*, 8> order = {
        &W::StartStopClockKeyTemp, &W::ResetClockKeyTemp, &W::ResetShotKeyTemp,
        &W::StartStopShotKeyTemp,  &W::ClearKeyTemp,      &W::SepTimeKeyTemp,
        &W::BuzzerKeyTemp,         &W::HornKeyTemp,
    };
    return order;
}

KeyCapture &keyCapture()
{
    static KeyCapture capture;
    return capture;
}

bool keyAcceptable(qint16 key, qint16 current, const KeyWorkingCopies &keys)
{
    if (key == current)
        return true;
    if (KeyCodeToStr(key).isEmpty())
        return false;
    if (key == KeyDispatch::HelpKey || key == KeyDispatch::OptionsKey)
        return false;
    const qint16 compared[] = {keys.StartStopClockKeyTemp,
                               keys.ResetClockKeyTemp,
                               keys.ClockSwitchKeyTemp,
                               keys.ClearKeyTemp,
                               keys.SepTimeKeyTemp,
                               keys.BuzzerKeyTemp,
                               keys.HornKeyTemp};
    for (qint16 taken : compared) {
        if (key == taken)
            return false;
    }
    return true;
}
