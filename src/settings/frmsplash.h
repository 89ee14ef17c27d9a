// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class QPushButton;
class SettingsStore;

// Where the splash stands, in twips: centred across, and 1320 above the
// middle of the screen (its top is worked out from 5880, not from its own
// height), but never above the top of the screen's available area.
QPoint splashTopLeft(const QSize &screen, const QRect &available, const QSize &window);

QString versionText();

// The first window: the product, its version, two hints, and the settings
// read while it loads. A click anywhere on it goes on to the board.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    static constexpr int HeightTwips = 3240;
    static constexpr int WidthTwips = 6300;

    frmSplash(SettingsStore &store, const QString &programFolder, QWidget *parent = nullptr);

    // Leaves the splash for the board, once, however fast the clicks come.
    void GoScore();

signals:
    void scoreBoardWanted();
    void optionsWanted();
    void helpWanted();
    // The operator closed the splash without going on: the program ends.
    void closedWithoutBoard();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void place();

    bool m_leaving = false;
};
