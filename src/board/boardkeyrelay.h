// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class frmScoreBoard;

// Hands the board the keys pressed in one of our windows beside it (help,
// a game record), so the operator can stop a running clock without going
// back to the board. What passes is the board's choice; the window keeps
// every other key.
class BoardKeyRelay : public QObject
{
    Q_OBJECT

public:
    // Once per window: a second call for the same window changes nothing.
    // The relay lives as long as the window.
    static void install(QWidget *window, frmScoreBoard *board);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    BoardKeyRelay(QWidget *window, frmScoreBoard *board);
    bool firstReceiver(const QObject *watched) const;

    QWidget *m_window;
    QPointer<frmScoreBoard> m_board;
};
