// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchstate.h"

#include <QString>
#include <QStringList>

class Game;

// The match's line along the bottom of the board, the audience display
// and the feed's pages, in the order shown: the format's name, the half
// or "Overtime", the race, the timeouts left, then what is happening now
// ("Break", "Halftime", "Timeout Home", "Switch ends") or the result. No
// match, no strip: the list is empty.
QStringList matchStrip(const Game &game);

// The short line that says why a lamp or a timeout gave nothing.
QString refusalText(MatchRefusal why, const QString &teamName);
