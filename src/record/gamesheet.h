// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/savedgame.h"

#include <QString>

// The printable game sheet a league keeps: the teams, the final score, the
// goals with their game-clock times, the penalties with their times and
// lengths, when the game started and ended.
namespace GameSheet {

// The sheet as a rich-text document (HTML of our own, every text escaped):
// the result, as it stands after every undo and redo, with the team names
// the game's record holds.
QString html(const SavedGame &game);

// Writes the sheet as a PDF; false when the file cannot be written.
bool writePdf(const SavedGame &game, const QString &path);

} // namespace GameSheet
