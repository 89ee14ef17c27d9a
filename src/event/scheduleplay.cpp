// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/scheduleplay.h"

namespace SchedulePlay {

namespace {

ScheduledMatch *at(Schedule &schedule, qsizetype match)
{
    return match >= 0 && match < schedule.matches.size() ? &schedule.matches[match] : nullptr;
}

bool onField(const ScheduledMatch &m, const QString &field)
{
    return field.isEmpty() || m.field.compare(field, Qt::CaseInsensitive) == 0;
}

int forfeitScore(const MatchFormat &format)
{
    if (format.raceTo > 0)
        return format.raceTo;
    return format.mercy > 0 ? format.mercy : 1;
}

} // namespace

std::optional<qsizetype> nextMatch(const Schedule &schedule, const QString &field)
{
    for (qsizetype i = 0; i < schedule.matches.size(); ++i) {
        const ScheduledMatch &m = schedule.matches.at(i);
        if (m.state == ScheduledState::ToPlay && onField(m, field))
            return i;
    }
    return std::nullopt;
}

std::optional<qsizetype> lastDecided(const Schedule &schedule, const QString &field)
{
    for (qsizetype i = schedule.matches.size() - 1; i >= 0; --i) {
        const ScheduledMatch &m = schedule.matches.at(i);
        if (m.decided() && onField(m, field))
            return i;
    }
    return std::nullopt;
}

void begin(Schedule &schedule, qsizetype match)
{
    if (ScheduledMatch *m = at(schedule, match); m && m->state == ScheduledState::ToPlay)
        m->state = ScheduledState::UnderWay;
}

void finish(Schedule &schedule, qsizetype match, const ScheduledResult &result)
{
    if (ScheduledMatch *m = at(schedule, match)) {
        m->state = ScheduledState::Played;
        m->result = result;
    }
}

void forfeit(Schedule &schedule, qsizetype match, int winner, const MatchFormat &format)
{
    ScheduledMatch *m = at(schedule, match);
    if (!m || m->decided())
        return;
    const int score = forfeitScore(format);
    m->state = ScheduledState::Forfeit;
    m->result = {winner == 1 ? score : 0, winner == 2 ? score : 0, {}};
}

void reopen(Schedule &schedule, qsizetype match)
{
    if (ScheduledMatch *m = at(schedule, match); m && m->state == ScheduledState::Played) {
        m->state = ScheduledState::UnderWay;
        m->result = {0, 0, m->result.journal};
    }
}

} // namespace SchedulePlay
