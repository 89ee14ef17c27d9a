// SPDX-License-Identifier: GPL-3.0-or-later
// Built in place of the X11 platform code where the build finds no X11: the
// program then runs as it does on a display that is not X11 (keys known by
// Qt's key alone, NumLock left alone, the desktop's services alone keeping
// the screen awake).

#include "platform/x11focus.h"
#include "platform/x11keyboard.h"
#include "platform/x11keylookup.h"
#include "platform/x11saverreset.h"

std::unique_ptr<modGrabKeys::Keyboard> makeX11Keyboard()
{
    return nullptr;
}

std::unique_ptr<KeyTranslation::KeyLookup> makeX11KeyLookup()
{
    return nullptr;
}

QObject *startX11SaverReset(QObject *)
{
    return nullptr;
}

void refuseX11Focus(QWindow &)
{
}
