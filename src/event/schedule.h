// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Where a match of the day's schedule stands.
enum class ScheduledState : qint16 { ToPlay = 0, UnderWay = 1, Played = 2, Forfeit = 3 };

// A match's result as the schedule keeps it: the score, and the journal of
// the game it came from (none for a forfeit).
struct ScheduledResult
{
    int home = 0;
    int visitor = 0;
    QString journal;

    bool operator==(const ScheduledResult &) const = default;
};

// One match of the day: when and where, between whom, by which format (by
// its name), and how it stands.
struct ScheduledMatch
{
    QDateTime start;
    QString field;
    // The group or division; empty when the day has none.
    QString group;
    QString home;
    QString visitor;
    QString format;
    ScheduledState state = ScheduledState::ToPlay;
    ScheduledResult result;

    bool operator==(const ScheduledMatch &) const = default;
    bool decided() const
    {
        return state == ScheduledState::Played || state == ScheduledState::Forfeit;
    }
    // The same match of the day, whatever became of it: the same start,
    // field and teams, as a spreadsheet may write them in any case.
    bool sameMatch(const ScheduledMatch &other) const
    {
        const auto same = [](const QString &x, const QString &y) {
            return x.compare(y, Qt::CaseInsensitive) == 0;
        };
        return start == other.start && same(field, other.field) && same(home, other.home) &&
            same(visitor, other.visitor);
    }
};

// League points for a win, a draw and a loss, editable with the event.
struct LeaguePoints
{
    int win = 3;
    int draw = 1;
    int loss = 0;

    bool operator==(const LeaguePoints &) const = default;
};

// A day's schedule: its matches in the order played, its points, and how
// this computer takes part (each field's computer keeps its own copy).
struct Schedule
{
    QList<ScheduledMatch> matches;
    LeaguePoints points;
    // The field this computer's board stands at; empty takes the next
    // match on any field.
    QString field;
    // Between matches the crowd's screen turns to the standings every this
    // many seconds, and back; 0 never.
    int standingsEvery = 0;

    bool operator==(const Schedule &) const = default;
};
