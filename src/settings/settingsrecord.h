// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/keybindings.h"
#include "settings/colors.h"
#include "timing/clockvalue.h"

#include <QString>
#include <QtGlobal>

// The store's four-place decimals are the same exact fixed point as clock
// values.
using Decimal4 = ClockValue;

// Every setting the program runs on, one record for the whole process. The
// field names are the keys of the store. Colours are red + 256 * green +
// 65536 * blue; key codes are virtual-key codes. The key fields come from
// KeyBindings, so the key dispatch reads them without knowing the record.
struct SettingsRecord : KeyBindings
{
    qint32 TimeColor = Colors::Red;
    qint32 LEDBack = Colors::Black;
    qint32 ScoreColor = Colors::Orange;
    qint32 PeriodColor = Colors::Green;
    qint32 FormBack = Colors::Gray;
    qint32 LEDSelected = Colors::Gray;
    qint32 BorderColor = Colors::White;
    qint32 HomeColor = Colors::White;
    qint32 VisitorColor = Colors::White;
    qint16 LEDSelectedWidth = 0;

    QString BuzzerFile;
    QString HornFile;
    qint32 NumLockForce = 0;

    QString HomeText = QStringLiteral("Home");
    QString VisitorText = QStringLiteral("Visitor");
    Decimal4 TeamSize = Decimal4::fromSeconds(24);

    QString HomePic;
    QString VisitorPic;
    QString BoardPic;
    qint16 LEDType = 0;

    bool operator==(const SettingsRecord &) const = default;
};

// The LED style the stored LEDType names: 1 draws the figures' segments as
// dots, any other value as bars.
constexpr qint16 LedDots = 1;
constexpr bool ledDots(qint64 storedLedType)
{
    return storedLedType == LedDots;
}

SettingsRecord &settingsRecord();
// The team names' size in whole points, as the board takes it: at least 1.
qint16 teamNameSize(const SettingsRecord &settings);
// Back to the defaults; tests start from here.
void resetSettingsRecord();
