// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/gamesheet.h"

#include "record/gamelog.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

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
        return QStringLiteral("<p>None.</p>");
    QString text = QStringLiteral("<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\" "
                                  "width=\"100%\"><tr>");
    for (const QString &cell : header)
        text += QStringLiteral("<th align=\"left\">%1</th>").arg(cell.toHtmlEscaped());
    return text + QStringLiteral("</tr>") + rows.join(QString()) + QStringLiteral("</table>");
}

} // namespace

// A goal is a score that went up, by the lamp or typed; a score typed down
// is a correction and no goal.
QString html(const SavedGame &game, const QString &homeName, const QString &visitorName)
{
    QStringList goals;
    QStringList penalties;
    for (const JournalEntry &entry : game.events) {
        const GameEvent &event = entry.event;
        const LogRow row = GameLog::row(event, entry.stamp, homeName, visitorName);
        const bool homeUp = scoreValue(event.after.home) > scoreValue(event.before.home);
        const bool visitorUp = scoreValue(event.after.visitor) > scoreValue(event.before.visitor);
        if (homeUp || visitorUp)
            goals << tableRow({row.gameClock, homeUp ? homeName : visitorName,
                               GameLog::scoreText(event.after.home) + QStringLiteral(" - ") +
                                   GameLog::scoreText(event.after.visitor)});
        if (event.kind == GameEventKind::PenaltyTime)
            penalties << tableRow({row.gameClock, row.team, row.value});
    }
    const QString title = homeName + QStringLiteral(" - ") + visitorName;
    return QStringLiteral("<h1>%1</h1><h2>%2 - %3</h2><p>Started %4, ended %5</p>"
                          "<h3>Goals</h3>%6<h3>Penalties</h3>%7")
        .arg(title.toHtmlEscaped(), GameLog::scoreText(game.game.home),
             GameLog::scoreText(game.game.visitor), localTime(game.startedMs),
             localTime(game.last.wallMs),
             table({QStringLiteral("Game clock"), QStringLiteral("Team"), QStringLiteral("Score")},
                   goals),
             table({QStringLiteral("Game clock"), QStringLiteral("Team"), QStringLiteral("Length")},
                   penalties));
}

bool writePdf(const SavedGame &game, const QString &homeName, const QString &visitorName,
              const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QStringLiteral("Game sheet"));
    QTextDocument document;
    document.setHtml(html(game, homeName, visitorName));
    document.print(&writer);
    return QFileInfo(path).size() > 0;
}

} // namespace GameSheet
