// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"

#include <optional>
#include <vector>

// The operator's changes to the game, for undo and redo. Undoing a change
// puts back, in the game as it is now, just what that change altered: the
// changes after it and the clocks' running since stay. The buzzer, the horn,
// the options and the ticks are not undone; the shot clock's hand-off goes
// with the start of the shot clock that caused it.
class GameHistory
{
public:
    // Every event the game announces; a new change ends what can be redone.
    void record(const GameEvent &event);
    // An event read back from the game's journal, undo and redo included.
    void replay(const GameEvent &event);
    void clear();

    // The game with the last change undone, and which change it was;
    // nothing when no change is left.
    std::optional<GameSnapshot> undo(const GameSnapshot &now, GameEventKind *undone);
    std::optional<GameSnapshot> redo(const GameSnapshot &now, GameEventKind *redone);

    static bool undoable(GameEventKind kind);

private:
    struct Entry
    {
        GameEvent change;
        std::vector<GameEvent> caused;
    };

    std::vector<Entry> m_done;
    std::vector<Entry> m_undone;
};

// What `from` to `to` changed, applied to `game`.
GameSnapshot carryChange(GameSnapshot game, const GameSnapshot &from, const GameSnapshot &to);
