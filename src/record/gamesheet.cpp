// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/gamesheet.h"

#include "record/gamelog.h"

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
QStringList goalLines(QList<Goal> home, QList<Goal> visitor, const GameSnapshot &final)
{
    const int homeScore = scoreValue(final.home);
    const int visitorScore = scoreValue(final.visitor);
    home.removeIf([homeScore](const Goal &goal) { return goal.score > homeScore; });
    visitor.removeIf([visitorScore](const Goal &goal) { return goal.score > visitorScore; });
    home.append(visitor);
    std::stable_sort(home.begin(), home.end(),
                     [](const Goal &a, const Goal &b) { return a.order < b.order; });
    QStringList lines;
    for (const Goal &goal : home)
        lines << goal.line;
    return lines;
}

} // namespace

QString html(const SavedGame &game)
{
    const StandingChanges standing = GameLog::standing(game.events);
    QList<Goal> homeGoals;
    QList<Goal> visitorGoals;
    QStringList penalties;
    for (qsizetype i = 0; i < game.events.size(); ++i) {
        const JournalEntry &entry = game.events.at(i);
        const GameEvent &event = entry.event;
        if (!standing.stands(size_t(i)) || !GameHistory::undoable(event.kind))
            continue;
        const LogRow row = GameLog::row(event, entry.stamp);
        const int home = scoreValue(event.after.home);
        const int visitor = scoreValue(event.after.visitor);
        countGoals(homeGoals, scoreValue(event.before.home), home, [&](int score) {
            return Goal{i, score,
                        tableRow({row.gameClock, event.homeName,
                                  QStringLiteral("%1 - %2").arg(score).arg(visitor)})};
        });
        countGoals(visitorGoals, scoreValue(event.before.visitor), visitor, [&](int score) {
            return Goal{i, score,
                        tableRow({row.gameClock, event.visitorName,
                                  QStringLiteral("%1 - %2").arg(home).arg(score)})};
        });
        if (event.kind == GameEventKind::PenaltyTime)
            penalties << tableRow({row.gameClock, row.team, row.value});
    }
    const QStringList goals = goalLines(homeGoals, visitorGoals, game.game);
    const QString title = game.homeName + QStringLiteral(" - ") + game.visitorName;
    const QString when = QCoreApplication::translate("GameSheet", "Started %1, ended %2")
                             .arg(localTime(game.startedMs), localTime(game.last.wallMs));
    const QString clock = QCoreApplication::translate("GameSheet", "Game clock");
    const QString team = QCoreApplication::translate("GameSheet", "Team");
    return QStringLiteral("<h1>%1</h1><h2>%2 - %3</h2><p>%4</p><h3>%5</h3>%6<h3>%7</h3>%8")
        .arg(title.toHtmlEscaped(), GameLog::scoreText(game.game.home),
             GameLog::scoreText(game.game.visitor), when.toHtmlEscaped(),
             QCoreApplication::translate("GameSheet", "Goals").toHtmlEscaped(),
             table({clock, team, QCoreApplication::translate("GameSheet", "Score")}, goals),
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
