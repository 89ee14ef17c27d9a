// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/gamelog.h"

#include "record/changewords.h"
#include "record/eventnames.h"
#include "record/matchwords.h"
#include "record/savedgame.h"
#include "timing/clockdisplay.h"

#include <QCoreApplication>
#include <QDateTime>

namespace GameLog {

namespace {

struct TeamAndValue
{
    int team = 0; // 1 home, 2 visitor
    QString value;
};

TeamAndValue teamAndValue(const GameEvent &event)
{
    const GameSnapshot &after = event.after;
    const int on = event.subject;
    switch (event.kind) {
    case GameEventKind::Score:
        return on == int(FigureRowId::HomeScore) ? TeamAndValue{1, scoreText(after.home)}
                                                 : TeamAndValue{2, scoreText(after.visitor)};
    case GameEventKind::Lamp:
        if (after.lamp == GoalLamp::None)
            return {0, QCoreApplication::translate("GameLog", "off")};
        return {int(after.lamp),
                scoreText(after.lamp == GoalLamp::Home ? after.home : after.visitor)};
    case GameEventKind::Mark: {
        const MarkState mark = after.marks[size_t(qBound(0, on, PenaltyCount - 1))];
        return {on < 3 ? 1 : 2, markText(mark)};
    }
    case GameEventKind::PenaltyTime:
        return {homePenaltySlot(on) ? 1 : 2,
                clockText(after.clocks[size_t(qBound(1, on, 6))].base, true)};
    case GameEventKind::PenaltyStart:
    case GameEventKind::PenaltyStop:
    case GameEventKind::PenaltyClear:
        return {homePenaltySlot(on) ? 1 : 2, {}};
    case GameEventKind::GameTime:
        return {0, clockText(after.gameLength)};
    case GameEventKind::ShotTime:
        return {0, clockText(after.clocks[size_t(modCount::ShotSlot)].base, true)};
    case GameEventKind::Timeout:
        return {qBound(1, on, 2), {}};
    default:
        return {};
    }
}

QByteArray quoted(const QString &field, QChar separator)
{
    QString text = field;
    const bool quote = text.contains(separator) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quote)
        return text.toUtf8();
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + text.toUtf8() + '"';
}

} // namespace

QString scoreText(const std::array<int, 2> &figures)
{
    QString text;
    for (auto figure = figures.crbegin(); figure != figures.crend(); ++figure) {
        if (*figure >= 0)
            text += QString::number(*figure);
    }
    return text;
}

QString eventName(GameEventKind kind)
{
    for (const EventNames &name : EventNameTable) {
        if (name.kind == kind)
            return QCoreApplication::translate("EventNames", name.shown);
    }
    return {};
}

QString markText(MarkState mark)
{
    static const char *const names[] = {QT_TRANSLATE_NOOP("GameLog", "off"),
                                        QT_TRANSLATE_NOOP("GameLog", "red"),
                                        QT_TRANSLATE_NOOP("GameLog", "green")};
    return QCoreApplication::translate("GameLog", names[int(mark)]);
}

QStringList columns()
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("GameLog", "Date and time"), QT_TRANSLATE_NOOP("GameLog", "Game clock"),
        QT_TRANSLATE_NOOP("GameLog", "Event"), QT_TRANSLATE_NOOP("GameLog", "Team"),
        QT_TRANSLATE_NOOP("GameLog", "Value")};
    QStringList shown;
    for (const char *name : names)
        shown << QCoreApplication::translate("GameLog", name);
    return shown;
}

QString whenText(qint64 wallMs)
{
    return QDateTime::fromMSecsSinceEpoch(wallMs).toLocalTime().toString(
        QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString clockText(ClockValue value, bool wholeSecondsOnly)
{
    const ClockFigures shown = clockFigures(value, wholeSecondsOnly);
    const auto figure = [&shown](int i) {
        return qMax(0, shown.captions[size_t(i)]);
    };
    const QString first = QString::number(figure(0) * 10 + figure(1));
    if (!shown.upperDotLit)
        return first + QLatin1Char('.') + QString::number(figure(2));
    return first + QLatin1Char(':') + QString::number(figure(2)) + QString::number(figure(3));
}

LogRow row(const GameEvent &event, const JournalFormat::Stamp &stamp)
{
    const QString &homeName = event.homeName;
    const QString &visitorName = event.visitorName;
    LogRow line;
    line.wallMs = stamp.wallMs;
    line.gameClock = clockText(SavedGames::gameClockAt(event.after, stamp));
    line.event = eventName(event.kind);
    const TeamAndValue detail = teamAndValue(event);
    line.team = detail.team == 1 ? homeName : detail.team == 2 ? visitorName : QString();
    line.value = detail.value;
    if (event.kind == GameEventKind::Options)
        line.value = event.homeName + QStringLiteral(" - ") + event.visitorName;
    if (event.kind == GameEventKind::Undo || event.kind == GameEventKind::Redo)
        line.value = ChangeWords::describe(event, stamp);
    if (event.kind == GameEventKind::MatchBegin && event.after.format)
        line.value = event.after.format->name;
    // In a match, what the change did to it says more than the score alone.
    const QStringList match = MatchWords::lines(event, stamp);
    if (!match.isEmpty())
        line.value = match.join(QStringLiteral(" \u00B7 "));
    return line;
}

StandingChanges standing(const QList<JournalEntry> &entries)
{
    StandingChanges changes;
    for (const JournalEntry &entry : entries)
        changes.add(entry.event.kind);
    return changes;
}

QList<LogRow> rows(const QList<JournalEntry> &entries)
{
    const StandingChanges changes = standing(entries);
    QList<LogRow> log;
    log.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        log.append(row(entries.at(i).event, entries.at(i).stamp));
        log.back().undone = !changes.stands(size_t(i));
    }
    return log;
}

QString eventText(const LogRow &row)
{
    return row.undone ? QCoreApplication::translate("GameLog", "%1 (undone)").arg(row.event)
                      : row.event;
}

QByteArray csv(const QList<LogRow> &rows, const QLocale &locale)
{
    const QChar separator =
        locale.decimalPoint() == QLatin1String(",") ? QLatin1Char(';') : QLatin1Char(',');
    const auto line = [separator](const QStringList &fields) {
        QByteArray text;
        for (qsizetype i = 0; i < fields.size(); ++i)
            text += (i > 0 ? QByteArray(1, separator.toLatin1()) : QByteArray()) +
                quoted(fields.at(i), separator);
        return text + "\r\n";
    };
    QByteArray out("\xEF\xBB\xBF");
    out += line(columns());
    for (const LogRow &row : rows)
        out += line({whenText(row.wallMs), row.gameClock, eventText(row), row.team, row.value});
    return out;
}

} // namespace GameLog
