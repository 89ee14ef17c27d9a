// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/standings.h"

#include "event/csvtable.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <map>
#include <tuple>

namespace Standings {

namespace {

using Table = std::map<QString, Row>;

void addResult(Row &row, int scored, int conceded, const LeaguePoints &points)
{
    ++row.played;
    row.pointsFor += scored;
    row.pointsAgainst += conceded;
    if (scored > conceded) {
        ++row.won;
        row.leaguePoints += points.win;
    } else if (scored == conceded) {
        ++row.drawn;
        row.leaguePoints += points.draw;
    } else {
        ++row.lost;
        row.leaguePoints += points.loss;
    }
}

// A forfeit counts with the result recorded for it, as a played match does.
Table tally(const QList<ScheduledMatch> &matches, const LeaguePoints &points)
{
    Table table;
    for (const ScheduledMatch &match : matches) {
        table[match.home].team = match.home;
        table[match.visitor].team = match.visitor;
        if (!match.decided())
            continue;
        addResult(table[match.home], match.result.home, match.result.visitor, points);
        addResult(table[match.visitor], match.result.visitor, match.result.home, points);
    }
    return table;
}

QList<ScheduledMatch> among(const QList<ScheduledMatch> &matches, const QSet<QString> &teams)
{
    QList<ScheduledMatch> kept;
    for (const ScheduledMatch &match : matches) {
        if (teams.contains(match.home) && teams.contains(match.visitor))
            kept.append(match);
    }
    return kept;
}

// What orders a team, best highest; equal keys share a place.
using Key = std::tuple<int, int, int, int, int>;

std::map<QString, Key> keys(const Table &table, const QList<ScheduledMatch> &matches,
                            const LeaguePoints &points)
{
    std::map<int, QSet<QString>> level;
    for (const auto &[team, row] : table)
        level[row.leaguePoints].insert(team);
    std::map<QString, Key> ordered;
    for (const auto &[leaguePoints, teams] : level) {
        const Table head = tally(among(matches, teams), points);
        for (const QString &team : teams) {
            const Row &row = table.at(team);
            const Row &between = head.count(team) ? head.at(team) : Row{};
            ordered[team] = {leaguePoints, between.leaguePoints, between.difference(),
                             row.difference(), row.pointsFor};
        }
    }
    return ordered;
}

QList<Row> ranked(const QList<ScheduledMatch> &matches, const LeaguePoints &points)
{
    const Table table = tally(matches, points);
    const std::map<QString, Key> key = keys(table, matches, points);
    QList<Row> rows;
    for (const auto &[team, row] : table)
        rows.append(row);
    std::stable_sort(rows.begin(), rows.end(), [&key](const Row &a, const Row &b) {
        return key.at(a.team) > key.at(b.team);
    });
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const bool level = i > 0 && key.at(rows.at(i).team) == key.at(rows.at(i - 1).team);
        rows[i].place = level ? rows.at(i - 1).place : int(i + 1);
    }
    return rows;
}

} // namespace

QList<Group> compute(const Schedule &schedule)
{
    QList<Group> groups;
    QList<QList<ScheduledMatch>> matches;
    for (const ScheduledMatch &match : schedule.matches) {
        const auto named = [&match](const Group &group) {
            return group.name == match.group;
        };
        qsizetype at = std::find_if(groups.cbegin(), groups.cend(), named) - groups.cbegin();
        if (at == groups.size()) {
            groups.append(Group{match.group, {}});
            matches.append(QList<ScheduledMatch>());
        }
        matches[at].append(match);
    }
    for (qsizetype i = 0; i < groups.size(); ++i)
        groups[i].rows = ranked(matches.at(i), schedule.points);
    return groups;
}

QByteArray csv(const QList<Group> &groups)
{
    // Column names for the spreadsheet that reads the file, not words on screen.
    // With its byte-order mark, so a spreadsheet reads it as UTF-8.
    QByteArray out("\xEF\xBB\xBF");
    out += CsvTable::line({QStringLiteral("Group"), QStringLiteral("Place"), QStringLiteral("Team"),
                           QStringLiteral("Played"), QStringLiteral("Won"), QStringLiteral("Drawn"),
                           QStringLiteral("Lost"), QStringLiteral("Points for"),
                           QStringLiteral("Points against"), QStringLiteral("Difference"),
                           QStringLiteral("League points")});
    for (const Group &group : groups) {
        for (const Row &row : group.rows)
            out += CsvTable::line(
                {group.name, QString::number(row.place), row.team, QString::number(row.played),
                 QString::number(row.won), QString::number(row.drawn), QString::number(row.lost),
                 QString::number(row.pointsFor), QString::number(row.pointsAgainst),
                 QString::number(row.difference()), QString::number(row.leaguePoints)});
    }
    return out;
}

} // namespace Standings
