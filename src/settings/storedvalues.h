// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/colors.h"
#include "settings/settingsrecord.h"
#include "settings/units.h"

#include <QString>

#include <optional>

// Turning the store's texts into the record's numbers and back. A text that
// is not a number gives the fallback; a number beyond what its field can
// hold is brought to the nearest value it can, never wrapped into another
// meaning.
namespace StoredValues {

// The highlight margin is multiplied by 15 into a 16-bit number.
constexpr qint16 MaxSelectedWidth = qint16(32767 / TwipsPerPixel);
// Team names are drawn at up to twice this on a 4K screen; larger sizes only
// overflow the font.
constexpr qint64 MaxTeamSize = 1638;

// Blanks around it are ignored; a sign, digits and an optional fraction of
// up to four places (further places are dropped). Saturates rather than
// overflows.
std::optional<Decimal4> parseNumber(const QString &text);
// Whole number, halves to the even one.
qint64 roundHalfEven(Decimal4 value);

qint32 color(const QString &text, qint32 fallback);
qint16 keyCode(const QString &text, qint16 fallback);
qint16 selectedWidth(const QString &text, qint16 fallback);
qint16 boundSelectedWidth(qint64 width);
qint32 numLockForce(const QString &text, qint32 fallback);
qint16 ledType(const QString &text, qint16 fallback);
Decimal4 teamSize(const QString &text, Decimal4 fallback);

// "24" for 24, "24.5" for 24.5: no trailing zeros, no point for whole numbers.
QString decimalText(Decimal4 value);

} // namespace StoredValues
