// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The name a key is shown by; only keys with a name can be bound to a
// command, every other key has the empty name.
QString KeyCodeToStr(qint16 KeyCode);
