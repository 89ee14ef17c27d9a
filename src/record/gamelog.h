// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"
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
};

namespace GameLog {

// A clock as the board shows it: minutes and seconds, tenths under a minute.
QString clockText(ClockValue value);
// The log's columns, as the record window heads them and the CSV's header
// row names them.
QStringList columns();
// When a line was written, in local time with the date.
QString whenText(qint64 wallMs);
// A score as its figures show it; empty when blank.
QString scoreText(const std::array<int, 2> &figures);

// The log's line for an event written at `stamp`. The game clock is the one
// the board showed at that moment.
LogRow row(const GameEvent &event, const JournalFormat::Stamp &stamp, const QString &homeName,
           const QString &visitorName);

// The log as CSV: UTF-8 with a byte-order mark, a header row, fields quoted
// as RFC 4180 says, local date and time; the separator is a semicolon where
// the locale writes decimals with a comma.
QByteArray csv(const QList<LogRow> &rows, const QLocale &locale);

} // namespace GameLog
