// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/timesource.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

// The eight count slots every clock of the board runs on, and the typed
// entry they share. Slot 0 is the game clock, 1 to 6 the penalty clocks
// (home 1, home 2, visitor 1, visitor 2, home 3, visitor 3), 7 the shot clock.
namespace modCount {

constexpr int SlotCount = 8;
constexpr qint16 GameSlot = 0;
constexpr qint16 ShotSlot = 7;
// The game's length until the operator types another: 20 minutes.
constexpr ClockValue StartGameLength = ClockValue::fromSeconds(1200);
// The shot clock's length, to which its reset loads it.
constexpr ClockValue ShotLength = ClockValue::fromSeconds(120);

struct CountSlot
{
    ClockValue CountBase; // the value last loaded
    ClockValue CountBanked; // used up by earlier runs since that load
    ClockValue CountElapsed; // the current run as of the latest reading
    bool CountRunning = false;
    std::optional<SteadyInstant> CountStart; // empty until first started
};

struct State
{
    std::array<CountSlot, SlotCount> table{};
    ClockValue GameLength = StartGameLength;
    QString EntryText;
    QString EntryOwner;
    const TimeSource *time = nullptr;
    std::function<void()> beep;
};

State &state();

// Starts afresh: every slot stopped and empty, the buffers empty. A null
// source means the system's clocks.
void reset(const TimeSource *time = nullptr);
void setTimeSource(const TimeSource *time);
const TimeSource &timeSource();
// The system beep, which the user interface provides.
void setBeep(std::function<void()> beep);

void StartCount(qint16 ClockNum);
void StopCount(qint16 ClockNum);
void SetCount(ClockValue Value, qint16 ClockNum);
ClockValue CountValue(qint16 ClockNum);
bool IsCounting(qint16 ClockNum);

// floor(A / B) as a 16-bit whole number.
qint16 IntQuotient(ClockValue A, ClockValue B);

// Tenths elapsed between two instants: the whole-second difference plus the
// difference of the tenths digits, borrowing a second when the later tenths
// digit is the smaller.
qint64 elapsedTenths(const SteadyInstant &start, const SteadyInstant &now);

} // namespace modCount
