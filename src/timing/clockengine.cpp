// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/clockengine.h"

#include "timing/clockdisplay.h"
#include "timing/modcount.h"
#include "timing/timeofday.h"

using namespace modCount;

namespace {

void startGameAndPenalties()
{
    for (qint16 slot = GameSlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        StartCount(slot);
}

void stopGameAndPenalties()
{
    for (qint16 slot = GameSlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        StopCount(slot);
}

void stopPenalties()
{
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        StopCount(slot);
}

} // namespace

ClockEngine::ClockEngine(ClockBoard &board)
    : m_board(board)
{
}

void ClockEngine::startUp()
{
    state().GameLength = StartGameLength;
    SetCount(StartGameLength, GameSlot);
    showGameClock(StartGameLength);
    SetCount(ShotLength, ShotSlot);
}

void ClockEngine::restore(bool clockTime, bool gameZeroSeen, bool shotZeroSeen)
{
    m_clockTime = clockTime;
    m_gameZeroSeen = gameZeroSeen;
    m_shotZeroSeen = shotZeroSeen;
}

void ClockEngine::tick()
{
    const ClockValue game = CountValue(GameSlot);
    const ClockValue shot = CountValue(ShotSlot);
    // The game clock goes on counting, and is watched for zero, while the
    // time of day is shown in its place.
    showGameClock(m_clockTime ? timeOfDayValue(timeSource()) : game);
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
        startGameAndPenalties();
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
            DisplayTime(digits, CountValue(slot));
    }
}

void ClockEngine::startStopClock()
{
    m_clockTime = false;
    if (IsCounting(GameSlot)) {
        stopGameAndPenalties();
    } else {
        startGameAndPenalties();
        m_board.enableTick();
    }
}

void ClockEngine::resetClock()
{
    if (IsCounting(GameSlot))
        startStopClock();
    SetCount(state().GameLength, GameSlot);
    showGameClock(CountValue(GameSlot));
    m_clockTime = false;
}

void ClockEngine::startStopShot()
{
    if (!IsCounting(ShotSlot)) {
        StartCount(ShotSlot);
        stopPenalties();
    } else {
        StopCount(ShotSlot);
    }
}

// Both show their effect at once rather than at the next tick, which can be
// up to 100 ms away: the figures follow the key within the same frame.
void ClockEngine::resetShot()
{
    SetCount(ShotLength, ShotSlot);
    DisplayClock(CountValue(ShotSlot), m_board.shotDigits(), m_board.shotColon(), true);
}

void ClockEngine::switchClockTime()
{
    m_clockTime = !m_clockTime;
    showGameClock(m_clockTime ? timeOfDayValue(timeSource()) : CountValue(GameSlot));
}

void ClockEngine::startStopPenalty(qint16 slot)
{
    if (IsCounting(slot)) {
        StopCount(slot);
    } else {
        StartCount(slot);
        m_board.enableTick();
    }
}

void ClockEngine::enterGameTime(ClockValue value)
{
    if (IsCounting(GameSlot))
        startStopClock();
    SetCount(value, GameSlot);
    state().GameLength = value;
    showGameClock(CountValue(GameSlot));
}

void ClockEngine::enterShotTime(ClockValue value)
{
    SetCount(value, ShotSlot);
    DisplayClock(CountValue(ShotSlot), m_board.shotDigits(), m_board.shotColon(), true);
}

void ClockEngine::enterPenaltyTime(qint16 slot, ClockValue value)
{
    SetCount(value, slot);
    DisplayTime(m_board.penaltyDigits(slot), CountValue(slot));
    m_board.UpdatePenaltyColonColors();
    m_board.Penalty();
}

void ClockEngine::clearPenalty(qint16 slot)
{
    m_board.penaltyDigits(slot).blank();
    SetCount(ClockValue(), slot);
    m_board.UpdatePenaltyColonColors();
    m_board.Penalty();
}
