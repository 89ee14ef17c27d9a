// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gamestate.h"

#include <QString>

// What changed the game. The journal writes each by name; the names are
// kept in one table beside the journal's format.
enum class GameEventKind : qint16 {
    ClockStart,
    ClockStop,
    ClockReset,
    GameTime,
    ShotStart,
    ShotStop,
    ShotReset,
    ShotTime,
    TimeOfDay,
    PenaltyStart,
    PenaltyStop,
    PenaltyTime,
    PenaltyClear,
    Score,
    Lamp,
    Mark,
    Buzzer,
    Horn,
    // A clock reached zero on the tick: the game clock with its buzzer, the
    // shot clock with its horn and the hand-off, any other without a sound.
    GameZero,
    ShotZero,
    ClockZero,
    Options,
    Resumed,
    // The operator's last change taken back, or put back again; `subject`
    // names the kind of change.
    Undo,
    Redo,
    // A match begun by its format, a team's timeout, a match ended early.
    MatchBegin,
    Timeout,
    MatchEnd,
};

// One change to the game: the game as it was before and after, what did
// it, and what it was done to (a count slot, a team, a mark), -1 for none.
struct GameEvent
{
    GameEventKind kind;
    int subject = -1;
    GameSnapshot before;
    GameSnapshot after;
    // The team names, for the options confirmed.
    QString homeName;
    QString visitorName;
};
