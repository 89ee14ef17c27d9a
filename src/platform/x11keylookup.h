// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/keytranslation.h"

#include <memory>

// Keys as the X server's keymap lays them out at the moment they are
// pressed: a layout switched while the program runs, and the group key of a
// keymap with two layouts, are followed. Null where the application runs on
// no X11 display or the server lacks XKB.
std::unique_ptr<KeyTranslation::KeyLookup> makeX11KeyLookup();
