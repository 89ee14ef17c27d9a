// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <Qt>

class QDialog;

// The options dialog and the key-capture window are fixed dialogs: typed as
// dialogs for the window manager, transient for the window that opened them
// (their parent), of one size, with no minimize or maximize button.
Qt::WindowFlags fixedDialogFlags();

// Fixes the dialog's size, and brings it straight back, restored and in
// front, whenever a window manager minimizes it anyway: some offer minimize
// whatever the hints say, and a minimized modal dialog leaves the board
// hidden or blocked with every key dead.
void makeFixedDialog(QDialog &dialog, const QSize &size);
