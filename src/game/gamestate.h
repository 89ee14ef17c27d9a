// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"
#include "game/matchstate.h"
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
// Each team's penalty clocks by count slot, in the board's order from the
// top; the marks follow the same order, home's 0 to 2 and visitor's 3 to 5.
constexpr std::array<qint16, 3> HomePenaltySlots = {1, 2, 5};
constexpr std::array<qint16, 3> VisitorPenaltySlots = {3, 4, 6};
constexpr bool homePenaltySlot(int slot)
{
    return slot == HomePenaltySlots[0] || slot == HomePenaltySlots[1] ||
        slot == HomePenaltySlots[2];
}
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
    // The match played, whole, so that a format file changed later never
    // changes this game; none is no match.
    SharedFormat format;
    MatchState match;

    bool operator==(const GameSnapshot &) const = default;

    // The game as the board opens: 20:00 and 2:00 loaded, all stopped.
    static GameSnapshot startUp();
};

namespace GameFields {

// Stands for any member's value: an aggregate takes as many of these as it
// has members.
struct AnyMember
{
    template<typename T> operator T() const;
};

template<typename T, typename... Members> constexpr int memberCount()
{
    if constexpr (requires { T{Members{}..., AnyMember{}}; })
        return memberCount<T, Members..., AnyMember>();
    else
        return sizeof...(Members);
}

// How undo carries a field back: element by element (each clock, mark and
// penalty on its own), or whole (a score's figures belong together).
enum class Carry { Whole, EachElement };

} // namespace GameFields

// Every field of a game, once, with the name the journal gives it: the
// game's history, the journal's lines and the test of both walk this list.
// A field added to the game and not here fails to build.
template<typename Visit> constexpr void forEachGameField(Visit &&visit)
{
    using C = GameFields::Carry;
    visit("s", &GameSnapshot::clocks, C::EachElement);
    visit("length", &GameSnapshot::gameLength, C::Whole);
    visit("home", &GameSnapshot::home, C::Whole);
    visit("visitor", &GameSnapshot::visitor, C::Whole);
    visit("lamp", &GameSnapshot::lamp, C::Whole);
    visit("marks", &GameSnapshot::marks, C::EachElement);
    visit("penalties", &GameSnapshot::penaltyShown, C::EachElement);
    visit("timeOfDay", &GameSnapshot::timeOfDay, C::Whole);
    visit("gameZero", &GameSnapshot::gameZeroSeen, C::Whole);
    visit("shotZero", &GameSnapshot::shotZeroSeen, C::Whole);
    visit("format", &GameSnapshot::format, C::Whole);
    visit("match", &GameSnapshot::match, C::Whole);
}

static_assert(
    [] {
        int listed = 0;
        forEachGameField([&](const char *, auto, GameFields::Carry) { ++listed; });
        return listed;
    }() == GameFields::memberCount<GameSnapshot>(),
    "every field of GameSnapshot is listed in forEachGameField");

// A score as a number, from its figures as shown (ones first, -1 blank).
constexpr int scoreValue(const std::array<int, 2> &figures)
{
    return (figures[0] > 0 ? figures[0] : 0) + 10 * (figures[1] > 0 ? figures[1] : 0);
}

// The game clock's value as the snapshot holds it, at the moment it was
// taken (a running clock's run since its start is not counted).
inline ClockValue loadedValue(const SlotState &slot)
{
    return slot.base - slot.banked;
}
