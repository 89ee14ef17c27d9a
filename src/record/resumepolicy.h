// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/savedgame.h"

#include <QList>
#include <QString>

#include <optional>

// What the board offers at its opening: the newest journal of the folder,
// when it holds a game left under way. A journal that cannot be read is
// kept aside under a name of its own and offers nothing; a game refused is
// set aside in its journal, so it is never offered again.
struct LastGame
{
    QString path;
    // Where a journal that could not be read is kept now.
    QString damagedKeptAs;
    std::optional<SavedGame> saved;
    // The saved game carried to now, the question about it and its default.
    GameSnapshot game = GameSnapshot::startUp();
    QString question;
    bool resumeByDefault = false;

    bool offered() const { return saved.has_value() && !question.isEmpty(); }
};

namespace ResumePolicy {

// `homeName` and `visitorName` are the names the board shows, for a
// journal that holds none.
LastGame lastGame(const QString &folder, const JournalFormat::Stamp &now, const QString &homeName,
                  const QString &visitorName);

// What undo can take back in the resumed game: the events since the
// computer last started. Clock starts of an earlier run of the computer
// mean nothing on this one's steady clock.
QList<GameEvent> undoableEvents(const SavedGame &saved, const JournalFormat::Stamp &now);

} // namespace ResumePolicy
