// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"
#include "game/matchstate.h"
#include "timing/clockvalue.h"
#include "timing/timesource.h"

#include <optional>

// What a match's rules do to the game they run on, and read of it; the
// game owns the clocks, the scores, the lamp and the penalties.
class MatchPlay
{
public:
    virtual ~MatchPlay() = default;

    virtual ClockValue clockNow(qint16 slot) const = 0;
    virtual bool clockCounting(qint16 slot) const = 0;
    // A team's score, 1 home or 2 visitor.
    virtual int scoreOf(int team) const = 0;
    virtual SteadyInstant now() const = 0;
    // When a running clock reaches or reached zero; now for one stopped.
    virtual SteadyInstant zeroOf(qint16 slot) const = 0;
    virtual void stopPlay() = 0;
    // The game clock and the penalties run as from `from`; those running
    // already run on.
    virtual void startPlay(SteadyInstant from) = 0;
    virtual void stopShotClock() = 0;
    // The shot clock loaded and run as from `from`; the penalties keep
    // running.
    virtual void runShotClock(ClockValue value, SteadyInstant from) = 0;
    virtual void loadGameClock(ClockValue value) = 0;
    virtual void clearPenaltyClock(qint16 slot) = 0;
    virtual void putLampOut() = 0;
    virtual void soundEnd() = 0;
};

// The rules of a match, driven by the game's events: a point, a score
// corrected, a timeout called, the start key, and the clocks as they
// stand after a tick or a restore. It keeps its format and its state and
// nothing the game keeps.
class Match
{
public:
    bool active() const { return bool(m_format); }
    const SharedFormat &format() const { return m_format; }
    const MatchState &state() const { return m_state; }
    // A match kept elsewhere; no format is no match.
    void restore(const SharedFormat &format, const MatchState &state);

    // The first half loaded, waiting for the start key.
    void begin(const MatchFormat &format, MatchPlay &play);
    // The match ends as the score stands.
    void end(MatchPlay &play);

    // Whether a lamp may give a point now.
    std::optional<MatchRefusal> pointRefused() const;
    // After the game gave `team` its point.
    void point(int team, MatchPlay &play);
    // After a score typed or changed with + and -.
    void corrected(MatchPlay &play);
    std::optional<MatchRefusal> timeoutRefused(int team) const;
    void timeout(int team, MatchPlay &play);
    // The start key between points starts the next one; true when it did.
    bool startKey(MatchPlay &play);
    // After a tick or a restore: a break that ran out, a half that ended,
    // each as of the moment its clock reached zero, so that a game taken
    // up again after a gap, or by an undo, stands where true time says.
    void settle(MatchPlay &play);
    // Whether the shot clock's run-out starts the game clock and the
    // penalties, as it does with no match.
    bool handOff() const;

    int timeoutsLeft(int team) const;
    bool overtime() const;
    bool between() const;

private:
    // Whether the break's end starts the next point by itself.
    bool autoStarts() const;
    // One step of settling; false when nothing was due.
    bool settleStep(MatchPlay &play);
    void breakOver(MatchPlay &play);
    void halfOver(MatchPlay &play);
    void finish(MatchResult result, MatchPlay &play);
    void startPoint(MatchPlay &play, SteadyInstant from);
    bool decided(MatchPlay &play);
    void releasePenalty(int team, MatchPlay &play);

    SharedFormat m_format;
    MatchState m_state;
};
