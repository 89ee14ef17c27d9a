// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/feedstate.h"

#include "game/game.h"
#include "settings/settingsrecord.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace FeedState {

namespace {

const char *const MarkNames[] = {"dark", "red", "green"};
const char *const LampNames[] = {"none", "home", "visitor"};

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

} // namespace

QString colorName(qint32 color)
{
    return toQColor(color).name();
}

QByteArray toJson(const Game &game, const SettingsRecord &settings)
{
    const GameSnapshot now = game.snapshot();
    const QJsonObject state{
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
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

} // namespace FeedState
