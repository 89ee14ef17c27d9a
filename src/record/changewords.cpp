// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/changewords.h"

#include "record/eventnames.h"
#include "record/gamelog.h"
#include "record/savedgame.h"

namespace ChangeWords {

namespace {

// The clocks by count slot, as the board's captions place them.
const char *const ClockNames[modCount::SlotCount] = {
    "game clock",        "home penalty 1", "home penalty 2",    "visitor penalty 1",
    "visitor penalty 2", "home penalty 3", "visitor penalty 3", "shot clock",
};
const char *const MarkStates[] = {"off", "red", "green"};
const char *const LampStates[] = {"off", "home", "visitor"};

QString arrow(const QString &from, const QString &to)
{
    return from + QStringLiteral(" \u2192 ") + to;
}

QString scoreWords(const std::array<int, 2> &figures)
{
    const QString text = GameLog::scoreText(figures);
    return text.isEmpty() ? QStringLiteral("blank") : text;
}

QString clockWords(const GameSnapshot &game, int slot, const JournalFormat::Stamp &stamp)
{
    const bool penalty = slot != modCount::GameSlot && slot != modCount::ShotSlot;
    if (penalty && !game.penaltyShown[size_t(slot - 1)])
        return QStringLiteral("blank");
    return GameLog::clockText(SavedGames::clockAt(game.clocks[size_t(slot)], stamp),
                              slot != modCount::GameSlot);
}

// The first thing the change altered, scores first: what the operator
// looks for on the board.
QString difference(const GameSnapshot &from, const GameSnapshot &to,
                   const JournalFormat::Stamp &stamp)
{
    if (from.home != to.home)
        return QStringLiteral("home ") + arrow(scoreWords(from.home), scoreWords(to.home));
    if (from.visitor != to.visitor)
        return QStringLiteral("visitor ") + arrow(scoreWords(from.visitor), scoreWords(to.visitor));
    for (int slot : {int(modCount::GameSlot), int(modCount::ShotSlot), 1, 2, 3, 4, 5, 6}) {
        const bool penalty = slot >= 1 && slot <= PenaltyCount;
        if (from.clocks[size_t(slot)] == to.clocks[size_t(slot)] &&
            (!penalty || from.penaltyShown[size_t(slot - 1)] == to.penaltyShown[size_t(slot - 1)]))
            continue;
        QString before = clockWords(from, slot, stamp);
        QString after = clockWords(to, slot, stamp);
        if (before == after) {
            before = from.clocks[size_t(slot)].running ? QStringLiteral("running")
                                                       : QStringLiteral("stopped");
            after = to.clocks[size_t(slot)].running ? QStringLiteral("running")
                                                    : QStringLiteral("stopped");
        }
        return QString::fromLatin1(ClockNames[slot]) + QLatin1Char(' ') + arrow(before, after);
    }
    for (int i = 0; i < PenaltyCount; ++i) {
        if (from.marks[size_t(i)] != to.marks[size_t(i)])
            return QStringLiteral("%1 mark %2 ")
                       .arg(i < 3 ? QStringLiteral("home") : QStringLiteral("visitor"))
                       .arg(i % 3 + 1) +
                arrow(QString::fromLatin1(MarkStates[int(from.marks[size_t(i)])]),
                      QString::fromLatin1(MarkStates[int(to.marks[size_t(i)])]));
    }
    if (from.lamp != to.lamp)
        return QStringLiteral("lamp ") +
            arrow(QString::fromLatin1(LampStates[int(from.lamp)]),
                  QString::fromLatin1(LampStates[int(to.lamp)]));
    if (from.timeOfDay != to.timeOfDay)
        return from.timeOfDay ? QStringLiteral("time of day \u2192 game clock")
                              : QStringLiteral("game clock \u2192 time of day");
    return {};
}

QString kindWords(GameEventKind kind, const GameEvent &event)
{
    const bool point =
        event.before.home != event.after.home || event.before.visitor != event.after.visitor;
    if (kind == GameEventKind::Lamp && point)
        return QStringLiteral("goal");
    for (const EventNames &name : EventNameTable) {
        if (name.kind == kind)
            return QString::fromLatin1(name.shown).toLower();
    }
    return {};
}

} // namespace

QString describe(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    const QString kind = kindWords(GameEventKind(event.subject), event);
    const QString what = difference(event.before, event.after, stamp);
    return what.isEmpty() ? kind : kind + QStringLiteral(", ") + what;
}

} // namespace ChangeWords
