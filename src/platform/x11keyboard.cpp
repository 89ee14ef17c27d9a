// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11keyboard.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

class X11Keyboard : public modGrabKeys::Keyboard
{
public:
    explicit X11Keyboard(Display *display)
        : m_display(display)
    {
    }

    bool numLockOn() const override
    {
        const unsigned int mask = XkbKeysymToModifiers(m_display, XK_Num_Lock);
        XkbStateRec state{};
        if (mask == 0 || XkbGetState(m_display, XkbUseCoreKbd, &state) != Success)
            return false;
        return (state.locked_mods & mask) != 0;
    }

    void strokeNumLock() override
    {
        const KeyCode key = XKeysymToKeycode(m_display, XK_Num_Lock);
        if (key == 0)
            return;
        XTestFakeKeyEvent(m_display, key, True, CurrentTime);
        XTestFakeKeyEvent(m_display, key, False, CurrentTime);
        // The server has taken the stroke once it answers, so the lock read
        // next is the lock after it.
        XSync(m_display, False);
    }

private:
    Display *m_display;
};

} // namespace

std::unique_ptr<modGrabKeys::Keyboard> makeX11Keyboard()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor))
        return nullptr;
    return std::make_unique<X11Keyboard>(display);
}
