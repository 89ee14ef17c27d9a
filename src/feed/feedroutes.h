// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Everything the live feed serves, by path: a fixed table. No other path
// is answered, and no file is ever opened from a path a client sent.
namespace FeedRoutes {

enum class Kind {
    File, // one of the program's own web files
    Layout, // where the board's controls sit, for pages that draw it
    State, // the state now, as JSON
    Schedule, // the day's event: its matches, as JSON
    Standings, // the day's event: each group's table, as JSON
    Live, // the state and each change, over a WebSocket
};

struct Route
{
    const char *path;
    Kind kind;
    // For a file: its name in the program's web folder, and its type.
    const char *file;
    const char *contentType;
};

// The route of a path, or null.
const Route *find(QStringView path);
// Every route, in the table's order.
QList<Route> all();

} // namespace FeedRoutes
