// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/modgrabkeys.h"

#include <memory>

// NumLock on an X11 display: the lock read through XKB, changed by a stroke
// injected through XTest so that the program sees its release like a real
// one. Null where the application runs on no X11 display.
std::unique_ptr<modGrabKeys::Keyboard> makeX11Keyboard();
