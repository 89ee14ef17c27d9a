// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QString>

#include <optional>

// The operator's changes to the day's list. A match played, forfeit or
// under way is the day's record: it is never changed, removed or moved.
namespace ScheduleEdit {

bool changeable(const Schedule &schedule, qsizetype match);

// Why `match` cannot stand at `at` (-1 for a new one): a team not named,
// a team playing itself, the same match as another.
std::optional<QString> problem(const Schedule &schedule, qsizetype at, const ScheduledMatch &match);

// Each does nothing, and says false, where the match may not change.
bool add(Schedule &schedule, const ScheduledMatch &match);
bool replace(Schedule &schedule, qsizetype at, const ScheduledMatch &match);
bool remove(Schedule &schedule, qsizetype at);
// One place up (-1) or down (+1), past a match still to play only.
bool move(Schedule &schedule, qsizetype at, int step);

} // namespace ScheduleEdit
