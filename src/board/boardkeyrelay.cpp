// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardkeyrelay.h"

#include "board/frmscoreboard.h"
#include "input/keytranslation.h"

#include <QApplication>
#include <QKeyEvent>

BoardKeyRelay::BoardKeyRelay(QWidget *window, frmScoreBoard *board)
    : QObject(window)
    , m_window(window)
    , m_board(board)
{
    // Keys go to the window's focused child, which the window may change
    // or add at any time: the relay watches them all from the application.
    qApp->installEventFilter(this);
}

void BoardKeyRelay::install(QWidget *window, frmScoreBoard *board)
{
    if (!window || !board ||
        window->findChild<BoardKeyRelay *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    new BoardKeyRelay(window, board);
}

// A key the focused widget leaves goes on to its parents; the board must see
// it once only.
bool BoardKeyRelay::firstReceiver(const QObject *watched) const
{
    QWidget *focused = m_window->focusWidget();
    return watched == (focused ? focused : m_window);
}

bool BoardKeyRelay::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !m_board ||
        !firstReceiver(watched))
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    const qint16 code = KeyTranslation::virtualKeyCode(key);
    const qint16 shift = KeyTranslation::modifierMask(key.modifiers());
    if (type == QEvent::KeyPress)
        return code != KeyTranslation::NoKeyCode && m_board->otherWindowKeyDown(code, shift);
    if (!key.isAutoRepeat())
        m_board->otherWindowKeyUp(code, shift);
    return false;
}
