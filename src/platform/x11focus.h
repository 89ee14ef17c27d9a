// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

// Makes a window one that an X window manager never gives the keyboard.
// Qt marks a window that accepts no focus in its hints but still offers to
// take the focus when asked, and some window managers then hand it the
// keyboard when a dialog closes, where no key reaches anything. Nothing
// happens where the program has no X display.
void refuseX11Focus(QWindow &window);
