// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Standings {

// A team's line in its group's table, from the decided matches only.
struct Row
{
    QString team;
    int played = 0;
    int won = 0;
    int drawn = 0;
    int lost = 0;
    int pointsFor = 0;
    int pointsAgainst = 0;
    int leaguePoints = 0;
    // Teams still level after every tie-break share a place: 1, 2, 2, 4.
    int place = 0;

    int difference() const { return pointsFor - pointsAgainst; }
    bool operator==(const Row &) const = default;
};

// One group's table, best first. The day with no groups is one group with
// an empty name.
struct Group
{
    QString name;
    QList<Row> rows;

    bool operator==(const Group &) const = default;
};

// Each group's table, the groups in the order the schedule first names
// them. Every team of a group's matches has a row, played or not. Order:
// league points, then the league points and then the difference of the
// matches among just the teams level on league points, then the overall
// difference, then points for; level teams by name, so the list is stable.
QList<Group> compute(const Schedule &schedule);

// The tables as CSV: UTF-8, comma-separated, a header row, one line per
// team with its group, fields quoted as RFC 4180 says.
QByteArray csv(const QList<Group> &groups);

} // namespace Standings
