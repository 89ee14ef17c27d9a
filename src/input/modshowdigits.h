// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/digitset.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Score figures and the typed score entry.
namespace modShowDigits {

// A score typed and not yet entered, and the figures it is typed into.
struct ScoreEntry
{
    QString ScoreText;
    QString ScoreOwner;
};

// The whole-number part, towards zero, of the number that the longest
// leading part of the text reads as: an optional sign, digits, an optional
// fraction. "5-3" is 5, "+" is 0, "" is 0, "-7.9" is -7. Saturates rather
// than wraps on absurdly long digit strings.
qint64 wholeNumberValue(QStringView text);

// Sets a row of figures from a text: a number, "+n" or "-n" relative to what
// the figures show, or the single character of code 0 for blank. A result
// outside low..high changes nothing.
void SetDigits(DigitSet &digits, const QString &text, qint16 low, qint16 high);

// Collects one typed key for a score field: a sign and one figure change the
// score at once, a number waits for Enter, the clear code blanks it.
void ScoreEntryKey(ScoreEntry &entry, DigitSet &digits, qint16 code, qint16 low, qint16 high);

} // namespace modShowDigits
