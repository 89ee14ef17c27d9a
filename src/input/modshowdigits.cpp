// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/modshowdigits.h"

#include "input/keydispatch.h"

#include <limits>
#include <optional>

namespace modShowDigits {

namespace {

constexpr qint64 Saturated = std::numeric_limits<qint64>::max() / 100;

const QString BlankText = QStringLiteral("-1");

qint64 shownValue(const DigitSet &digits)
{
    QString shown;
    for (int i = digits.highestIndex(); i >= 0; --i) {
        if (digits.shows(i))
            shown += QString::number(digits.caption(i));
    }
    return wholeNumberValue(shown);
}

std::optional<QString> newText(const DigitSet &digits, const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.front();
    if (first.unicode() == 0)
        return BlankText;
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        return QString::number(wholeNumberValue(text));
    if (first == QLatin1Char('+'))
        return QString::number(shownValue(digits) + wholeNumberValue(QStringView(text).mid(1)));
    if (first == QLatin1Char('-'))
        return QString::number(shownValue(digits) - wholeNumberValue(QStringView(text).mid(1)));
    return std::nullopt;
}

} // namespace

qint64 wholeNumberValue(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = qMin(Saturated, value * 10 + (text[i].unicode() - '0'));
    // A fraction never changes the whole-number part, so it is not read.
    return negative ? -value : value;
}

void SetDigits(DigitSet &digits, const QString &text, qint16 low, qint16 high)
{
    const std::optional<QString> result = newText(digits, text);
    if (!result)
        return;
    const qint64 value = wholeNumberValue(*result);
    if (value < low || value > high)
        return;
    const bool blank = *result == BlankText;
    for (int i = 0; i <= digits.highestIndex(); ++i) {
        const qsizetype from = result->size() - 1 - i;
        const int figure = (!blank && from >= 0) ? result->at(from).digitValue() : -1;
        digits.setCaption(i, figure);
    }
}

void ScoreEntryKey(ScoreEntry &entry, DigitSet &digits, qint16 code, qint16 low, qint16 high)
{
    if (digits.name() != entry.ScoreOwner) {
        entry.ScoreText.clear();
        entry.ScoreOwner = digits.name();
    }
    if ((code >= '0' && code <= '9') || code == KeyDispatch::EntryPlus ||
        code == KeyDispatch::EntryMinus)
        entry.ScoreText += QChar(code);
    if (code == KeyDispatch::EntryDiscard)
        entry.ScoreText.clear();
    if (code == KeyDispatch::EntryClear)
        SetDigits(digits, QString(QChar(0)), low, high);

    const QString &typed = entry.ScoreText;
    const bool signAndFigure = typed.size() >= 2 &&
        (typed[0] == QLatin1Char('+') || typed[0] == QLatin1Char('-')) &&
        typed[1] >= QLatin1Char('0') && typed[1] <= QLatin1Char('9');
    if (signAndFigure || code == KeyDispatch::EntryCommit) {
        SetDigits(digits, typed, low, high);
        entry.ScoreText.clear();
    }
}

} // namespace modShowDigits
