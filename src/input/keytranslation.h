#pragma once

#include <QtGlobal>
#include <qnamespace.h>

class QKeyEvent;

// The program's key codes are Windows virtual-key codes: they are what the
// settings store and the key table show. A key is known by its physical key,
// never by the character Shift makes of it, so Shift+1 is 49 and Shift+= is
// 187, exactly as 1 and =.
namespace KeyTranslation {

// What a key without a code gives; no key handler acts on it.
constexpr qint16 NoKeyCode = 0;

qint16 virtualKeyCode(const QKeyEvent &event);

// From the unshifted X11 keysym of the physical key.
qint16 fromKeysym(quint32 keysym);
// From Qt's key, for keypad keys and where there is no X11 display; shifted
// US symbols fold back onto their keys.
qint16 fromQtKey(int key, bool keypad);

// 1 Shift, 2 Ctrl, 4 Alt: passed along with every key, never examined.
qint16 modifierMask(Qt::KeyboardModifiers modifiers);

} // namespace KeyTranslation
