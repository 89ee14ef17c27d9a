// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/keytranslation.h"

#include "input/keysyms.h"
#include "input/virtualkeys.h"

#include <QHash>
#include <QKeyEvent>

namespace KeyTranslation {

namespace {

namespace VK = VirtualKey;

struct KeyRow
{
    quint32 from;
    qint16 code;
};

// Keys that are not letters, digits or function keys, by unshifted keysym.
const KeyRow KeysymTable[] = {
    {Keysym::BackSpace, VK::Backspace},
    {Keysym::Tab, VK::Tab},
    {Keysym::ISO_Left_Tab, VK::Tab},
    {Keysym::Clear, VK::Clear},
    {Keysym::Return, VK::Enter},
    {Keysym::KP_Enter, VK::Enter},
    {Keysym::Shift_L, VK::Shift},
    {Keysym::Shift_R, VK::Shift},
    {Keysym::Control_L, VK::Ctrl},
    {Keysym::Control_R, VK::Ctrl},
    {Keysym::Alt_L, VK::Alt},
    {Keysym::Alt_R, VK::Alt},
    {Keysym::Meta_L, VK::Alt},
    {Keysym::Meta_R, VK::Alt},
    {Keysym::ISO_Level3_Shift, VK::Alt},
    {Keysym::Pause, VK::Pause},
    {Keysym::Caps_Lock, VK::CapsLock},
    {Keysym::Escape, VK::Escape},
    {Keysym::space, VK::Space},
    {Keysym::Prior, VK::PageUp},
    {Keysym::Next, VK::PageDown},
    {Keysym::End, VK::End},
    {Keysym::Home, VK::Home},
    {Keysym::Left, VK::Left},
    {Keysym::Up, VK::Up},
    {Keysym::Right, VK::Right},
    {Keysym::Down, VK::Down},
    {Keysym::Print, VK::PrintScreen},
    {Keysym::Insert, VK::Insert},
    {Keysym::Delete, VK::Delete},
    {Keysym::Super_L, VK::LeftWindows},
    {Keysym::Super_R, VK::RightWindows},
    {Keysym::Menu, VK::Menu},
    {Keysym::Num_Lock, VK::NumLock},
    {Keysym::Scroll_Lock, VK::ScrollLock},
    {Keysym::semicolon, VK::Semicolon},
    {Keysym::equal, VK::Equals},
    {Keysym::comma, VK::Comma},
    {Keysym::minus, VK::Minus},
    {Keysym::period, VK::Period},
    {Keysym::slash, VK::Slash},
    {Keysym::grave, VK::Grave},
    {Keysym::bracketleft, VK::LeftBracket},
    {Keysym::backslash, VK::Backslash},
    {Keysym::bracketright, VK::RightBracket},
    {Keysym::apostrophe, VK::Quote},
    // "+" on a key of its own (German, Nordic): the code of the key that types
    // "+", as on Windows.
    {Keysym::plus, VK::Equals},
};

const KeyRow QtKeyTable[] = {
    {Qt::Key_Backspace, VK::Backspace},
    {Qt::Key_Tab, VK::Tab},
    {Qt::Key_Backtab, VK::Tab},
    {Qt::Key_Clear, VK::Clear},
    {Qt::Key_Return, VK::Enter},
    {Qt::Key_Enter, VK::Enter},
    {Qt::Key_Shift, VK::Shift},
    {Qt::Key_Control, VK::Ctrl},
    {Qt::Key_Alt, VK::Alt},
    {Qt::Key_AltGr, VK::Alt},
    {Qt::Key_Pause, VK::Pause},
    {Qt::Key_CapsLock, VK::CapsLock},
    {Qt::Key_Escape, VK::Escape},
    {Qt::Key_Space, VK::Space},
    {Qt::Key_PageUp, VK::PageUp},
    {Qt::Key_PageDown, VK::PageDown},
    {Qt::Key_End, VK::End},
    {Qt::Key_Home, VK::Home},
    {Qt::Key_Left, VK::Left},
    {Qt::Key_Up, VK::Up},
    {Qt::Key_Right, VK::Right},
    {Qt::Key_Down, VK::Down},
    {Qt::Key_Print, VK::PrintScreen},
    {Qt::Key_Insert, VK::Insert},
    {Qt::Key_Delete, VK::Delete},
    {Qt::Key_Meta, VK::LeftWindows},
    {Qt::Key_Menu, VK::Menu},
    {Qt::Key_NumLock, VK::NumLock},
    {Qt::Key_ScrollLock, VK::ScrollLock},
    {Qt::Key_Semicolon, VK::Semicolon},
    {Qt::Key_Colon, VK::Semicolon},
    {Qt::Key_Equal, VK::Equals},
    {Qt::Key_Plus, VK::Equals},
    {Qt::Key_Comma, VK::Comma},
    {Qt::Key_Less, VK::Comma},
    {Qt::Key_Minus, VK::Minus},
    {Qt::Key_Underscore, VK::Minus},
    {Qt::Key_Period, VK::Period},
    {Qt::Key_Greater, VK::Period},
    {Qt::Key_Slash, VK::Slash},
    {Qt::Key_Question, VK::Slash},
    {Qt::Key_QuoteLeft, VK::Grave},
    {Qt::Key_AsciiTilde, VK::Grave},
    {Qt::Key_BracketLeft, VK::LeftBracket},
    {Qt::Key_BraceLeft, VK::LeftBracket},
    {Qt::Key_Backslash, VK::Backslash},
    {Qt::Key_Bar, VK::Backslash},
    {Qt::Key_BracketRight, VK::RightBracket},
    {Qt::Key_BraceRight, VK::RightBracket},
    {Qt::Key_Apostrophe, VK::Quote},
    {Qt::Key_QuoteDbl, VK::Quote},
    {Qt::Key_Exclam, VK::digit(1)},
    {Qt::Key_At, VK::digit(2)},
    {Qt::Key_NumberSign, VK::digit(3)},
    {Qt::Key_Dollar, VK::digit(4)},
    {Qt::Key_Percent, VK::digit(5)},
    {Qt::Key_AsciiCircum, VK::digit(6)},
    {Qt::Key_Ampersand, VK::digit(7)},
    {Qt::Key_Asterisk, VK::digit(8)},
    {Qt::Key_ParenLeft, VK::digit(9)},
    {Qt::Key_ParenRight, VK::digit(0)},
};

// The keypad, with NumLock on or off; NumLock off turns its digits into the
// navigation keys, which keep the codes those keys have everywhere.
const KeyRow KeypadTable[] = {
    {Qt::Key_0, VK::Numpad0},      {Qt::Key_1, VK::Numpad1},         {Qt::Key_2, VK::Numpad2},
    {Qt::Key_3, VK::Numpad3},      {Qt::Key_4, VK::Numpad4},         {Qt::Key_5, VK::Numpad5},
    {Qt::Key_6, VK::Numpad6},      {Qt::Key_7, VK::Numpad7},         {Qt::Key_8, VK::Numpad8},
    {Qt::Key_9, VK::Numpad9},      {Qt::Key_Asterisk, VK::Multiply}, {Qt::Key_Plus, VK::Add},
    {Qt::Key_Minus, VK::Subtract}, {Qt::Key_Period, VK::Decimal},    {Qt::Key_Comma, VK::Decimal},
    {Qt::Key_Slash, VK::Divide},   {Qt::Key_Enter, VK::Enter},       {Qt::Key_Return, VK::Enter},
    {Qt::Key_Insert, VK::Insert},  {Qt::Key_Delete, VK::Delete},     {Qt::Key_End, VK::End},
    {Qt::Key_Down, VK::Down},      {Qt::Key_PageDown, VK::PageDown}, {Qt::Key_Left, VK::Left},
    {Qt::Key_Clear, VK::Clear},    {Qt::Key_Right, VK::Right},       {Qt::Key_Home, VK::Home},
    {Qt::Key_Up, VK::Up},          {Qt::Key_PageUp, VK::PageUp},     {Qt::Key_NumLock, VK::NumLock},
    {Qt::Key_Equal, VK::Equals},
};

template<size_t N> QHash<quint32, qint16> index(const KeyRow (&rows)[N])
{
    QHash<quint32, qint16> table;
    for (const KeyRow &row : rows)
        table.insert(row.from, row.code);
    return table;
}

qint16 lookUp(const QHash<quint32, qint16> &table, quint32 key)
{
    return table.value(key, NoKeyCode);
}

KeyLookup *&installedLookup()
{
    static KeyLookup *lookup = nullptr;
    return lookup;
}

} // namespace

void setKeyLookup(KeyLookup *lookup)
{
    installedLookup() = lookup;
}

qint16 fromPhysicalKey(const PhysicalKey &key)
{
    if (key.numberRowDigit >= 0 && key.numberRowDigit <= 9)
        return VK::digit(key.numberRowDigit);
    // A letter stays its letter, even where a layout puts "." beside it.
    const quint32 lower = key.unshiftedKeysym;
    if ((lower >= Keysym::a && lower <= Keysym::z) || (lower >= Keysym::A && lower <= Keysym::Z))
        return fromKeysym(lower);
    if (key.typesPoint)
        return VK::Period;
    return fromKeysym(key.unshiftedKeysym);
}

qint16 fromKeysym(quint32 keysym)
{
    if (keysym >= Keysym::a && keysym <= Keysym::z)
        return qint16(VK::A + (keysym - Keysym::a));
    if (keysym >= Keysym::A && keysym <= Keysym::Z)
        return qint16(VK::A + (keysym - Keysym::A));
    if (keysym >= Keysym::Digit0 && keysym <= Keysym::Digit9)
        return qint16(VK::Digit0 + (keysym - Keysym::Digit0));
    if (keysym >= Keysym::F1 && keysym <= Keysym::F24)
        return qint16(VK::F1 + (keysym - Keysym::F1));
    static const QHash<quint32, qint16> table = index(KeysymTable);
    return lookUp(table, keysym);
}

qint16 fromQtKey(int key, bool keypad)
{
    if (keypad) {
        static const QHash<quint32, qint16> table = index(KeypadTable);
        return lookUp(table, quint32(key));
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return qint16(VK::A + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return qint16(VK::Digit0 + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return qint16(VK::F1 + (key - Qt::Key_F1));
    static const QHash<quint32, qint16> table = index(QtKeyTable);
    return lookUp(table, quint32(key));
}

qint16 virtualKeyCode(const QKeyEvent &event)
{
    if (event.modifiers().testFlag(Qt::KeypadModifier))
        return fromQtKey(event.key(), true);
    // Qt's key is the character the layout and Shift made; folding it the US
    // way would turn AZERTY's unshifted & into 7.
    if (KeyLookup *lookup = installedLookup()) {
        if (const auto key = lookup->physicalKey(event.nativeScanCode(), event.nativeModifiers()))
            return fromPhysicalKey(*key);
    }
    return fromQtKey(event.key(), false);
}

qint16 modifierMask(Qt::KeyboardModifiers modifiers)
{
    qint16 mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        mask |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        mask |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        mask |= 4;
    return mask;
}

} // namespace KeyTranslation
