// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>

struct Schedule;
struct ScheduledMatch;

// The day's event as the live feed tells it: /schedule.json and
// /standings.json, each one compact JSON object with its "format" and
// "version", as /state.json has. Given no schedule (no event open), each is
// still a whole document: "open" false and its lists empty.
//
// A match is {start, field, group, home, visitor, format, state, result}:
// start in local time as "yyyy-MM-ddTHH:mm:ss"; state one of the codes
// "to-play", "under-way", "played", "forfeit", which stay as they are
// whatever the pages call them; result {home, visitor} once decided, else
// null. The schedule adds this computer's "field" (empty: any field) and
// "next", the index of the first match to play there, or null. A group's
// row is {team, place, played, won, drawn, lost, for, against, difference,
// points}; the day without groups is one group named "".
namespace EventJson {

constexpr int Version = 1;

QByteArray schedule(const Schedule *schedule);
QByteArray standings(const Schedule *schedule);

QJsonObject match(const ScheduledMatch &match);

} // namespace EventJson
