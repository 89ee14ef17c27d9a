// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/eventjson.h"

#include "event/scheduleplay.h"
#include "event/standings.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <iterator>

namespace EventJson {

namespace {

// By ScheduledState.
const char *const StateCodes[] = {"to-play", "under-way", "played", "forfeit"};
static_assert(std::size(StateCodes) == size_t(ScheduledState::Forfeit) + 1);

QJsonObject document(const char *format, const Schedule *schedule)
{
    return {{"format", format}, {"version", Version}, {"open", schedule != nullptr}};
}

QJsonObject row(const Standings::Row &row)
{
    return {{"team", row.team},
            {"place", row.place},
            {"played", row.played},
            {"won", row.won},
            {"drawn", row.drawn},
            {"lost", row.lost},
            {"for", row.pointsFor},
            {"against", row.pointsAgainst},
            {"difference", row.difference()},
            {"points", row.leaguePoints}};
}

} // namespace

QJsonObject match(const ScheduledMatch &match)
{
    const QJsonValue result = match.decided()
        ? QJsonValue(QJsonObject{{"home", match.result.home}, {"visitor", match.result.visitor}})
        : QJsonValue(QJsonValue::Null);
    return {{"start", match.start.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))},
            {"field", match.field},
            {"group", match.group},
            {"home", match.home},
            {"visitor", match.visitor},
            {"format", match.format},
            {"state", StateCodes[int(match.state)]},
            {"result", result}};
}

QByteArray schedule(const Schedule *schedule)
{
    QJsonObject out = document("vantrell-schedule", schedule);
    QJsonArray matches;
    QJsonValue next = QJsonValue::Null;
    if (schedule) {
        for (const ScheduledMatch &m : schedule->matches)
            matches.append(match(m));
        if (const auto index = SchedulePlay::nextMatch(*schedule, schedule->field))
            next = qint64(*index);
    }
    out.insert(QStringLiteral("field"), schedule ? schedule->field : QString());
    out.insert(QStringLiteral("next"), next);
    out.insert(QStringLiteral("matches"), matches);
    return QJsonDocument(out).toJson(QJsonDocument::Compact);
}

QByteArray standings(const Schedule *schedule)
{
    QJsonObject out = document("vantrell-standings", schedule);
    QJsonArray groups;
    for (const Standings::Group &group :
         schedule ? Standings::compute(*schedule) : QList<Standings::Group>()) {
        QJsonArray rows;
        for (const Standings::Row &r : group.rows)
            rows.append(row(r));
        groups.append(QJsonObject{{"name", group.name}, {"rows", rows}});
    }
    out.insert(QStringLiteral("groups"), groups);
    return QJsonDocument(out).toJson(QJsonDocument::Compact);
}

} // namespace EventJson
