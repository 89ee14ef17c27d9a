// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"
#include "game/gamehistory.h"
#include "record/journalformat.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

// One line of the game's log, as the record window shows it and the CSV
// export writes it.
struct LogRow
{
    qint64 wallMs = 0;
    QString gameClock;
    QString event;
    QString team;
    QString value;
    // A change that a later undo took back, and no redo put back: the log
    // keeps it, marked, for the log is the game's history.
    bool undone = false;
};

struct JournalEntry;

namespace GameLog {

// A clock as the board's figures show it: minutes and seconds, rounded up;
// seconds and tenths under a minute on the game clock. The shot clock and
// the penalty clocks show whole seconds only.
QString clockText(ClockValue value, bool wholeSecondsOnly = false);
// An event's kind as the log and the sheet show it.
QString eventName(GameEventKind kind);
// A penalty mark's state, as the log and the change words show it.
QString markText(MarkState mark);
// The log's columns, as the record window heads them and the CSV's header
// row names them.
QStringList columns();
// When a line was written, in local time with the date.
QString whenText(qint64 wallMs);
// A score as its figures show it; empty when blank.
QString scoreText(const std::array<int, 2> &figures);

// The log's line for an event written at `stamp`, with the team names the
// event holds. The game clock is the one the board showed at that moment.
LogRow row(const GameEvent &event, const JournalFormat::Stamp &stamp);
// Which events of a game read back stand after every undo and redo.
StandingChanges standing(const QList<JournalEntry> &entries);
// The log of a game read back, each change that was undone marked.
QList<LogRow> rows(const QList<JournalEntry> &entries);
// The event column: what happened, and whether it was taken back.
QString eventText(const LogRow &row);

// The log as CSV: UTF-8 with a byte-order mark, a header row, fields quoted
// as RFC 4180 says, local date and time; the separator is a semicolon where
// the locale writes decimals with a comma.
QByteArray csv(const QList<LogRow> &rows, const QLocale &locale);

} // namespace GameLog
