// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gamestate.h"
#include "record/journalformat.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One event of a journal, with when it was written.
struct JournalEntry
{
    JournalFormat::Stamp stamp;
    GameEvent event;
};

// A game as its journal left it: the state after the last whole line, and
// the events that led there.
struct SavedGame
{
    QString path;
    qint64 startedMs = 0;
    GameSnapshot game = GameSnapshot::startUp();
    // When the last whole line was written.
    JournalFormat::Stamp last;
    bool closed = false;
    // The operator chose a new game over this one.
    bool setAside = false;
    // The team names of the last options confirmed, if any were.
    QString homeName;
    QString visitorName;
    QList<JournalEntry> events;
};

// What the operator is asked when the board opens.
enum class ResumeOffer { None, ResumeByDefault, NewGameByDefault };

namespace SavedGames {

// Reads a journal. A last line cut off before its end is left out; any
// other line that is not what the journal writes, or a format or version
// this program does not know, makes the whole journal unreadable.
std::optional<SavedGame> read(const QByteArray &journal);

// Reads the journal at `path`; nothing when it cannot be opened or read.
std::optional<SavedGame> readFile(const QString &path);

// The newest journal in the folder, by its name (the game's start time).
QString newestJournal(const QString &folder);

// Keeps a journal that cannot be read beside the others, under a name no
// journal has, and returns that name.
QString setAsideDamaged(const QString &path);

// A game not closed is offered, Resume first, when it holds a change; a game closed while under
// way (a clock running, or the game clock neither full nor at zero) too,
// New game first.
ResumeOffer offerFor(const SavedGame &saved);

// The game with its running clocks carried to `now`: on the steady clock
// when the computer has run since without a restart, on the wall clock
// across one.
GameSnapshot carriedTo(const SavedGame &saved, const JournalFormat::Stamp &now);

// A clock as it read at `now`; the game clock for the question and the log.
ClockValue clockAt(const SlotState &slot, const JournalFormat::Stamp &now);
ClockValue gameClockAt(const GameSnapshot &game, const JournalFormat::Stamp &now);

} // namespace SavedGames
