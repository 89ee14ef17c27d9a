// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/digitset.h"
#include "timing/modcount.h"
#include "timing/timeofday.h"

#include <QtGlobal>

// What the clocks need of the board that shows them.
class ClockBoard
{
public:
    virtual ~ClockBoard() = default;

    virtual DigitSet &gameDigits() = 0;
    virtual ColonDots &gameColon() = 0;
    virtual DigitSet &shotDigits() = 0;
    virtual ColonDots &shotColon() = 0;
    // The figures of the penalty clock that runs on count slot 1 to 6.
    virtual DigitSet &penaltyDigits(qint16 slot) = 0;

    virtual void Buzzer() = 0;
    virtual void Horn() = 0;
    virtual void Penalty() = 0;
    virtual void UpdatePenaltyColonColors() = 0;
    // Whether the shot clock's run-out starts the game clock and the
    // penalties now: always, unless a match waits for its start key.
    virtual bool ShotHandOff() const { return true; }
};

// A game's clocks: the tick that reads and shows them, the commands that
// start, stop and reload them, and the alarms at zero, on the count slots
// of the game that owns the engine. Plain logic.
class ClockEngine
{
public:
    static constexpr qint16 FirstPenaltySlot = modCount::FirstPenaltySlot;
    static constexpr qint16 LastPenaltySlot = modCount::LastPenaltySlot;

    ClockEngine(ClockBoard &board, modCount::Counts &counts);

    // True while the game clock figures show the time of day.
    bool clockTime() const { return m_clockTime; }
    // Whether the alarm for each clock's present arrival at zero has had
    // its turn.
    bool gameZeroSeen() const { return m_gameZeroSeen; }
    bool shotZeroSeen() const { return m_shotZeroSeen; }
    // Takes up a game kept elsewhere; an alarm marked as seen stays silent.
    void restore(bool clockTime, bool gameZeroSeen, bool shotZeroSeen);

    // Game clock 20:00 shown at once, shot clock 2:00 from the first tick,
    // everything stopped.
    void startUp();
    void tick();

    void startStopClock();
    void resetClock();
    void startStopShot();
    void resetShot();
    void switchClockTime();
    // Starts or stops one penalty clock on its own.
    void startStopPenalty(qint16 slot);

    void enterGameTime(ClockValue value);
    void enterShotTime(ClockValue value);
    void enterPenaltyTime(qint16 slot, ClockValue value);
    void clearPenalty(qint16 slot);

private:
    void showGameClock(ClockValue value);
    void watchGameZero(ClockValue game);
    void watchShotZero(ClockValue shot);
    void refreshPenaltyClocks();

    ClockBoard &m_board;
    modCount::Counts &m_counts;
    TimeOfDayCache m_timeOfDay;
    bool m_clockTime = false;
    bool m_gameZeroSeen = false;
    bool m_shotZeroSeen = false;
};
