// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QDialog>

class QComboBox;
class QDateTimeEdit;
class QLineEdit;

// One match of the day added or changed: its start, field, group, teams
// and format.
class MatchEditDialog : public QDialog
{
    Q_OBJECT

public:
    MatchEditDialog(const ScheduledMatch &match, const QStringList &formats, QWidget *parent);

    ScheduledMatch match() const;

private:
    ScheduledMatch m_match;
    QDateTimeEdit *m_start;
    QLineEdit *m_field;
    QLineEdit *m_group;
    QLineEdit *m_home;
    QLineEdit *m_visitor;
    QComboBox *m_format;
};
