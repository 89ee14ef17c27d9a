// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/gamesheet.h"

#include "record/gamelog.h"
#include "record/matchwords.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <functional>

namespace GameSheet {

namespace {

int scoreValue(const std::array<int, 2> &figures)
{
    return GameLog::scoreText(figures).toInt();
}

QString localTime(qint64 wallMs)
{
    return QDateTime::fromMSecsSinceEpoch(wallMs).toLocalTime().toString(
        QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString tableRow(const QStringList &cells)
{
    QString row = QStringLiteral("<tr>");
    for (const QString &cell : cells)
        row += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
    return row + QStringLiteral("</tr>");
}

QString table(const QStringList &header, const QStringList &rows)
{
    if (rows.isEmpty())
        return QStringLiteral("<p>%1</p>")
            .arg(QCoreApplication::translate("GameSheet", "None.").toHtmlEscaped());
    QString text = QStringLiteral("<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\" "
                                  "width=\"100%\"><tr>");
    for (const QString &cell : header)
        text += QStringLiteral("<th align=\"left\">%1</th>").arg(cell.toHtmlEscaped());
    return text + QStringLiteral("</tr>") + rows.join(QString()) + QStringLiteral("</table>");
}

// A goal: where it stands in the game's events, the score it brought its
// team to, and its line on the sheet.
struct Goal
{
    qsizetype order;
    int score;
    QString line;
    // The half of a match it was scored in; past the format's halves,
    // overtime.
    qint16 half = 1;
};

// A score that went up, by the lamp or typed, gives a goal for each point;
// one that went down (typed as a correction, or by -) takes back the
// team's goals above it.
void countGoals(QList<Goal> &goals, int before, int after,
                const std::function<Goal(int score)> &goal)
{
    for (int score = before + 1; score <= after; ++score)
        goals.append(goal(score));
    goals.removeIf([after](const Goal &scored) { return scored.score > after; });
}

// The goals that stand at the end: none above the final score, which an
// undo may have put back under goals made after the one it took back.
QList<Goal> standingGoals(QList<Goal> home, QList<Goal> visitor, const GameSnapshot &final)
{
    const int homeScore = scoreValue(final.home);
    const int visitorScore = scoreValue(final.visitor);
    home.removeIf([homeScore](const Goal &goal) { return goal.score > homeScore; });
    visitor.removeIf([visitorScore](const Goal &goal) { return goal.score > visitorScore; });
    home.append(visitor);
    std::stable_sort(home.begin(), home.end(),
                     [](const Goal &a, const Goal &b) { return a.order < b.order; });
    return home;
}

QStringList goalLines(const QList<Goal> &goals, std::optional<qint16> half = std::nullopt)
{
    QStringList lines;
    for (const Goal &goal : goals) {
        if (!half || goal.half == *half)
            lines << goal.line;
    }
    return lines;
}

QString words(const char *text)
{
    return QCoreApplication::translate("GameSheet", text);
}

QString heading(const QString &text)
{
    return QStringLiteral("<h3>%1</h3>").arg(text.toHtmlEscaped());
}

QString halfName(const MatchFormat &format, qint16 half)
{
    if (half > format.halves)
        return words(QT_TRANSLATE_NOOP("GameSheet", "Overtime"));
    return words(QT_TRANSLATE_NOOP("GameSheet", "Half %1")).arg(half);
}

// A match's part of the sheet: its format, its result, the points of each
// half and overtime, the timeouts taken.
QString matchPart(const SavedGame &game, const QList<Goal> &goals, const QStringList &timeouts)
{
    const MatchFormat &format = *game.game.format;
    QString result = MatchWords::result(game.game, game.homeName, game.visitorName);
    if (result.isEmpty())
        result = words(QT_TRANSLATE_NOOP("GameSheet", "Not finished"));
    QString text =
        QStringLiteral("<p>%1</p><p><b>%2</b></p>")
            .arg(words(QT_TRANSLATE_NOOP("GameSheet", "Format: %1 (%2)"))
                     .arg(format.name, MatchWords::figures(format))
                     .toHtmlEscaped(),
                 words(QT_TRANSLATE_NOOP("GameSheet", "Result: %1")).arg(result).toHtmlEscaped());
    const QStringList header{words(QT_TRANSLATE_NOOP("GameSheet", "Game clock")),
                             words(QT_TRANSLATE_NOOP("GameSheet", "Team")),
                             words(QT_TRANSLATE_NOOP("GameSheet", "Score"))};
    const qint16 last = std::max(format.halves, game.game.match.half);
    for (qint16 half = 1; half <= last; ++half) {
        const QString name = format.halves < 2 && half == 1
            ? words(QT_TRANSLATE_NOOP("GameSheet", "Points"))
            : halfName(format, half);
        text += heading(name) + table(header, goalLines(goals, half));
    }
    return text + heading(words(QT_TRANSLATE_NOOP("GameSheet", "Timeouts"))) +
        table({header[0], header[1], words(QT_TRANSLATE_NOOP("GameSheet", "Half"))}, timeouts);
}

} // namespace

QString html(const SavedGame &game)
{
    const StandingChanges standing = GameLog::standing(game.events);
    QList<Goal> homeGoals;
    QList<Goal> visitorGoals;
    QStringList penalties;
    QStringList timeouts;
    for (qsizetype i = 0; i < game.events.size(); ++i) {
        const JournalEntry &entry = game.events.at(i);
        const GameEvent &event = entry.event;
        if (!standing.stands(size_t(i)) || !GameHistory::undoable(event.kind))
            continue;
        const LogRow row = GameLog::row(event, entry.stamp);
        const int home = scoreValue(event.after.home);
        const int visitor = scoreValue(event.after.visitor);
        const qint16 half = event.before.match.half;
        countGoals(homeGoals, scoreValue(event.before.home), home, [&](int score) {
            return Goal{i, score,
                        tableRow({row.gameClock, event.homeName,
                                  QStringLiteral("%1 - %2").arg(score).arg(visitor)}),
                        half};
        });
        countGoals(visitorGoals, scoreValue(event.before.visitor), visitor, [&](int score) {
            return Goal{i, score,
                        tableRow({row.gameClock, event.visitorName,
                                  QStringLiteral("%1 - %2").arg(home).arg(score)}),
                        half};
        });
        if (event.kind == GameEventKind::PenaltyTime)
            penalties << tableRow({row.gameClock, row.team, row.value});
        if (MatchWords::timeoutTaken(event) && event.after.format)
            timeouts << tableRow({row.gameClock, row.team, halfName(*event.after.format, half)});
    }
    const QList<Goal> goals = standingGoals(homeGoals, visitorGoals, game.game);
    const QString title = game.homeName + QStringLiteral(" - ") + game.visitorName;
    const QString when = QCoreApplication::translate("GameSheet", "Started %1, ended %2")
                             .arg(localTime(game.startedMs), localTime(game.last.wallMs));
    const QString clock = QCoreApplication::translate("GameSheet", "Game clock");
    const QString team = QCoreApplication::translate("GameSheet", "Team");
    const QString scored = game.game.format
        ? matchPart(game, goals, timeouts)
        : heading(QCoreApplication::translate("GameSheet", "Goals")) +
            table({clock, team, QCoreApplication::translate("GameSheet", "Score")},
                  goalLines(goals));
    return QStringLiteral("<h1>%1</h1><h2>%2 - %3</h2><p>%4</p>%5<h3>%6</h3>%7")
        .arg(title.toHtmlEscaped(), GameLog::scoreText(game.game.home),
             GameLog::scoreText(game.game.visitor), when.toHtmlEscaped(), scored,
             QCoreApplication::translate("GameSheet", "Penalties").toHtmlEscaped(),
             table({clock, team, QCoreApplication::translate("GameSheet", "Length")}, penalties));
}

bool writePdf(const SavedGame &game, const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QCoreApplication::translate("GameSheet", "Game sheet"));
    QTextDocument document;
    document.setHtml(html(game));
    document.print(&writer);
    return QFileInfo(path).size() > 0;
}

} // namespace GameSheet
