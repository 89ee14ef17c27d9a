// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <qnamespace.h>

#include <optional>

class QKeyEvent;

// The program's key codes are Windows virtual-key codes: they are what the
// settings store and the key table show. A key is known by its physical key,
// never by the character Shift makes of it, so Shift+1 is 49 and Shift+= is
// 187, exactly as 1 and =.
namespace KeyTranslation {

// What a key without a code gives; no key handler acts on it.
constexpr qint16 NoKeyCode = 0;

// What the keyboard's layout, as it stands when a key is pressed, says of
// the physical key.
struct PhysicalKey
{
    // 1 to 9 and 0 for the ten keys of the number row, whatever a layout
    // prints on them (AZERTY's unshifted & is still 1); -1 for other keys.
    int numberRowDigit = -1;
    // One of the key's shift levels types ".".
    bool typesPoint = false;
    // What the key types with no modifier held, as a keysym (input/keysyms.h); 0 if
    // nothing.
    quint32 unshiftedKeysym = 0;
};

// The platform's own keymap, where there is one (X11). Keymap changes and
// the active layout group are its business.
class KeyLookup
{
public:
    virtual ~KeyLookup() = default;
    // From the native scan code and modifiers the key event carries; none
    // when the keymap cannot be read.
    virtual std::optional<PhysicalKey> physicalKey(quint32 nativeScanCode,
                                                   quint32 nativeModifiers) = 0;
};

// Without a lookup keys are known by Qt's key alone.
void setKeyLookup(KeyLookup *lookup);

// Keypad keys by Qt's key; every other key through the lookup when there is
// one, else by Qt's key.
qint16 virtualKeyCode(const QKeyEvent &event);

// The number row by position, letters by the letter, a key that types "."
// as the point key, anything else by its unshifted keysym.
qint16 fromPhysicalKey(const PhysicalKey &key);
// From an unshifted X11 keysym.
qint16 fromKeysym(quint32 keysym);
// From Qt's key, for keypad keys and where there is no keymap to ask;
// shifted US symbols fold back onto their keys.
qint16 fromQtKey(int key, bool keypad);

// 1 Shift, 2 Ctrl, 4 Alt: passed along with every key, never examined.
qint16 modifierMask(Qt::KeyboardModifiers modifiers);

} // namespace KeyTranslation
