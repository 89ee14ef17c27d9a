// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audience/audienceplacement.h"

#include <QDialog>

class QComboBox;
class QPushButton;

// The Displays window (F6): which monitor the audience display is on, or
// none, and below it whatever else the program shows beyond the board (the
// live feed's settings), given as `more`. A fixed modal dialog like
// Options: OK takes the focus, and Escape or the close box changes nothing.
class frmDisplays : public QDialog
{
    Q_OBJECT

public:
    frmDisplays(const QList<Monitor> &connected, const QString &chosen, const QString &boardMonitor,
                QWidget *more, QWidget *parent);

    // The monitor chosen in the window; empty for off.
    QString audienceScreen() const;

    QComboBox *screenList() const { return m_screens; }
    QPushButton *okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *m_screens;
    QPushButton *m_ok;
};
