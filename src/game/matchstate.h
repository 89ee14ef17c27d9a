// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// Where a match stands. `Off` is no match: the board as it always was.
enum class MatchPhase : qint16 {
    Off = 0,
    // Between points, the break over: the start key starts the next point.
    Ready = 1,
    Point = 2,
    Break = 3,
    Halftime = 4,
    Timeout = 5,
    Ended = 6,
};
enum class MatchResult : qint16 { None = 0, Home = 1, Visitor = 2, Draw = 3 };
// Why the match refused a lamp or a timeout; nothing changed.
enum class MatchRefusal : qint16 {
    NoPoint,
    MatchOver,
    DuringPoint,
    NoTimeoutsLeft,
};

// The match's own part of a game: everything else (scores, clocks, lamp,
// penalties) is the game's, and the match reads it there.
struct MatchState
{
    MatchPhase phase = MatchPhase::Off;
    // 1 and 2 are the halves; one past the format's halves is overtime.
    qint16 half = 1;
    // Timeouts taken, home and visitor, this half or this match as the
    // format counts them.
    std::array<qint16, 2> timeoutsUsed{};
    // The team whose timeout runs, 1 home, 2 visitor, 0 none.
    qint16 timeoutBy = 0;
    // The teams switch ends in this break.
    bool switchEnds = false;
    // A timeout called while the next point waited for the start key: the
    // point still waits for it when the timeout is over.
    bool startKeyAfter = false;
    MatchResult result = MatchResult::None;

    bool operator==(const MatchState &) const = default;
};
