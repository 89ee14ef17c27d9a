// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/eventday.h"

#include "event/schedulefile.h"
#include "event/scheduleplay.h"
#include "game/gameevent.h"

EventDay::EventDay(QObject *parent)
    : QObject(parent)
{
}

bool EventDay::open(const QString &path, QString *problem)
{
    const auto loaded = ScheduleFile::load(path, problem);
    if (!loaded)
        return false;
    m_path = path;
    m_schedule = *loaded;
    m_current.reset();
    emit changed();
    return true;
}

bool EventDay::create(const QString &path, const Schedule &schedule, QString *problem)
{
    if (!ScheduleFile::save(path, schedule, problem))
        return false;
    m_path = path;
    m_schedule = schedule;
    m_current.reset();
    emit changed();
    return true;
}

void EventDay::close()
{
    m_path.clear();
    m_schedule = {};
    m_current.reset();
    emit changed();
}

void EventDay::change(const Schedule &schedule)
{
    if (!isOpen() || schedule == m_schedule)
        return;
    m_schedule = schedule;
    if (m_current && *m_current >= m_schedule.matches.size())
        m_current.reset();
    keep();
}

std::optional<qsizetype> EventDay::next() const
{
    if (!isOpen())
        return std::nullopt;
    return SchedulePlay::nextMatch(m_schedule, m_schedule.field);
}

void EventDay::begun(qsizetype match, const QString &journal)
{
    if (!isOpen() || match < 0 || match >= m_schedule.matches.size())
        return;
    SchedulePlay::begin(m_schedule, match);
    m_schedule.matches[match].result.journal = journal;
    m_current = match;
    keep();
}

void EventDay::attach(const QString &journal, const GameSnapshot &game)
{
    m_current.reset();
    bool moved = false;
    for (qsizetype i = 0; i < m_schedule.matches.size(); ++i) {
        ScheduledMatch &m = m_schedule.matches[i];
        const bool ours = !journal.isEmpty() && m.result.journal == journal;
        if (ours && (m.state == ScheduledState::UnderWay || m.state == ScheduledState::Played)) {
            m_current = i;
        } else if (m.state == ScheduledState::UnderWay) {
            m.state = ScheduledState::ToPlay;
            m.result = {};
            moved = true;
        }
    }
    const bool ended = game.match.phase == MatchPhase::Ended;
    if (m_current && ended && m_schedule.matches.at(*m_current).state == ScheduledState::UnderWay)
        finishFrom(game);
    else if (moved)
        keep();
}

void EventDay::follow(const GameEvent &event)
{
    if (!m_current)
        return;
    const bool endedBefore = event.before.match.phase == MatchPhase::Ended;
    const bool endedAfter = event.after.match.phase == MatchPhase::Ended;
    if (endedAfter && !endedBefore) {
        finishFrom(event.after);
    } else if (endedBefore && !endedAfter) {
        SchedulePlay::reopen(m_schedule, *m_current);
        keep();
    }
}

void EventDay::gameClosed()
{
    if (!m_current)
        return;
    ScheduledMatch &m = m_schedule.matches[*m_current];
    m_current.reset();
    if (m.state != ScheduledState::UnderWay)
        return;
    m.state = ScheduledState::ToPlay;
    m.result = {};
    keep();
}

bool EventDay::betweenMatches(const GameSnapshot &game) const
{
    if (!isOpen() || m_schedule.matches.isEmpty())
        return false;
    if (m_current && m_schedule.matches.at(*m_current).state == ScheduledState::UnderWay)
        return false;
    return game.match.phase == MatchPhase::Off || game.match.phase == MatchPhase::Ended;
}

void EventDay::finishFrom(const GameSnapshot &game)
{
    const ScheduledMatch &m = m_schedule.matches.at(*m_current);
    SchedulePlay::finish(m_schedule, *m_current,
                         {scoreValue(game.home), scoreValue(game.visitor), m.result.journal});
    keep();
}

void EventDay::keep()
{
    QString problem;
    if (!ScheduleFile::save(m_path, m_schedule, &problem))
        emit saveFailed(problem);
    emit changed();
}
