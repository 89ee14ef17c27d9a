// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audience/audienceplacement.h"
#include "audience/frmaudience.h"

#include <QObject>
#include <QPointer>

class EventDay;
class frmScoreBoard;
class QScreen;
class QWidget;
class SettingsStore;

// The audience display's life: on the monitor the operator chose, off,
// closed while its monitor is unplugged and back when it returns. F5 and
// the Displays window command it; the choice is kept in the store.
class AudienceDisplay : public QObject
{
    Q_OBJECT

public:
    // `event` may be none; the display shows the day between its matches.
    AudienceDisplay(frmScoreBoard &board, SettingsStore &store, const EventDay *event,
                    RefuseFocus refuseFocus);
    ~AudienceDisplay() override;

    // Opens the display where the stored setting says, when that monitor
    // is connected.
    void start();
    // F5.
    void toggle();
    // The Displays window's choice; empty for off.
    void choose(const QString &monitorName);
    // A window manager raises the board with a dialog of its own; where the
    // display shares the board's screen, it goes back on top once the
    // dialog has closed.
    void coverBoardAgain();
    QString boardMonitor() const;

    const AudiencePlacement &placement() const { return m_placement; }
    // The open window, if any.
    frmAudience *window() const { return m_window; }

    static QList<Monitor> connectedMonitors();

signals:
    // Something the operator should know, which must not take the keys.
    void notice(const QString &text);

private:
    // Opens, moves or closes the window as the choice and the monitors say.
    void place();
    void placeSoon();
    void closeWindow();
    void watchScreen(QScreen *screen);
    void screenRemoved(QScreen *screen);

    frmScoreBoard &m_board;
    SettingsStore &m_store;
    const EventDay *m_event;
    RefuseFocus m_refuseFocus;
    AudiencePlacement m_placement;
    QPointer<frmAudience> m_window;
    QPointer<QScreen> m_screen;
};
