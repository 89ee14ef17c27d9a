// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

class TimeSource;

// The game journal's line format: one JSON object a line. The first line
// names the format and its version; each later line is one event with the
// wall-clock time (UTC milliseconds), the run of the computer (boot id) and
// its steady clock, the event's name and what it changed. Replaying the
// changes over the start-up game gives the game as it was after each line.
namespace JournalFormat {

constexpr int Version = 1;
// The events the journal adds of its own: the board closed (with the game
// whole), and a game the operator chose not to resume.
inline const QString ClosedName = QStringLiteral("closed");
inline const QString SetAsideName = QStringLiteral("set-aside");

// When a line was written: the wall clock, and the steady clock of the run
// of the computer it was written in.
struct Stamp
{
    qint64 wallMs = 0;
    QByteArray bootId;
    qint64 steadyMs = 0;
};

// Now, by the given clocks.
Stamp stampOf(const TimeSource &time);

QString kindName(GameEventKind kind);
std::optional<GameEventKind> kindFromName(const QString &name);

// The first line names the teams as the game began.
QByteArray headerLine(const Stamp &stamp, const QString &homeName = {},
                      const QString &visitorName = {});
QByteArray eventLine(const GameEvent &event, const Stamp &stamp);
// A line of the journal's own: `name` with the game whole.
QByteArray stateLine(const QString &name, const GameSnapshot &game, const Stamp &stamp);

// The fields of `after` that differ from `before`; all of them without one.
QJsonObject changes(const GameSnapshot &after, const GameSnapshot *before);
// Applies the changes of one line; false, with the game untouched, when
// any field is not what the journal writes.
bool applyChanges(GameSnapshot &game, const QJsonObject &changes);

bool readStamp(const QJsonObject &line, Stamp &stamp);

} // namespace JournalFormat
