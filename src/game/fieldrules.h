// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gamestate.h"

#include <array>
#include <optional>

// The eleven fields of the board, in its focus order.
enum class FieldId : qint16 {
    TimeBack,
    HomeBack,
    VisitorBack,
    picGoalBack,
    ShotClockBack,
    PenaltyTH1,
    PenaltyTV1,
    PenaltyTH2,
    PenaltyTV2,
    PenaltyTH3,
    PenaltyTV3,
};
constexpr int FieldCount = int(FieldId::PenaltyTV3) + 1;

enum class FieldKind { GameClock, ShotClock, Score, Goal, Penalty };

// What a field is: the count slot it runs (-1 for none), the figures it
// types into, and the highest value a typed entry may give.
struct FieldRule
{
    FieldKind kind;
    qint16 slot;
    std::optional<FigureRowId> row;
    qint32 entryLimit;
};

// The largest game time is 99:59; the shot and penalty clocks hold 9:59.
constexpr qint32 GameClockLimit = 5999;
constexpr qint32 ShortClockLimit = 599;

const FieldRule &fieldRule(FieldId field);
