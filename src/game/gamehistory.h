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

    // The change whose shot clock ran out: the last one that touched the
    // shot clock, when it started a run of it.
    Entry *shotStarter();

    std::vector<Entry> m_done;
    std::vector<Entry> m_undone;
};

// What `from` to `to` changed, applied to `game`.
GameSnapshot carryChange(GameSnapshot game, const GameSnapshot &from, const GameSnapshot &to);

// Which of a game's events, in the order made, still stand after the undos
// and redos that came later, kept up as the events come; events that are
// no change of the operator's always stand.
class StandingChanges
{
public:
    // The earlier event that this undo took back or this redo put back.
    std::optional<size_t> add(GameEventKind kind);
    bool stands(size_t index) const { return m_stands.at(index); }

private:
    std::vector<bool> m_stands;
    std::vector<size_t> m_done;
    std::vector<size_t> m_undone;
};
