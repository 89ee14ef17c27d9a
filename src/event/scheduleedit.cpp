// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/scheduleedit.h"

#include <QCoreApplication>

namespace ScheduleEdit {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(ScheduleEdit)
};

} // namespace

bool changeable(const Schedule &schedule, qsizetype match)
{
    return match >= 0 && match < schedule.matches.size() &&
        schedule.matches.at(match).state == ScheduledState::ToPlay;
}

std::optional<QString> problem(const Schedule &schedule, qsizetype at, const ScheduledMatch &match)
{
    if (match.home.trimmed().isEmpty() || match.visitor.trimmed().isEmpty())
        return Words::tr("A team is not named.");
    if (match.home.trimmed().compare(match.visitor.trimmed(), Qt::CaseInsensitive) == 0)
        return Words::tr("%1 cannot play itself.").arg(match.home.trimmed());
    if (!match.start.isValid())
        return Words::tr("The start is no date and time.");
    for (qsizetype i = 0; i < schedule.matches.size(); ++i) {
        if (i != at && schedule.matches.at(i).sameMatch(match))
            return Words::tr("The day already has this match.");
    }
    return std::nullopt;
}

bool add(Schedule &schedule, const ScheduledMatch &match)
{
    if (problem(schedule, -1, match))
        return false;
    ScheduledMatch added = match;
    added.state = ScheduledState::ToPlay;
    added.result = {};
    schedule.matches << added;
    return true;
}

bool replace(Schedule &schedule, qsizetype at, const ScheduledMatch &match)
{
    if (!changeable(schedule, at) || problem(schedule, at, match))
        return false;
    ScheduledMatch changed = match;
    changed.state = ScheduledState::ToPlay;
    changed.result = {};
    schedule.matches[at] = changed;
    return true;
}

bool remove(Schedule &schedule, qsizetype at)
{
    if (!changeable(schedule, at))
        return false;
    schedule.matches.removeAt(at);
    return true;
}

bool move(Schedule &schedule, qsizetype at, int step)
{
    const qsizetype to = at + (step < 0 ? -1 : 1);
    if (!changeable(schedule, at) || !changeable(schedule, to))
        return false;
    schedule.matches.swapItemsAt(at, to);
    return true;
}

} // namespace ScheduleEdit
