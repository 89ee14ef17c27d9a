// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The codes keys are stored, bound and dispatched by: the virtual-key codes
// the settings have always held, so a stored binding keeps its key.
namespace VirtualKey {

constexpr qint16 Backspace = 8;
constexpr qint16 Tab = 9;
constexpr qint16 Clear = 12;
constexpr qint16 Enter = 13;
constexpr qint16 Shift = 16;
constexpr qint16 Ctrl = 17;
constexpr qint16 Alt = 18;
constexpr qint16 Pause = 19;
constexpr qint16 CapsLock = 20;
constexpr qint16 Escape = 27;
constexpr qint16 Space = 32;
constexpr qint16 PageUp = 33;
constexpr qint16 PageDown = 34;
constexpr qint16 End = 35;
constexpr qint16 Home = 36;
constexpr qint16 Left = 37;
constexpr qint16 Up = 38;
constexpr qint16 Right = 39;
constexpr qint16 Down = 40;
constexpr qint16 PrintScreen = 44;
constexpr qint16 Insert = 45;
constexpr qint16 Delete = 46;
constexpr qint16 Digit0 = 48;
constexpr qint16 Digit9 = 57;
constexpr qint16 A = 65;
constexpr qint16 Z = 90;
constexpr qint16 LeftWindows = 91;
constexpr qint16 RightWindows = 92;
constexpr qint16 Menu = 93;
constexpr qint16 Numpad0 = 96;
constexpr qint16 Numpad1 = 97;
constexpr qint16 Numpad2 = 98;
constexpr qint16 Numpad3 = 99;
constexpr qint16 Numpad4 = 100;
constexpr qint16 Numpad5 = 101;
constexpr qint16 Numpad6 = 102;
constexpr qint16 Numpad7 = 103;
constexpr qint16 Numpad8 = 104;
constexpr qint16 Numpad9 = 105;
constexpr qint16 Multiply = 106;
constexpr qint16 Add = 107;
constexpr qint16 Subtract = 109;
constexpr qint16 Decimal = 110;
constexpr qint16 Divide = 111;
constexpr qint16 F1 = 112;
constexpr qint16 F2 = 113;
constexpr qint16 F3 = 114;
constexpr qint16 F4 = 115;
constexpr qint16 F5 = 116;
constexpr qint16 F6 = 117;
constexpr qint16 F7 = 118;
constexpr qint16 F8 = 119;
constexpr qint16 F9 = 120;
constexpr qint16 F10 = 121;
constexpr qint16 F12 = 123;
constexpr qint16 NumLock = 144;
constexpr qint16 ScrollLock = 145;
constexpr qint16 Semicolon = 186;
constexpr qint16 Equals = 187;
constexpr qint16 Comma = 188;
constexpr qint16 Minus = 189;
constexpr qint16 Period = 190;
constexpr qint16 Slash = 191;
constexpr qint16 Grave = 192;
constexpr qint16 LeftBracket = 219;
constexpr qint16 Backslash = 220;
constexpr qint16 RightBracket = 221;
constexpr qint16 Quote = 222;

// Letters, digits and function keys run in order from their first.
constexpr qint16 letter(char upper)
{
    return qint16(A + (upper - 'A'));
}

constexpr qint16 digit(int value)
{
    return qint16(Digit0 + value);
}

constexpr qint16 function(int number)
{
    return qint16(F1 + number - 1);
}

} // namespace VirtualKey
