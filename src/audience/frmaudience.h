// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardview.h"

#include <QWidget>

#include <functional>

class EventDay;
class Game;
class IntermissionPanel;
class QScreen;
class QWindow;

// Makes a window one that the window manager never gives the keyboard, as
// far as the platform lets it; app/ supplies it.
using RefuseFocus = std::function<void(QWindow &)>;

// The board for the audience, full screen on a monitor of its own: the
// game as the operator's board shows it, without the selection highlight,
// the pointer or any control. It never takes the keyboard, so every key
// stays with the operator's board. With the day's event open, the day
// stands in the board's place between matches.
class frmAudience : public QWidget
{
    Q_OBJECT

public:
    // `event` may be none.
    frmAudience(const Game &game, const EventDay *event, RefuseFocus refuseFocus);

    const BoardView &view() const { return m_view; }
    // None without an event.
    const IntermissionPanel *intermission() const { return m_intermission; }
    // Covers the screen, without a frame.
    void showOn(QScreen *screen);
    // Takes up the settings again: names, colours, picture, LED style.
    void applySettings();

signals:
    // Closed from outside the program, as a window manager may; the program
    // itself only hides it or deletes it.
    void closedFromOutside();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    BoardView m_view;
    RefuseFocus m_refuseFocus;
    IntermissionPanel *m_intermission = nullptr;
};
