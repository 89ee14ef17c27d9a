// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/clockengine.h"

#include "timing/clockdisplay.h"
#include "timing/modcount.h"
#include "timing/timeofday.h"

using namespace modCount;

namespace {

void startGameAndPenalties(Counts &counts)
{
    for (qint16 slot = GameSlot; slot <= LastPenaltySlot; ++slot)
        StartCount(counts, slot);
}

void stopGameAndPenalties(Counts &counts)
{
    for (qint16 slot = GameSlot; slot <= LastPenaltySlot; ++slot)
        StopCount(counts, slot);
}

void stopPenalties(Counts &counts)
{
    for (qint16 slot = FirstPenaltySlot; slot <= LastPenaltySlot; ++slot)
        StopCount(counts, slot);
}

} // namespace

ClockEngine::ClockEngine(ClockBoard &board, Counts &counts)
    : m_board(board)
    , m_counts(counts)
{
}

void ClockEngine::startUp()
{
    m_counts.GameLength = StartGameLength;
    SetCount(m_counts, StartGameLength, GameSlot);
    showGameClock(StartGameLength);
    SetCount(m_counts, ShotLength, ShotSlot);
}

void ClockEngine::restore(bool clockTime, bool gameZeroSeen, bool shotZeroSeen)
{
    m_clockTime = clockTime;
    m_gameZeroSeen = gameZeroSeen;
    m_shotZeroSeen = shotZeroSeen;
}

void ClockEngine::tick()
{
    const ClockValue game = CountValue(m_counts, GameSlot);
    const ClockValue shot = CountValue(m_counts, ShotSlot);
    // The game clock goes on counting, and is watched for zero, while the
    // time of day is shown in its place.
    showGameClock(m_clockTime ? m_timeOfDay.value(*m_counts.time) : game);
    DisplayClock(shot, m_board.shotDigits(), m_board.shotColon(), true);
    watchGameZero(game);
    watchShotZero(shot);
    refreshPenaltyClocks();
    m_board.Penalty();
    m_board.UpdatePenaltyColonColors();
}

void ClockEngine::showGameClock(ClockValue value)
{
    DisplayClock(value, m_board.gameDigits(), m_board.gameColon(), false);
}

// Each alarm sounds once per arrival at zero; only a tick that finds the
// clock above zero again, after a reload, re-arms it.
void ClockEngine::watchGameZero(ClockValue game)
{
    if (game > ClockValue()) {
        m_gameZeroSeen = false;
    } else if (!m_gameZeroSeen) {
        m_gameZeroSeen = true;
        m_board.Buzzer();
    }
}

void ClockEngine::watchShotZero(ClockValue shot)
{
    if (shot <= ClockValue() && !m_shotZeroSeen) {
        m_shotZeroSeen = true;
        if (m_board.ShotHandOff())
            startGameAndPenalties(m_counts);
        m_board.Horn();
    }
    if (shot > ClockValue())
        m_shotZeroSeen = false;
}

// A blank penalty clock is not read: it stays blank until a time is typed.
void ClockEngine::refreshPenaltyClocks()
{
    for (qint16 slot = FirstPenaltySlot; slot <= LastPenaltySlot; ++slot) {
        DigitSet &digits = m_board.penaltyDigits(slot);
        if (digits.shows(0))
            DisplayTime(digits, CountValue(m_counts, slot));
    }
}

void ClockEngine::startStopClock()
{
    m_clockTime = false;
    if (IsCounting(m_counts, GameSlot)) {
        stopGameAndPenalties(m_counts);
    } else {
        startGameAndPenalties(m_counts);
    }
}

void ClockEngine::resetClock()
{
    if (IsCounting(m_counts, GameSlot))
        startStopClock();
    SetCount(m_counts, m_counts.GameLength, GameSlot);
    showGameClock(CountValue(m_counts, GameSlot));
    m_clockTime = false;
}

void ClockEngine::startStopShot()
{
    if (!IsCounting(m_counts, ShotSlot)) {
        StartCount(m_counts, ShotSlot);
        stopPenalties(m_counts);
    } else {
        StopCount(m_counts, ShotSlot);
    }
}

// Both show their effect at once rather than at the next tick, which can be
// up to 100 ms away: the figures follow the key within the same frame.
void ClockEngine::resetShot()
{
    SetCount(m_counts, ShotLength, ShotSlot);
    DisplayClock(CountValue(m_counts, ShotSlot), m_board.shotDigits(), m_board.shotColon(), true);
}

void ClockEngine::switchClockTime()
{
    m_clockTime = !m_clockTime;
    showGameClock(m_clockTime ? m_timeOfDay.value(*m_counts.time) : CountValue(m_counts, GameSlot));
}

void ClockEngine::startStopPenalty(qint16 slot)
{
    if (IsCounting(m_counts, slot)) {
        StopCount(m_counts, slot);
    } else {
        StartCount(m_counts, slot);
    }
}

void ClockEngine::enterGameTime(ClockValue value)
{
    if (IsCounting(m_counts, GameSlot))
        startStopClock();
    SetCount(m_counts, value, GameSlot);
    m_counts.GameLength = value;
    showGameClock(CountValue(m_counts, GameSlot));
}

void ClockEngine::enterShotTime(ClockValue value)
{
    SetCount(m_counts, value, ShotSlot);
    DisplayClock(CountValue(m_counts, ShotSlot), m_board.shotDigits(), m_board.shotColon(), true);
}

void ClockEngine::enterPenaltyTime(qint16 slot, ClockValue value)
{
    SetCount(m_counts, value, slot);
    DisplayTime(m_board.penaltyDigits(slot), CountValue(m_counts, slot));
    m_board.UpdatePenaltyColonColors();
    m_board.Penalty();
}

void ClockEngine::clearPenalty(qint16 slot)
{
    m_board.penaltyDigits(slot).blank();
    SetCount(m_counts, ClockValue(), slot);
    m_board.UpdatePenaltyColonColors();
    m_board.Penalty();
}
