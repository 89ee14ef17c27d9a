// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/timeofday.h"

#include <QStringList>

#include <optional>

namespace {

// Digits of any script count; what a locale writes is read as written.
std::optional<int> digitRunValue(QStringView run)
{
    if (run.isEmpty() || run.size() > 4)
        return std::nullopt;
    int value = 0;
    for (QChar c : run)
        value = value * 10 + c.digitValue();
    return value;
}

std::optional<int> lastNumber(QStringView piece)
{
    qsizetype end = piece.size();
    while (end > 0 && piece[end - 1].digitValue() < 0)
        --end;
    qsizetype begin = end;
    while (begin > 0 && piece[begin - 1].digitValue() >= 0)
        --begin;
    return digitRunValue(piece.mid(begin, end - begin));
}

std::optional<int> leadingNumber(QStringView piece)
{
    qsizetype end = 0;
    while (end < piece.size() && piece[end].digitValue() >= 0)
        ++end;
    return digitRunValue(piece.left(end));
}

HourMinute fromWallClock(const QTime &wall, bool twelveHour)
{
    int hour = wall.hour();
    if (twelveHour) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    return {hour, wall.minute()};
}

} // namespace

HourMinute timeOfDay(const QString &text, const QTime &wall, bool twelveHour)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const auto hour = lastNumber(QStringView(text).left(colon));
        const auto minute = leadingNumber(QStringView(text).mid(colon + 1));
        if (hour && minute && *hour <= 24 && *minute <= 59)
            return {*hour, *minute};
    }
    return fromWallClock(wall, twelveHour);
}

ClockValue timeOfDayValue(const TimeSource &source)
{
    const QTime wall = source.wallNow().time();
    const HourMinute now = timeOfDay(source.timeText(wall), wall, source.usesTwelveHourClock());
    return ClockValue::fromSeconds(now.hour * 60 + now.minute);
}

ClockValue TimeOfDayCache::value(const TimeSource &source)
{
    const QDateTime wall = source.wallNow();
    const qint64 minute =
        wall.date().toJulianDay() * 24 * 60 + wall.time().hour() * 60 + wall.time().minute();
    if (minute != m_minute) {
        m_minute = minute;
        m_value = timeOfDayValue(source);
    }
    return m_value;
}
