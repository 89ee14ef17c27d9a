// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/feedstate.h"

#include "event/eventday.h"
#include "feed/eventjson.h"
#include "game/game.h"
#include "game/matchstrip.h"
#include "settings/settingsrecord.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace FeedState {

namespace {

const char *const MarkNames[] = {"dark", "red", "green"};
const char *const LampNames[] = {"none", "home", "visitor"};
const char *const PhaseNames[] = {"off", "ready", "point", "break", "halftime", "timeout", "ended"};
const char *const ResultNames[] = {"none", "home", "visitor", "draw"};

// Captions from the leftmost figure. The clocks hold theirs that way; the
// penalty clocks and the scores hold theirs from the rightmost.
QJsonArray digits(const FigureRow &row, bool rightmostFirst)
{
    QJsonArray list;
    for (int i = 0; i < row.count(); ++i) {
        const int caption = row.caption(rightmostFirst ? row.count() - 1 - i : i);
        list.append(caption >= 0 && caption <= 9 ? caption : -1);
    }
    return list;
}

// As a person reads the figures aloud: a blank figure is a space and the
// colon ':' (both dots), '.' (the lower alone), '\'' (the upper) or ' '.
QString text(const QJsonArray &figures, int colonAfter, QChar colon)
{
    QString shown;
    for (int i = 0; i < figures.size(); ++i) {
        if (i == colonAfter)
            shown += colon;
        const int digit = figures.at(i).toInt();
        shown += digit < 0 ? QChar(' ') : QChar('0' + digit);
    }
    return shown;
}

QChar colonChar(bool upper, bool lower)
{
    return upper && lower ? u':' : lower ? u'.' : upper ? u'\'' : u' ';
}

QJsonObject clock(const Game &game, const GameSnapshot &now, FigureRowId id)
{
    const ColonState &colon = game.colon(id);
    const QJsonArray figures = digits(game.row(id), false);
    return {{"digits", figures},
            {"colon", QJsonArray{colon.lit(0), colon.lit(1)}},
            {"text", text(figures, 2, colonChar(colon.lit(0), colon.lit(1)))},
            {"running", now.clocks[size_t(id)].running}};
}

QJsonObject penalty(const Game &game, const GameSnapshot &now, qint16 slot)
{
    const FigureRow &row = game.penaltyRow(slot);
    const bool shown = row.shows(0);
    const QJsonArray figures = digits(row, true);
    return {{"digits", figures},
            {"colon", QJsonArray{shown, shown}},
            {"text", shown ? text(figures, 1, u':') : QString()},
            {"running", now.clocks[size_t(slot)].running}};
}

QJsonObject team(const Game &game, const GameSnapshot &now, FigureRowId score,
                 const std::array<qint16, 3> &penaltySlots, int firstMark, const QString &name,
                 qint32 color)
{
    const QJsonArray figures = digits(game.row(score), true);
    QJsonArray penalties, marks;
    for (qint16 slot : penaltySlots)
        penalties.append(penalty(game, now, slot));
    for (int i = firstMark; i < firstMark + 3; ++i)
        marks.append(MarkNames[int(game.mark(i))]);
    return {{"name", name},
            {"color", colorName(color)},
            {"score", QJsonObject{{"digits", figures}, {"text", text(figures, -1, u' ')}}},
            {"penalties", penalties},
            {"marks", marks}};
}

QJsonObject colors(const SettingsRecord &settings)
{
    return {{"board", colorName(settings.FormBack)},
            {"ledBack", colorName(settings.LEDBack)},
            {"time", colorName(settings.TimeColor)},
            {"score", colorName(settings.ScoreColor)},
            {"border", colorName(settings.BorderColor)}};
}

// What runs on the shot clock between points: its time left, in whole
// seconds as its figures show them; null during a point.
QJsonValue clockLeft(const Game &game, MatchPhase phase)
{
    if (phase != MatchPhase::Break && phase != MatchPhase::Halftime && phase != MatchPhase::Timeout)
        return QJsonValue::Null;
    const qint64 left = std::max<qint64>(0, game.clockValue(modCount::ShotSlot).raw());
    return (left + ClockValue::Scale - 1) / ClockValue::Scale;
}

QJsonValue team(int which)
{
    return which == 1 || which == 2 ? QJsonValue(LampNames[which]) : QJsonValue::Null;
}

// The match as the strip tells it, and its parts for a page that draws its
// own; the strip's words as the board shows them.
QJsonObject match(const Game &game, const SettingsRecord &settings)
{
    const Match &played = game.match();
    const MatchFormat &format = *played.format();
    const MatchState &state = played.state();
    const int winner = state.result == MatchResult::Home ? 1
        : state.result == MatchResult::Visitor           ? 2
                                                         : 0;
    return {{"name", format.name},
            {"half", state.half},
            {"halves", format.halves},
            {"overtime", played.overtime()},
            {"raceTo", format.raceTo},
            {"phase", PhaseNames[int(state.phase)]},
            {"timeoutBy", team(state.timeoutBy)},
            {"clockLeft", clockLeft(game, state.phase)},
            {"timeoutsLeft",
             QJsonObject{{"home", played.timeoutsLeft(1)}, {"visitor", played.timeoutsLeft(2)}}},
            {"switchEnds", state.switchEnds},
            {"result", ResultNames[int(state.result)]},
            {"winner",
             winner == 1       ? QJsonValue(settings.HomeText)
                 : winner == 2 ? QJsonValue(settings.VisitorText)
                               : QJsonValue::Null},
            {"strip", matchStrip(game).join(QStringLiteral(" \u00B7 "))}};
}

} // namespace

QString colorName(qint32 color)
{
    return toQColor(color).name();
}

QByteArray toJson(const Game &game, const SettingsRecord &settings, const EventDay *event)
{
    const GameSnapshot now = game.snapshot();
    QJsonObject state{
        {"format", "vantrell-state"},
        {"version", Version},
        {"gameClock", clock(game, now, FigureRowId::GameClock)},
        {"shotClock", clock(game, now, FigureRowId::ShotClock)},
        {"timeOfDay", now.timeOfDay},
        {"home",
         team(game, now, FigureRowId::HomeScore, HomePenaltySlots, 0, settings.HomeText,
              settings.HomeColor)},
        {"visitor",
         team(game, now, FigureRowId::VisitorScore, VisitorPenaltySlots, 3, settings.VisitorText,
              settings.VisitorColor)},
        {"lamp", LampNames[int(game.lamp())]},
        {"colors", colors(settings)},
        {"led", ledDots(settings.LEDType) ? "dots" : "segments"},
        // The names' size in points on a board of the design size.
        {"teamSize", teamNameSize(settings)},
    };
    if (game.match().active())
        state.insert(QStringLiteral("match"), match(game, settings));
    const auto next = event ? event->next() : std::nullopt;
    if (next && event->betweenMatches(now))
        state.insert(QStringLiteral("next"), EventJson::match(event->schedule().matches.at(*next)));
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

} // namespace FeedState
