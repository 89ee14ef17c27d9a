// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/intermission.h"

#include "event/scheduleplay.h"

#include <QSet>

#include <algorithm>

namespace {

std::optional<ScheduledMatch> matchAt(const Schedule &schedule, std::optional<qsizetype> index)
{
    if (!index)
        return std::nullopt;
    return schedule.matches.at(*index);
}

// Rounded up, so that the figures reach 0:00 at the start itself.
std::optional<qint64> secondsTo(const QDateTime &start, const QDateTime &now)
{
    if (!start.isValid())
        return std::nullopt;
    const qint64 ms = now.msecsTo(start);
    if (ms > Intermission::LongestCountdown * 1000)
        return std::nullopt;
    return std::max<qint64>(0, (ms + 999) / 1000);
}

qsizetype groupCount(const Schedule &schedule)
{
    QSet<QString> groups;
    for (const ScheduledMatch &m : schedule.matches)
        groups.insert(m.group);
    return std::max<qsizetype>(1, groups.size());
}

// Turns between the day and the standings every `every` seconds of the
// wall clock, so that every screen of the field turns together; each
// standings' turn shows the next group.
void standingsTurn(IntermissionScreen &screen, const Schedule &schedule, const QDateTime &now)
{
    const int every = schedule.standingsEvery;
    if (every <= 0)
        return;
    const bool anyDecided = std::any_of(schedule.matches.cbegin(), schedule.matches.cend(),
                                        [](const ScheduledMatch &m) { return m.decided(); });
    const qint64 turn = now.toSecsSinceEpoch() / every;
    screen.standings = anyDecided && turn % 2 == 1;
    if (screen.standings)
        screen.group = int(turn / 2 % groupCount(schedule));
}

} // namespace

namespace Intermission {

IntermissionScreen at(const Schedule &schedule, const QDateTime &now)
{
    IntermissionScreen screen;
    screen.last = matchAt(schedule, SchedulePlay::lastDecided(schedule, schedule.field));
    screen.next = matchAt(schedule, SchedulePlay::nextMatch(schedule, schedule.field));
    if (screen.next)
        screen.countdown = secondsTo(screen.next->start, now);
    standingsTurn(screen, schedule, now);
    return screen;
}

QString countdownText(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const qint64 rest = seconds % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes, 2).arg(rest, 2, 10, QLatin1Char('0'));
}

} // namespace Intermission
