// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A day's schedule read from a league secretary's CSV: a header row naming
// the columns, then a match a line. Nothing bad gets in silently: every
// line that cannot be used is listed with its number and the reason, and
// the operator takes the good lines or none.
namespace ScheduleImport {

struct Problem
{
    int line = 0;
    QString reason;

    // "line 4: Alpha plays itself"
    QString text() const;
};

struct Result
{
    QList<ScheduledMatch> matches;
    QList<Problem> problems;
    // Why nothing at all can be read (not UTF-8, a column missing from the
    // header); empty when the lines were read.
    QString fileProblem;
};

// `formats` names the formats a match may be played by.
Result read(const QByteArray &csv, const QStringList &formats);

// The schedule with the imported matches in place of those still to
// play; a match played, forfeit or under way is never removed, and an
// imported one that is the same match is not added twice.
Schedule merged(const Schedule &held, const QList<ScheduledMatch> &imported);

} // namespace ScheduleImport
