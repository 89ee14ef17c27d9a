// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/standingspage.h"

#include "event/eventday.h"
#include "event/eventexchange.h"
#include "event/standings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QStringList cellsOf(const Standings::Row &row)
{
    return {QString::number(row.place),        row.team,
            QString::number(row.played),       QString::number(row.won),
            QString::number(row.drawn),        QString::number(row.lost),
            QString::number(row.pointsFor),    QString::number(row.pointsAgainst),
            QString::number(row.difference()), QString::number(row.leaguePoints)};
}

} // namespace

StandingsPage::StandingsPage(EventDay &event, QWidget *parent)
    : QWidget(parent)
    , m_event(event)
    , m_table(new QTableWidget(0, 10, this))
{
    m_table->setHorizontalHeaderLabels({tr("Place"), tr("Team"), tr("Played"), tr("Won"),
                                        tr("Drawn"), tr("Lost"), tr("For"), tr("Against"),
                                        tr("Difference"), tr("Points")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    auto *exportCsv = new QPushButton(tr("Export CSV..."), this);
    auto *print = new QPushButton(tr("Print PDF..."), this);
    connect(exportCsv, &QPushButton::clicked, this,
            [this] { EventExchange::exportStandings(this, m_event); });
    connect(print, &QPushButton::clicked, this,
            [this] { EventExchange::printStandings(this, m_event); });
    connect(&m_event, &EventDay::changed, this, &StandingsPage::showStandings);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(exportCsv);
    buttons->addWidget(print);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    showStandings();
}

// A group's name stands on a row of its own above its table.
void StandingsPage::showStandings()
{
    const QList<Standings::Group> groups = Standings::compute(m_event.schedule());
    m_table->clearContents();
    m_table->setRowCount(0);
    for (const Standings::Group &group : groups) {
        if (!group.name.isEmpty()) {
            const int at = m_table->rowCount();
            m_table->insertRow(at);
            m_table->setSpan(at, 0, 1, m_table->columnCount());
            auto *title = new QTableWidgetItem(group.name);
            QFont font = title->font();
            font.setBold(true);
            title->setFont(font);
            m_table->setItem(at, 0, title);
        }
        for (const Standings::Row &row : group.rows) {
            const int at = m_table->rowCount();
            m_table->insertRow(at);
            const QStringList cells = cellsOf(row);
            for (int column = 0; column < cells.size(); ++column)
                m_table->setItem(at, column, new QTableWidgetItem(cells.at(column)));
        }
    }
    m_table->resizeColumnsToContents();
}
