// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/frmaudience.h"

#include "audience/intermissionpanel.h"
#include "board/boardcontrol.h"
#include "settings/units.h"

#include <QCloseEvent>
#include <QScreen>
#include <QWindow>

frmAudience::frmAudience(const Game &game, const EventDay *event, RefuseFocus refuseFocus)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_view(*this, game)
    , m_refuseFocus(std::move(refuseFocus))
{
    setWindowTitle(tr("Vantrell audience display"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAutoFillBackground(true);
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::NoFocus);
    // No control answers a click or takes the focus: the window has none.
    for (BoardControl *control : m_view.layer().controls()) {
        control->setFocusPolicy(Qt::NoFocus);
        control->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (event)
        m_intermission = new IntermissionPanel(*event, game, *this);
    resize(twipsToPixels(BoardDesignWidth), twipsToPixels(BoardDesignHeight));
    applySettings();
}

void frmAudience::applySettings()
{
    m_view.applySettings();
    if (m_intermission)
        m_intermission->applySettings();
}

void frmAudience::showOn(QScreen *screen)
{
    if (!windowHandle()) {
        create();
        if (m_refuseFocus)
            m_refuseFocus(*windowHandle());
    }
    windowHandle()->setScreen(screen);
    setGeometry(screen->geometry());
    // Not showFullScreen(), which would activate the window.
    setWindowState(windowState() | Qt::WindowFullScreen);
    show();
}

void frmAudience::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view.stretch();
    m_view.showLabels();
    if (m_intermission)
        m_intermission->setGeometry(rect());
}

void frmAudience::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closedFromOutside();
}
