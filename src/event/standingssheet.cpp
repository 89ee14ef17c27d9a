// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/standingssheet.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace StandingsSheet {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(StandingsSheet)
};

QString cells(const QStringList &texts, const char *tag)
{
    QString row;
    for (const QString &text : texts)
        row += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
    return QStringLiteral("<tr>%1</tr>").arg(row);
}

QString table(const Standings::Group &group)
{
    QString rows = cells({Words::tr("Place"), Words::tr("Team"), Words::tr("Played"),
                          Words::tr("Won"), Words::tr("Drawn"), Words::tr("Lost"), Words::tr("For"),
                          Words::tr("Against"), Words::tr("Difference"), Words::tr("Points")},
                         "th");
    for (const Standings::Row &row : group.rows)
        rows +=
            cells({QString::number(row.place), row.team, QString::number(row.played),
                   QString::number(row.won), QString::number(row.drawn), QString::number(row.lost),
                   QString::number(row.pointsFor), QString::number(row.pointsAgainst),
                   QString::number(row.difference()), QString::number(row.leaguePoints)},
                  "td");
    const QString heading = group.name.isEmpty()
        ? QString()
        : QStringLiteral("<h2>%1</h2>").arg(group.name.toHtmlEscaped());
    return heading +
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">%1</table>")
            .arg(rows);
}

} // namespace

QString html(const QList<Standings::Group> &groups, const QString &title)
{
    QString page =
        QStringLiteral("<h1>%1</h1>").arg(Words::tr("Standings: %1").arg(title).toHtmlEscaped());
    for (const Standings::Group &group : groups)
        page += table(group);
    return page;
}

bool writePdf(const QList<Standings::Group> &groups, const QString &title, const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(Words::tr("Standings"));
    QTextDocument document;
    document.setHtml(html(groups, title));
    document.print(&writer);
    return QFileInfo(path).size() > 0;
}

} // namespace StandingsSheet
