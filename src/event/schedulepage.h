// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/formatlibrary.h"

#include <QWidget>

class EventDay;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The Match window's page of the day: the schedule with each match's
// state, "Next match", the list's changes, the day's files, and how this
// computer takes part.
class SchedulePage : public QWidget
{
    Q_OBJECT

public:
    SchedulePage(EventDay &event, const FormatLibrary &library, QWidget *parent = nullptr);

signals:
    void nextMatchWanted();

protected:
    // The one thing to do first: import a day, else play its next match.
    void showEvent(QShowEvent *event) override;

private:
    struct Buttons
    {
        QPushButton *next;
        QPushButton *add;
        QPushButton *edit;
        QPushButton *remove;
        QPushButton *up;
        QPushButton *down;
        QPushButton *forfeit;
        QPushButton *exportResults;
        QPushButton *mergeResults;
        QPushButton *close;
        QPushButton *importSchedule;
    };
    struct Settings
    {
        QLineEdit *field;
        QSpinBox *standingsEvery;
        QSpinBox *win;
        QSpinBox *draw;
        QSpinBox *loss;
    };

    QWidget *buildButtons();
    QWidget *buildSettings();
    void showDay();
    void showSettings();
    void showButtons();
    qsizetype chosen() const;
    QStringList formatNames() const;
    void editMatch(qsizetype at);
    void move(int step);
    void remove();
    void forfeit();
    void takeSettings();

    EventDay &m_event;
    FormatLibrary m_library;
    QLabel *m_title;
    QTableWidget *m_table;
    Buttons m_buttons{};
    Settings m_settings{};
};
