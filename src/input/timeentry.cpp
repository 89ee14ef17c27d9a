// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/timeentry.h"

#include "input/keydispatch.h"
#include "input/modshowdigits.h"

#include <QStringList>

namespace modCount {

namespace {

constexpr int MaxEntryLength = 8;
const QString EntryCharacters = QStringLiteral("01234567890.");

} // namespace

std::optional<ClockValue> EntryToSeconds(const QString &text)
{
    if (text.size() > MaxEntryLength)
        return std::nullopt;
    for (QChar c : text) {
        if (!EntryCharacters.contains(c))
            return std::nullopt;
    }
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 2)
        return std::nullopt;

    const qint64 minutes = modShowDigits::wholeNumberValue(parts[0]);
    qint64 seconds = 0;
    qint64 tenths = 0;
    if (parts.size() == 2) {
        const QString &after = parts[1];
        seconds = modShowDigits::wholeNumberValue(QStringView(after).left(2));
        if (after.size() > 2)
            tenths = modShowDigits::wholeNumberValue(QStringView(after).mid(2, 1));
    }
    // Seconds above 59 are taken as they are: 1.75 is 2:15.
    if (minutes > 99 || seconds > 99 || tenths > 9)
        return std::nullopt;
    return ClockValue::fromTenths((minutes * 60 + seconds) * 10 + tenths);
}

std::optional<ClockValue> TimeEntryKey(TimeEntry &entry, const DigitSet &digits, qint16 code,
                                       qint32 limit)
{
    if (digits.name() != entry.EntryOwner) {
        entry.EntryText.clear();
        entry.EntryOwner = digits.name();
    }
    if ((code >= '0' && code <= '9') || code == KeyDispatch::EntryPoint)
        entry.EntryText += QChar(code);
    if (code == KeyDispatch::EntryDiscard)
        entry.EntryText.clear();
    if (code != KeyDispatch::EntryCommit)
        return std::nullopt;

    const std::optional<ClockValue> value = EntryToSeconds(entry.EntryText);
    entry.EntryText.clear();
    if (value && *value <= ClockValue::fromSeconds(limit))
        return value;
    return std::nullopt;
}

} // namespace modCount
