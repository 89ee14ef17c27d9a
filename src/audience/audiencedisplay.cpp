// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/audiencedisplay.h"

#include "audience/frmaudience.h"
#include "board/frmscoreboard.h"
#include "settings/displaysettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

AudienceDisplay::AudienceDisplay(frmScoreBoard &board, SettingsStore &store, const EventDay *event,
                                 RefuseFocus refuseFocus)
    : m_board(board)
    , m_store(store)
    , m_event(event)
    , m_refuseFocus(std::move(refuseFocus))
    , m_placement(readDisplaySettings(store).AudienceScreen)
{
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watchScreen(screen);
        placeSoon();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &AudienceDisplay::screenRemoved);
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    // The program's end closes every window; that is no choice of the
    // operator's.
    connect(&board, &frmScoreBoard::closing, this, &AudienceDisplay::closeWindow);
    connect(&board, &frmScoreBoard::settingsApplied, this, [this] {
        if (m_window)
            m_window->applySettings();
        coverBoardAgain();
    });
}

AudienceDisplay::~AudienceDisplay()
{
    delete m_window;
}

QList<Monitor> AudienceDisplay::connectedMonitors()
{
    QList<Monitor> monitors;
    for (const QScreen *screen : QGuiApplication::screens())
        monitors.append({screen->name(), screen->geometry()});
    return monitors;
}

void AudienceDisplay::start()
{
    place();
}

void AudienceDisplay::toggle()
{
    const QList<Monitor> connected = connectedMonitors();
    m_placement.toggle(connected, boardMonitor());
    choose(m_placement.chosen());
}

void AudienceDisplay::coverBoardAgain()
{
    if (m_window && m_screen && m_screen->name() == boardMonitor())
        m_window->raise();
}

void AudienceDisplay::choose(const QString &monitorName)
{
    m_placement.choose(monitorName);
    if (!writeAudienceScreen(m_store, m_placement.chosen()))
        emit notice(tr("The choice of the audience monitor could not be saved."));
    place();
}

QString AudienceDisplay::boardMonitor() const
{
    const QScreen *screen = m_board.screen();
    return screen ? screen->name() : QString();
}

void AudienceDisplay::place()
{
    const std::optional<Monitor> target = m_placement.target(connectedMonitors());
    QScreen *screen = nullptr;
    for (QScreen *candidate : QGuiApplication::screens()) {
        if (target && candidate->name() == target->name)
            screen = candidate;
    }
    if (!screen) {
        closeWindow();
        return;
    }
    if (!m_window) {
        m_window = new frmAudience(m_board.game(), m_event, m_refuseFocus);
        connect(m_window, &frmAudience::closedFromOutside, this, [this] { choose(QString()); });
    } else if (m_screen == screen && m_window->geometry() == screen->geometry()) {
        return;
    }
    m_screen = screen;
    m_window->showOn(screen);
    if (screen->name() == boardMonitor())
        emit notice(tr("The audience display covers the board's own screen. Press F5 to "
                       "turn it off."));
}

// Screens come and go in bursts; the window is placed once they settle.
void AudienceDisplay::placeSoon()
{
    QTimer::singleShot(0, this, &AudienceDisplay::place);
}

void AudienceDisplay::closeWindow()
{
    m_screen = nullptr;
    if (m_window) {
        disconnect(m_window, nullptr, this, nullptr);
        m_window->hide();
        m_window->deleteLater();
    }
    m_window = nullptr;
}

void AudienceDisplay::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &AudienceDisplay::placeSoon);
}

// Before the window system moves the windows of a vanished screen onto
// another, the display is gone: it must never land over the board.
void AudienceDisplay::screenRemoved(QScreen *screen)
{
    if (screen == m_screen)
        closeWindow();
    placeSoon();
}
