// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/modcount.h"
#include "timing/timesource.h"

#include <QtGlobal>

#include <array>
#include <optional>

// Which goal lamp is lit.
enum class GoalLamp : qint16 { None = 0, Home = 1, Visitor = 2 };
// Which lamp of a penalty mark is lit.
enum class MarkState : qint16 { Dark = 0, Red = 1, Green = 2 };

// The rows of figures the game holds: the clocks by their count slot, then
// the two scores.
enum class FigureRowId : qint16 {
    GameClock = modCount::GameSlot,
    ShotClock = modCount::ShotSlot,
    HomeScore = modCount::SlotCount,
    VisitorScore,
};
constexpr int FigureRowCount = int(FigureRowId::VisitorScore) + 1;
constexpr int PenaltyCount = 6;
// Minutes and seconds on the two clocks; minutes and seconds, one figure
// of minutes, on the penalty clocks; tens and ones on the scores.
constexpr int ClockFigureCount = 4;
constexpr int PenaltyFigureCount = 3;
constexpr int ScoreFigureCount = 2;

// One count slot as the game keeps it: what was loaded, what earlier runs
// used, and the start of the current run on the steady clock.
struct SlotState
{
    ClockValue base;
    ClockValue banked;
    bool running = false;
    std::optional<SteadyInstant> start;

    bool operator==(const SlotState &) const = default;
};

// Everything that makes the game what it is, without the figures that
// follow from the clocks: enough to show the board again as it was. Two
// snapshots differ exactly when the operator or a clock changed the game.
struct GameSnapshot
{
    std::array<SlotState, modCount::SlotCount> clocks{};
    ClockValue gameLength = modCount::StartGameLength;
    // The score figures as shown, ones first; -1 is a blank figure.
    std::array<int, 2> home{0, -1};
    std::array<int, 2> visitor{0, -1};
    GoalLamp lamp = GoalLamp::None;
    std::array<MarkState, PenaltyCount> marks{};
    bool timeOfDay = false;
    // Whether each penalty clock, slot 1 to 6, shows figures or is blank.
    std::array<bool, PenaltyCount> penaltyShown{};
    // An alarm already sounded for the clock's arrival at zero.
    bool gameZeroSeen = false;
    bool shotZeroSeen = false;

    bool operator==(const GameSnapshot &) const = default;

    // The game as the board opens: 20:00 and 2:00 loaded, all stopped.
    static GameSnapshot startUp();
};

// The game clock's value as the snapshot holds it, at the moment it was
// taken (a running clock's run since its start is not counted).
inline ClockValue loadedValue(const SlotState &slot)
{
    return slot.base - slot.banked;
}
