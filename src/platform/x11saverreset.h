// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;

// Keeps the X server's own screen saver and display power saving from
// blanking the screen by telling the server, more often than its shortest
// saver timeout, that someone is there. Nothing on the server is changed, so
// a program that dies leaves the operator's settings as they were. Lives as
// a child of the parent; null where the program has no X display.
QObject *startX11SaverReset(QObject *parent);
