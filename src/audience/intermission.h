// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QDateTime>
#include <QString>

#include <optional>

// What the crowd's screen shows between two matches of the day, at one
// moment of the wall clock: the schedule's starts are local times.
struct IntermissionScreen
{
    // The field's last match decided: the result the crowd saw last.
    std::optional<ScheduledMatch> last;
    // The field's next match to play; none once the day is done.
    std::optional<ScheduledMatch> next;
    // Whole seconds to the next match's start, 0 once it is due; none when
    // its start is more than a day away, where a countdown tells nothing.
    std::optional<qint64> countdown;
    // The standings stand in the day's place for now: the table of the
    // group of this index, in the order the schedule first names the
    // groups, each group in its own turn.
    bool standings = false;
    int group = 0;

    bool operator==(const IntermissionScreen &) const = default;
};

namespace Intermission {

// The longest countdown shown, in seconds.
inline constexpr qint64 LongestCountdown = 24 * 60 * 60;

IntermissionScreen at(const Schedule &schedule, const QDateTime &now);
// The countdown as the LED figures read, a space for a blank figure:
// " 9:59" and "59:59" under an hour, as the game clock reads, "1:00:00"
// and "23:59:59" beyond.
QString countdownText(qint64 seconds);

} // namespace Intermission
