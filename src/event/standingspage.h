// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class EventDay;
class QTableWidget;

// The Match window's page of standings, each group's table as the day's
// results make it, kept as CSV or printed.
class StandingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit StandingsPage(EventDay &event, QWidget *parent = nullptr);

private:
    void showStandings();

    EventDay &m_event;
    QTableWidget *m_table;
};
