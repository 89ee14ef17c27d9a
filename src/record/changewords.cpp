// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/changewords.h"

#include "record/gamelog.h"
#include "record/savedgame.h"

#include <QCoreApplication>

namespace ChangeWords {

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("ChangeWords", text);
}

// The clocks by count slot, as the board's captions place them.
const char *const ClockNames[modCount::SlotCount] = {
    QT_TRANSLATE_NOOP("ChangeWords", "game clock"),
    QT_TRANSLATE_NOOP("ChangeWords", "home penalty 1"),
    QT_TRANSLATE_NOOP("ChangeWords", "home penalty 2"),
    QT_TRANSLATE_NOOP("ChangeWords", "visitor penalty 1"),
    QT_TRANSLATE_NOOP("ChangeWords", "visitor penalty 2"),
    QT_TRANSLATE_NOOP("ChangeWords", "home penalty 3"),
    QT_TRANSLATE_NOOP("ChangeWords", "visitor penalty 3"),
    QT_TRANSLATE_NOOP("ChangeWords", "shot clock"),
};
const char *const LampStates[] = {QT_TRANSLATE_NOOP("ChangeWords", "off"),
                                  QT_TRANSLATE_NOOP("ChangeWords", "home"),
                                  QT_TRANSLATE_NOOP("ChangeWords", "visitor")};

QString arrow(const QString &from, const QString &to)
{
    return from + QStringLiteral(" \u2192 ") + to;
}

QString scoreWords(const std::array<int, 2> &figures)
{
    const QString text = GameLog::scoreText(figures);
    return text.isEmpty() ? words(QT_TRANSLATE_NOOP("ChangeWords", "blank")) : text;
}

QString clockWords(const GameSnapshot &game, int slot, const JournalFormat::Stamp &stamp)
{
    const bool penalty = slot != modCount::GameSlot && slot != modCount::ShotSlot;
    if (penalty && !game.penaltyShown[size_t(slot - 1)])
        return words(QT_TRANSLATE_NOOP("ChangeWords", "blank"));
    return GameLog::clockText(SavedGames::clockAt(game.clocks[size_t(slot)], stamp),
                              slot != modCount::GameSlot);
}

QString runningWords(const GameSnapshot &game, int slot)
{
    return game.clocks[size_t(slot)].running ? words(QT_TRANSLATE_NOOP("ChangeWords", "running"))
                                             : words(QT_TRANSLATE_NOOP("ChangeWords", "stopped"));
}

// The first thing the change altered, scores first: what the operator
// looks for on the board.
QString difference(const GameSnapshot &from, const GameSnapshot &to,
                   const JournalFormat::Stamp &stamp)
{
    if (from.home != to.home)
        return words(QT_TRANSLATE_NOOP("ChangeWords", "home %1"))
            .arg(arrow(scoreWords(from.home), scoreWords(to.home)));
    if (from.visitor != to.visitor)
        return words(QT_TRANSLATE_NOOP("ChangeWords", "visitor %1"))
            .arg(arrow(scoreWords(from.visitor), scoreWords(to.visitor)));
    for (int slot : {int(modCount::GameSlot), int(modCount::ShotSlot), 1, 2, 3, 4, 5, 6}) {
        const bool penalty = slot >= 1 && slot <= PenaltyCount;
        if (from.clocks[size_t(slot)] == to.clocks[size_t(slot)] &&
            (!penalty || from.penaltyShown[size_t(slot - 1)] == to.penaltyShown[size_t(slot - 1)]))
            continue;
        QString before = clockWords(from, slot, stamp);
        QString after = clockWords(to, slot, stamp);
        if (before == after) {
            before = runningWords(from, slot);
            after = runningWords(to, slot);
        }
        return words(ClockNames[slot]) + QLatin1Char(' ') + arrow(before, after);
    }
    for (int i = 0; i < PenaltyCount; ++i) {
        if (from.marks[size_t(i)] != to.marks[size_t(i)])
            return (i < 3 ? words(QT_TRANSLATE_NOOP("ChangeWords", "home mark %1 %2"))
                          : words(QT_TRANSLATE_NOOP("ChangeWords", "visitor mark %1 %2")))
                .arg(QString::number(i % 3 + 1),
                     arrow(GameLog::markText(from.marks[size_t(i)]),
                           GameLog::markText(to.marks[size_t(i)])));
    }
    if (from.lamp != to.lamp)
        return words(QT_TRANSLATE_NOOP("ChangeWords", "lamp %1"))
            .arg(arrow(words(LampStates[int(from.lamp)]), words(LampStates[int(to.lamp)])));
    if (from.timeOfDay != to.timeOfDay) {
        const QString timeOfDay = words(QT_TRANSLATE_NOOP("ChangeWords", "time of day"));
        const QString gameClock = words(ClockNames[modCount::GameSlot]);
        return from.timeOfDay ? arrow(timeOfDay, gameClock) : arrow(gameClock, timeOfDay);
    }
    return {};
}

QString kindWords(GameEventKind kind, const GameEvent &event)
{
    const bool point =
        event.before.home != event.after.home || event.before.visitor != event.after.visitor;
    if (kind == GameEventKind::Lamp && point)
        return words(QT_TRANSLATE_NOOP("ChangeWords", "goal"));
    return GameLog::eventName(kind).toLower();
}

} // namespace

QString describe(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    const QString kind = kindWords(GameEventKind(event.subject), event);
    const QString what = difference(event.before, event.after, stamp);
    return what.isEmpty() ? kind
                          : words(QT_TRANSLATE_NOOP("ChangeWords", "%1, %2")).arg(kind, what);
}

} // namespace ChangeWords
