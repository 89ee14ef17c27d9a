// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/resumepolicy.h"

#include "record/resumequestion.h"

namespace ResumePolicy {

LastGame lastGame(const QString &folder, const JournalFormat::Stamp &now, const QString &homeName,
                  const QString &visitorName)
{
    LastGame last;
    last.path = SavedGames::newestJournal(folder);
    if (last.path.isEmpty())
        return last;
    std::optional<SavedGame> saved = SavedGames::readFile(last.path);
    if (!saved) {
        const QString kept = SavedGames::setAsideDamaged(last.path);
        last.damagedKeptAs = kept.isEmpty() ? last.path : kept;
        return last;
    }
    const ResumeOffer offer = SavedGames::offerFor(*saved);
    if (offer == ResumeOffer::None)
        return last;
    last.game = SavedGames::carriedTo(*saved, now);
    last.question = resumeQuestion(*saved, last.game, SavedGames::gameClockAt(last.game, now),
                                   homeName, visitorName);
    last.resumeByDefault = offer == ResumeOffer::ResumeByDefault;
    last.saved = std::move(saved);
    return last;
}

QList<GameEvent> undoableEvents(const SavedGame &saved, const JournalFormat::Stamp &now)
{
    QList<GameEvent> events;
    for (const JournalEntry &entry : saved.events) {
        if (entry.stamp.bootId != now.bootId || now.bootId.isEmpty())
            events.clear();
        else
            events.append(entry.event);
    }
    return events;
}

} // namespace ResumePolicy
