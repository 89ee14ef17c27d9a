// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QLineEdit;

// A copy of a format to edit, one editor a field as the format's field
// table has them. OK hands the edited format to `save` and closes only
// when it is saved; a value out of its range, or a save refused, is said
// in the window and nothing is saved. Not modal: the board runs on.
class frmFormatEdit : public QDialog
{
    Q_OBJECT

public:
    // Answers why it could not save, or nothing.
    using Save = std::function<QString(const MatchFormat &)>;

    frmFormatEdit(const MatchFormat &from, Save save, QWidget *parent = nullptr);

    void accept() override;

private:
    Save m_save;
    QLineEdit *m_name;
    QLineEdit *m_shortName;
    QList<QWidget *> m_editors;
    QLabel *m_problem;
};
