// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/digitset.h"

#include <QString>

#include <optional>

namespace modCount {

// A typed time: minutes, then optionally a point and seconds, and a third
// figure after the point for tenths. "2" is 2:00, "1.30" is 1:30, "0.455" is
// 45.5 s, ".30" is 30 s, "" is 0. Nothing for a text that is no time.
std::optional<ClockValue> EntryToSeconds(const QString &text);

// A time typed and not yet entered, and the figures it is typed into.
struct TimeEntry
{
    QString EntryText;
    QString EntryOwner;
};

// Collects one typed key for a clock field; Enter gives the time typed, if
// it is one and not above the limit. Typing into another field's figures
// starts afresh.
std::optional<ClockValue> TimeEntryKey(TimeEntry &entry, const DigitSet &digits, qint16 code,
                                       qint32 limit);

} // namespace modCount
