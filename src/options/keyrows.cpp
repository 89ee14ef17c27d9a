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
        {"cmdSepTime", QT_TRANSLATE_NOOP("frmOptions", "Start / Stop Penalty Clock"), "lblSepTime",
         &W::SepTimeKeyTemp, &S::SepTimeKey,
         QT_TRANSLATE_NOOP("frmChooseKey", "start / stop an independent penalty clock"),
         VirtualKey::letter('I')},
        {"cmdStartStopClock", QT_TRANSLATE_NOOP("frmOptions", "Start / Stop  Clock"),
         "lblStartStopClock", &W::StartStopClockKeyTemp, &S::StartStopClockKey,
         QT_TRANSLATE_NOOP("frmChooseKey", "start / stop the clock"), VirtualKey::letter('S')},
        {"cmdResetClock", QT_TRANSLATE_NOOP("frmOptions", "Reset Clock"), "lblResetClock",
         &W::ResetClockKeyTemp, &S::ResetClockKey,
         QT_TRANSLATE_NOOP("frmChooseKey", "reset the clock"), VirtualKey::letter('R')},
        {"cmdHorn", QT_TRANSLATE_NOOP("frmOptions", "Horn"), "lblHorn", &W::HornKeyTemp,
         &S::HornKey, QT_TRANSLATE_NOOP("frmChooseKey", "sound the horn"), VirtualKey::letter('G')},
        {"cmdBuzzer", QT_TRANSLATE_NOOP("frmOptions", "Buzzer"), "lblBuzzer", &W::BuzzerKeyTemp,
         &S::BuzzerKey, QT_TRANSLATE_NOOP("frmChooseKey", "sound the buzzer"),
         VirtualKey::letter('B')},
        {"cmdClockSwitch", QT_TRANSLATE_NOOP("frmOptions", "Game / Clock Switch"), "lblClockSwitch",
         &W::ClockSwitchKeyTemp, &S::ClockSwitchKey,
         QT_TRANSLATE_NOOP("frmChooseKey", "switch between clock and game time"), 0},
        {"cmdClearKey", QT_TRANSLATE_NOOP("frmOptions", "# Clear Key"), "lblClear",
         &W::ClearKeyTemp, &S::ClearKey, QT_TRANSLATE_NOOP("frmChooseKey", "clear a number"),
         VirtualKey::Delete},
        {"cmdResetShot", QT_TRANSLATE_NOOP("frmOptions", "Reset Shot Clock"), "lblResetShot",
         &W::ResetShotKeyTemp, &S::ResetShotKey,
         QT_TRANSLATE_NOOP("frmChooseKey", "reset shot clock"), VirtualKey::letter('X')},
        {"cmdStartStopShot", QT_TRANSLATE_NOOP("frmOptions", "Start/Stop Shot Clock"),
         "lblStartStopShot", &W::StartStopShotKeyTemp, &S::StartStopShotKey,
         QT_TRANSLATE_NOOP("frmChooseKey", "start/stop shot clock"), VirtualKey::letter('Z')},
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
    if (!KeyHasName(key))
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
