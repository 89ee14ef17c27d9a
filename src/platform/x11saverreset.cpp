// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11saverreset.h"

#include <QGuiApplication>
#include <QObject>
#include <QTimer>

#include <X11/Xlib.h>

#include <algorithm>

namespace {

// Never slower than this, so power saving timeouts longer than it are held
// off as well (a reset restarts their count too).
constexpr int LongestPeriodMs = 30000;
constexpr int ShortestPeriodMs = 1000;

// Half the saver's timeout, within the two bounds; 0 means no saver.
int periodFor(int saverTimeoutSeconds)
{
    if (saverTimeoutSeconds <= 0)
        return LongestPeriodMs;
    return std::clamp(saverTimeoutSeconds * 500, ShortestPeriodMs, LongestPeriodMs);
}

class X11SaverReset : public QObject
{
    Q_OBJECT

public:
    X11SaverReset(Display *display, QObject *parent);

private:
    void reset();

    Display *m_display;
    QTimer m_timer;
};

X11SaverReset::X11SaverReset(Display *display, QObject *parent)
    : QObject(parent)
    , m_display(display)
{
    // A timer of its own, seconds apart: nothing is added to the board's
    // clock tick.
    connect(&m_timer, &QTimer::timeout, this, &X11SaverReset::reset);
    reset();
    m_timer.start();
}

// The saver's timeout is read again each time, so one set shorter while
// the board is open is held off from the next reset on.
void X11SaverReset::reset()
{
    XResetScreenSaver(m_display);
    int timeout = 0, interval = 0, preferBlanking = 0, allowExposures = 0;
    // A round trip, so the reset has reached the server as well.
    XGetScreenSaver(m_display, &timeout, &interval, &preferBlanking, &allowExposures);
    m_timer.setInterval(periodFor(timeout));
}

} // namespace

QObject *startX11SaverReset(QObject *parent)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    return new X11SaverReset(display, parent);
}

#include "x11saverreset.moc"
