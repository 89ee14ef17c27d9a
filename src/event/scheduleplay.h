// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"
#include "game/matchformat.h"

#include <optional>

// The day played through its schedule: the next match on a field, a
// result written in, a forfeit, a match end undone.
namespace SchedulePlay {

// The first match still to play on the field, in the schedule's order; on
// any field when `field` is empty.
std::optional<qsizetype> nextMatch(const Schedule &schedule, const QString &field);
// The field's last match decided, in the schedule's order: the result the
// crowd saw last.
std::optional<qsizetype> lastDecided(const Schedule &schedule, const QString &field);

void begin(Schedule &schedule, qsizetype match);
void finish(Schedule &schedule, qsizetype match, const ScheduledResult &result);
// A match given to one team (1 home, 2 visitor) by the score the format
// gives a forfeit: its race won to nil, else its mercy lead, else 1-0.
void forfeit(Schedule &schedule, qsizetype match, int winner, const MatchFormat &format);
// The result taken back out, as an undone match end leaves it: the match
// is under way again, in the same journal.
void reopen(Schedule &schedule, qsizetype match);

} // namespace SchedulePlay
