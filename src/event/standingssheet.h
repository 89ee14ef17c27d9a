// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/standings.h"

#include <QString>

// The standings as a printable page, beside the game sheets: each group's
// table under the event's title.
namespace StandingsSheet {

QString html(const QList<Standings::Group> &groups, const QString &title);
bool writePdf(const QList<Standings::Group> &groups, const QString &title, const QString &path);

} // namespace StandingsSheet
