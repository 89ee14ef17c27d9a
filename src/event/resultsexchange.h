// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QByteArray>
#include <QList>

// The results of one field's computer taken into another's copy of the
// day: exported as CSV from one, merged into the other. A result that
// differs from one already held is never overwritten; the operator
// chooses.
namespace ResultsExchange {

// The day's matches with their states and results, in the columns the
// schedule's import reads back.
QByteArray csv(const Schedule &schedule);

// A match decided both here and there, differently.
struct Conflict
{
    qsizetype match = -1;
    ScheduledMatch theirs;
};

struct Merge
{
    Schedule schedule;
    // Results taken in for matches still to play here.
    int taken = 0;
    QList<Conflict> conflicts;
    // Their decided matches this day does not hold.
    QList<ScheduledMatch> unknown;
};

Merge merge(const Schedule &held, const QList<ScheduledMatch> &theirs);

// Their result in place of the one held.
void takeTheirs(Schedule &schedule, const Conflict &conflict);

} // namespace ResultsExchange
