// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/matchwords.h"

#include "record/gamelog.h"
#include "record/savedgame.h"

#include <QCoreApplication>

namespace MatchWords {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(MatchWords)
};

QString teamName(const GameEvent &event, int team)
{
    return team == 1 ? event.homeName : event.visitorName;
}

// The half the change began: a half past the format's is overtime.
bool halfBegun(const GameEvent &event, bool overtime)
{
    const qint16 halves = event.after.format->halves;
    return event.after.match.half > event.before.match.half &&
        (event.after.match.half > halves) == overtime;
}

QString point(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    const GameSnapshot &before = event.before;
    const GameSnapshot &after = event.after;
    const int home = scoreValue(after.home);
    const int visitor = scoreValue(after.visitor);
    const int team = home > scoreValue(before.home) ? 1
        : visitor > scoreValue(before.visitor)      ? 2
                                                    : 0;
    if (event.kind != GameEventKind::Lamp || team == 0)
        return {};
    return Words::tr("Point %1 %2–%3 at %4")
        .arg(teamName(event, team))
        .arg(home)
        .arg(visitor)
        .arg(GameLog::clockText(SavedGames::gameClockAt(after, stamp)));
}

QString overtime(const GameEvent &event, const JournalFormat::Stamp &)
{
    return halfBegun(event, true) ? Words::tr("Overtime") : QString();
}

QString halftime(const GameEvent &event, const JournalFormat::Stamp &)
{
    return halfBegun(event, false) ? Words::tr("Halftime") : QString();
}

QString breakWords(const GameEvent &event, const JournalFormat::Stamp &)
{
    const MatchState &before = event.before.match;
    const MatchState &after = event.after.match;
    if (after.phase != MatchPhase::Break ||
        (before.phase == MatchPhase::Break && before.half == after.half))
        return {};
    const SlotState &shot = event.after.clocks[size_t(modCount::ShotSlot)];
    return Words::tr("Break %1").arg(GameLog::clockText(shot.base, true));
}

QString switchEnds(const GameEvent &event, const JournalFormat::Stamp &)
{
    return event.after.match.switchEnds && !event.before.match.switchEnds ? Words::tr("Switch ends")
                                                                          : QString();
}

QString timeout(const GameEvent &event, const JournalFormat::Stamp &)
{
    const int team = timeoutTaken(event);
    return team ? Words::tr("Timeout %1").arg(teamName(event, team)) : QString();
}

QString ended(const GameEvent &event, const JournalFormat::Stamp &)
{
    if (event.after.match.phase != MatchPhase::Ended ||
        event.before.match.phase == MatchPhase::Ended)
        return {};
    return result(event.after, event.homeName, event.visitorName);
}

// In the order they happen in one change: a point, the half it ended, the
// break after it, the timeout called in it, the end of the match.
using Step = QString (*)(const GameEvent &, const JournalFormat::Stamp &);
constexpr Step Steps[] = {point, overtime, halftime, breakWords, switchEnds, timeout, ended};

// Changes whose own words say what they did to the whole game.
bool ownWords(GameEventKind kind)
{
    return kind == GameEventKind::Undo || kind == GameEventKind::Redo ||
        kind == GameEventKind::Resumed || kind == GameEventKind::MatchBegin;
}

} // namespace

QStringList lines(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    if (!event.after.format || !event.before.format || ownWords(event.kind))
        return {};
    QStringList said;
    for (const Step step : Steps) {
        const QString words = step(event, stamp);
        if (!words.isEmpty())
            said << words;
    }
    return said;
}

int timeoutTaken(const GameEvent &event)
{
    if (!event.after.format || event.after.match.phase != MatchPhase::Timeout)
        return 0;
    for (int team = 1; team <= 2; ++team) {
        const size_t at = size_t(team - 1);
        if (event.after.match.timeoutsUsed[at] > event.before.match.timeoutsUsed[at])
            return team;
    }
    return 0;
}

QString result(const GameSnapshot &game, const QString &homeName, const QString &visitorName)
{
    const int home = scoreValue(game.home);
    const int visitor = scoreValue(game.visitor);
    switch (game.match.result) {
    case MatchResult::Home:
        return Words::tr("%1 wins %2–%3").arg(homeName).arg(home).arg(visitor);
    case MatchResult::Visitor:
        return Words::tr("%1 wins %2–%3").arg(visitorName).arg(visitor).arg(home);
    case MatchResult::Draw:
        return Words::tr("Draw %1–%2").arg(home).arg(visitor);
    case MatchResult::None:
        break;
    }
    return {};
}

QString figures(const MatchFormat &format)
{
    QStringList parts{QStringLiteral("%1 × %2")
                          .arg(format.halves)
                          .arg(MatchFormatFile::timeText(format.gameLength))};
    if (format.raceTo > 0)
        parts << Words::tr("race to %1").arg(format.raceTo);
    if (format.mercy > 0)
        parts << Words::tr("mercy rule at %1").arg(format.mercy);
    if (format.timeouts > 0)
        parts << (format.timeoutsPer == TimeoutsPer::Half ? Words::tr("%1 timeouts a half")
                                                          : Words::tr("%1 timeouts a match"))
                     .arg(format.timeouts);
    if (format.overtime > ClockValue())
        parts << Words::tr("overtime %1").arg(MatchFormatFile::timeText(format.overtime));
    return parts.join(QStringLiteral(", "));
}

} // namespace MatchWords
