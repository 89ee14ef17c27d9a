// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Only keys with a name can be bound to a command. Asked of the key itself,
// not of its shown name, so no translation can make a key unbindable.
bool KeyHasName(qint16 KeyCode);
// The name a key is shown by, in the operator's language; every key without
// a name has the empty name.
QString KeyCodeToStr(qint16 KeyCode);
