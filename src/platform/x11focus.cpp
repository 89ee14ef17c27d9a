// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11focus.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xlib.h>

// Closing stays: a window manager may still ask the window to close.
void refuseX11Focus(QWindow &window)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    Atom closing = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, Window(window.winId()), &closing, 1);
    XFlush(display);
}
