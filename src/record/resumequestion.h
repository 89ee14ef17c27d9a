// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/savedgame.h"

#include <QString>

// The question the operator is asked about a game found unfinished: when
// it started, the teams, the score, the game clock and whether it runs.
// `game` is the saved game carried to now; names default to the ones the
// board shows when the journal holds none.
QString resumeQuestion(const SavedGame &saved, const GameSnapshot &game, ClockValue gameClock,
                       const QString &homeName, const QString &visitorName);
