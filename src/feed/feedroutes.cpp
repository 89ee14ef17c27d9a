// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/feedroutes.h"

#include <QList>
#include <QString>

namespace FeedRoutes {

namespace {

constexpr char Html[] = "text/html; charset=utf-8";
constexpr char Script[] = "text/javascript; charset=utf-8";
constexpr char Style[] = "text/css; charset=utf-8";
constexpr char Json[] = "application/json";

const Route Routes[] = {
    {"/", Kind::File, "index.html", Html},
    {"/overlay", Kind::File, "overlay.html", Html},
    {"/board", Kind::File, "board.html", Html},
    {"/wall", Kind::File, "wall.html", Html},
    {"/schedule", Kind::File, "schedule.html", Html},
    {"/feed.js", Kind::File, "feed.js", Script},
    {"/segments.js", Kind::File, "segments.js", Script},
    {"/feed.css", Kind::File, "feed.css", Style},
    {"/layout.json", Kind::Layout, nullptr, Json},
    {"/state.json", Kind::State, nullptr, Json},
    {"/schedule.json", Kind::Schedule, nullptr, Json},
    {"/standings.json", Kind::Standings, nullptr, Json},
    {"/live", Kind::Live, nullptr, nullptr},
};

} // namespace

const Route *find(QStringView path)
{
    for (const Route &route : Routes) {
        if (path == QLatin1String(route.path))
            return &route;
    }
    return nullptr;
}

QList<Route> all()
{
    return QList<Route>(std::begin(Routes), std::end(Routes));
}

} // namespace FeedRoutes
