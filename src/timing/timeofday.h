// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/timesource.h"

#include <QString>
#include <QTime>

struct HourMinute
{
    int hour = 0;
    int minute = 0;

    bool operator==(const HourMinute &) const = default;
};

// The hour and minute the system's time text gives: the number in the piece
// before the first ":" and the number at the start of the piece after it,
// whatever marker letters stand around them ("PM 9:07" is 9 and 7). A text
// without such a pair (a "." or "h" separator) falls back to the wall clock,
// in the system's 12- or 24-hour convention.
HourMinute timeOfDay(const QString &text, const QTime &wall, bool twelveHour);

// What the game clock figures show in time-of-day mode: hours as minutes and
// minutes as seconds, so 21:07 reads 21:07 and 00:30 falls into the tenths
// form as 30.0.
ClockValue timeOfDayValue(const TimeSource &source);

// The same, asking the system for its text only when the wall clock's
// minute has turned: a tick that finds the minute unchanged formats nothing.
class TimeOfDayCache
{
public:
    ClockValue value(const TimeSource &source);

private:
    qint64 m_minute = -1;
    ClockValue m_value;
};
