// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"
#include "record/journalformat.h"

#include <QString>
#include <QStringList>

// What a change did to a match, in the words the log and the sheet give
// it: "Point Alpha 3–2 at 11:42", "Break 2:00", "Switch ends", "Timeout
// Bravo", "Halftime", "Overtime", "Alpha wins 7–4", "Draw 5–5". Read from
// the match and the scores in the event's snapshots before and after, and
// the team names the event holds; nothing for a game with no match, nor for
// an undo, a redo or a resume, whose own words say what they did.
namespace MatchWords {

QStringList lines(const GameEvent &event, const JournalFormat::Stamp &stamp);

// The team (1 home, 2 visitor) whose timeout the change began, or 0.
int timeoutTaken(const GameEvent &event);

// The match's end as the scores stand: the winner with the scores, a draw,
// or nothing while it is played.
QString result(const GameSnapshot &game, const QString &homeName, const QString &visitorName);

// A format's main figures in a line: "2 × 10:00, race to 7, 1 timeout a half".
QString figures(const MatchFormat &format);

} // namespace MatchWords
