// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/match.h"

#include "game/gamestate.h"
#include "timing/modcount.h"

#include <algorithm>

using modCount::GameSlot;
using modCount::ShotSlot;

namespace {

constexpr int Home = 1;
constexpr int Visitor = 2;

int otherTeam(int team)
{
    return team == Home ? Visitor : Home;
}

// What runs on the shot clock between points.
bool onShotClock(MatchPhase phase)
{
    return phase == MatchPhase::Break || phase == MatchPhase::Halftime ||
        phase == MatchPhase::Timeout;
}

// More steps than a game can take in one gap: a break, halftime, the
// second half and the overtime's break, each run out.
constexpr int MaxSettleSteps = 8;

} // namespace

void Match::restore(const SharedFormat &format, const MatchState &state)
{
    m_format = format;
    m_state = format ? state : MatchState{};
}

void Match::begin(const MatchFormat &format, MatchPlay &play)
{
    m_format = format;
    m_state = MatchState{};
    m_state.phase = MatchPhase::Ready;
    play.stopShotClock();
    play.loadGameClock(format.gameLength);
}

void Match::end(MatchPlay &play)
{
    if (!active() || m_state.phase == MatchPhase::Ended)
        return;
    const int home = play.scoreOf(Home);
    const int visitor = play.scoreOf(Visitor);
    finish(home > visitor ? MatchResult::Home
                          : (visitor > home ? MatchResult::Visitor : MatchResult::Draw),
           play);
}

bool Match::overtime() const
{
    return m_format && m_state.half > m_format->halves;
}

bool Match::between() const
{
    return m_state.phase == MatchPhase::Ready || onShotClock(m_state.phase);
}

std::optional<MatchRefusal> Match::pointRefused() const
{
    if (!active() || m_state.phase == MatchPhase::Point)
        return std::nullopt;
    return m_state.phase == MatchPhase::Ended ? MatchRefusal::MatchOver : MatchRefusal::NoPoint;
}

void Match::point(int team, MatchPlay &play)
{
    if (!active() || pointRefused())
        return;
    if (m_format->releasePenalty)
        releasePenalty(otherTeam(team), play);
    if (m_format->stopTime)
        play.stopPlay();
    if (decided(play))
        return;
    const int total = play.scoreOf(Home) + play.scoreOf(Visitor);
    m_state.switchEnds = m_format->switchEvery > 0 && total % m_format->switchEvery == 0;
    m_state.phase = MatchPhase::Break;
    play.runShotClock(m_format->breakLength, play.now());
}

// The race, the mercy rule and a sudden-death point end the match.
bool Match::decided(MatchPlay &play)
{
    const int home = play.scoreOf(Home);
    const int visitor = play.scoreOf(Visitor);
    const int lead = std::abs(home - visitor);
    const bool race = m_format->raceTo > 0 && std::max(home, visitor) >= m_format->raceTo;
    const bool mercy = m_format->mercy > 0 && lead >= m_format->mercy;
    const bool suddenDeath = overtime() && lead > 0;
    if (lead == 0 || !(race || mercy || suddenDeath))
        return false;
    finish(home > visitor ? MatchResult::Home : MatchResult::Visitor, play);
    play.soundEnd();
    return true;
}

void Match::corrected(MatchPlay &play)
{
    if (active() && m_state.phase != MatchPhase::Ended)
        decided(play);
}

void Match::releasePenalty(int team, MatchPlay &play)
{
    std::optional<qint16> least;
    for (const qint16 slot : team == Home ? HomePenaltySlots : VisitorPenaltySlots) {
        if (!play.clockCounting(slot) || play.clockNow(slot) <= ClockValue())
            continue;
        if (!least || play.clockNow(slot) < play.clockNow(*least))
            least = slot;
    }
    if (least)
        play.clearPenaltyClock(*least);
}

int Match::timeoutsLeft(int team) const
{
    if (!m_format || team < Home || team > Visitor)
        return 0;
    return std::max(0, m_format->timeouts - m_state.timeoutsUsed[size_t(team - 1)]);
}

std::optional<MatchRefusal> Match::timeoutRefused(int team) const
{
    if (m_state.phase == MatchPhase::Ended)
        return MatchRefusal::MatchOver;
    if (!between())
        return MatchRefusal::DuringPoint;
    if (timeoutsLeft(team) <= 0)
        return MatchRefusal::NoTimeoutsLeft;
    return std::nullopt;
}

// A timeout in a break adds to what is left of it; one called after the
// break ran out runs on the shot clock alone.
void Match::timeout(int team, MatchPlay &play)
{
    if (!active() || timeoutRefused(team))
        return;
    ++m_state.timeoutsUsed[size_t(team - 1)];
    const ClockValue left = onShotClock(m_state.phase) ? play.clockNow(ShotSlot) : ClockValue();
    // Called while the next point waits for the start key, it still does.
    m_state.startKeyAfter = m_state.startKeyAfter || m_state.phase == MatchPhase::Ready;
    m_state.phase = MatchPhase::Timeout;
    m_state.timeoutBy = qint16(team);
    play.runShotClock(std::min(left + m_format->timeoutLength, MatchFormatFile::ShotClockMost),
                      play.now());
}

bool Match::startKey(MatchPlay &play)
{
    if (!active() || !between())
        return false;
    play.stopShotClock();
    startPoint(play, play.now());
    return true;
}

void Match::startPoint(MatchPlay &play, SteadyInstant from)
{
    m_state.phase = MatchPhase::Point;
    m_state.switchEnds = false;
    m_state.timeoutBy = 0;
    m_state.startKeyAfter = false;
    play.putLampOut();
    play.startPlay(from);
}

bool Match::autoStarts() const
{
    return m_format->autoStart && !m_state.startKeyAfter;
}

bool Match::handOff() const
{
    return !active() || (onShotClock(m_state.phase) && autoStarts());
}

// A break, a halftime and a half can all have run out while the game was
// away: each step starts from where the one before ended.
void Match::settle(MatchPlay &play)
{
    if (!active())
        return;
    for (int step = 0; step < MaxSettleSteps && settleStep(play); ++step) { }
}

bool Match::settleStep(MatchPlay &play)
{
    if (m_state.phase == MatchPhase::Ended)
        return false;
    if (onShotClock(m_state.phase) && play.clockNow(ShotSlot) <= ClockValue()) {
        breakOver(play);
        return true;
    }
    const bool clockRuns = m_state.phase == MatchPhase::Point ||
        (!m_format->stopTime && m_state.phase != MatchPhase::Halftime);
    if (clockRuns && play.clockNow(GameSlot) <= ClockValue()) {
        halfOver(play);
        return true;
    }
    return false;
}

void Match::breakOver(MatchPlay &play)
{
    const SteadyInstant end = play.zeroOf(ShotSlot);
    play.stopShotClock();
    if (autoStarts()) {
        startPoint(play, end);
        return;
    }
    m_state.phase = MatchPhase::Ready;
    m_state.timeoutBy = 0;
    m_state.startKeyAfter = false;
}

// The game clock's zero, with its buzzer: halftime, overtime, a draw or
// the winner.
void Match::halfOver(MatchPlay &play)
{
    const SteadyInstant zero = play.zeroOf(GameSlot);
    play.stopPlay();
    play.stopShotClock();
    m_state.switchEnds = false;
    m_state.timeoutBy = 0;
    const int home = play.scoreOf(Home);
    const int visitor = play.scoreOf(Visitor);
    if (m_state.half < m_format->halves) {
        ++m_state.half;
        if (m_format->timeoutsPer == TimeoutsPer::Half)
            m_state.timeoutsUsed = {};
        play.loadGameClock(m_format->gameLength);
        m_state.phase = MatchPhase::Halftime;
        play.runShotClock(m_format->halftime, zero);
        return;
    }
    if (home != visitor) {
        finish(home > visitor ? MatchResult::Home : MatchResult::Visitor, play);
        return;
    }
    if (overtime() || m_format->overtime <= ClockValue()) {
        finish(MatchResult::Draw, play);
        return;
    }
    m_state.half = qint16(m_format->halves + 1);
    if (m_format->timeoutsPer == TimeoutsPer::Half)
        m_state.timeoutsUsed = {};
    play.loadGameClock(m_format->overtime);
    m_state.phase = MatchPhase::Break;
    play.runShotClock(m_format->breakLength, zero);
}

void Match::finish(MatchResult result, MatchPlay &play)
{
    play.stopPlay();
    play.stopShotClock();
    m_state.phase = MatchPhase::Ended;
    m_state.result = result;
    m_state.switchEnds = false;
    m_state.timeoutBy = 0;
    m_state.startKeyAfter = false;
}
