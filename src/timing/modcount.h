// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/timesource.h"

#include <array>
#include <functional>
#include <optional>

// The eight count slots every clock of a game runs on. Slot 0 is the game
// clock, 1 to 6 the penalty clocks (home 1, home 2, visitor 1, visitor 2,
// home 3, visitor 3), 7 the shot clock. Each game owns its own `Counts`
// and its own time source; the procedures act on the slots they are given.
namespace modCount {

constexpr int SlotCount = 8;
constexpr qint16 GameSlot = 0;
constexpr qint16 ShotSlot = 7;
constexpr qint16 FirstPenaltySlot = 1;
constexpr qint16 LastPenaltySlot = 6;
// The game's length until the operator types another: 20 minutes.
constexpr ClockValue StartGameLength = ClockValue::fromSeconds(1200);
// The shot clock's length, to which its reset loads it.
constexpr ClockValue ShotLength = ClockValue::fromSeconds(120);

struct CountSlot
{
    ClockValue CountBase; // the value last loaded
    ClockValue CountBanked; // used up by earlier runs since that load
    bool CountRunning = false;
    std::optional<SteadyInstant> CountStart; // empty until first started
};

// The system's clocks, for a game given no other.
const TimeSource &systemTime();

struct Counts
{
    explicit Counts(const TimeSource &source = systemTime())
        : time(&source)
    {
    }

    std::array<CountSlot, SlotCount> table{};
    ClockValue GameLength = StartGameLength;
    const TimeSource *time;
    // The system beep, which the user interface provides.
    std::function<void()> beep;
};

void StartCount(Counts &counts, qint16 ClockNum);
// Banks the current run in whole tenths, up to the instant of the stop: the
// board's tick reads the running game clock at each of its tenths, so what
// is banked is what the board showed.
void StopCount(Counts &counts, qint16 ClockNum);
void SetCount(Counts &counts, ClockValue Value, qint16 ClockNum);
// Reading a slot changes nothing.
ClockValue CountValue(const Counts &counts, qint16 ClockNum);
bool IsCounting(const Counts &counts, qint16 ClockNum);

// floor(A / B) as a 16-bit whole number.
qint16 IntQuotient(ClockValue A, ClockValue B);

// Tenths elapsed between two instants: the whole-second difference plus the
// difference of the tenths digits, borrowing a second when the later tenths
// digit is the smaller.
qint64 elapsedTenths(const SteadyInstant &start, const SteadyInstant &now);

} // namespace modCount
