// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The keysyms the key translation reads: the symbols a keymap puts on a key,
// numbered as the X protocol numbers them and as XKB keymaps carry them
// (the same numbers under X11 and Wayland). Plain numbers, so the
// translation needs no X11 header; named after the X names without their
// XK_ prefix (digits as Digit0, Digit9).
namespace Keysym {

// Letters, digits and function keys run in order between these.
constexpr quint32 a = 0x0061;
constexpr quint32 z = 0x007a;
constexpr quint32 A = 0x0041;
constexpr quint32 Z = 0x005a;
constexpr quint32 Digit0 = 0x0030;
constexpr quint32 Digit9 = 0x0039;
constexpr quint32 F1 = 0xffbe;
constexpr quint32 F24 = 0xffd5;

// Editing, navigation and modifier keys.
constexpr quint32 BackSpace = 0xff08;
constexpr quint32 Tab = 0xff09;
constexpr quint32 ISO_Left_Tab = 0xfe20;
constexpr quint32 Clear = 0xff0b;
constexpr quint32 Return = 0xff0d;
constexpr quint32 KP_Enter = 0xff8d;
constexpr quint32 Pause = 0xff13;
constexpr quint32 Scroll_Lock = 0xff14;
constexpr quint32 Escape = 0xff1b;
constexpr quint32 Delete = 0xffff;
constexpr quint32 Home = 0xff50;
constexpr quint32 Left = 0xff51;
constexpr quint32 Up = 0xff52;
constexpr quint32 Right = 0xff53;
constexpr quint32 Down = 0xff54;
constexpr quint32 Prior = 0xff55;
constexpr quint32 Next = 0xff56;
constexpr quint32 End = 0xff57;
constexpr quint32 Print = 0xff61;
constexpr quint32 Insert = 0xff63;
constexpr quint32 Menu = 0xff67;
constexpr quint32 Num_Lock = 0xff7f;
constexpr quint32 Shift_L = 0xffe1;
constexpr quint32 Shift_R = 0xffe2;
constexpr quint32 Control_L = 0xffe3;
constexpr quint32 Control_R = 0xffe4;
constexpr quint32 Caps_Lock = 0xffe5;
constexpr quint32 Meta_L = 0xffe7;
constexpr quint32 Meta_R = 0xffe8;
constexpr quint32 Alt_L = 0xffe9;
constexpr quint32 Alt_R = 0xffea;
constexpr quint32 Super_L = 0xffeb;
constexpr quint32 Super_R = 0xffec;
constexpr quint32 ISO_Level3_Shift = 0xfe03;

// Punctuation: the Latin-1 character's own code.
constexpr quint32 space = 0x0020;
constexpr quint32 apostrophe = 0x0027;
constexpr quint32 plus = 0x002b;
constexpr quint32 comma = 0x002c;
constexpr quint32 minus = 0x002d;
constexpr quint32 period = 0x002e;
constexpr quint32 slash = 0x002f;
constexpr quint32 semicolon = 0x003b;
constexpr quint32 equal = 0x003d;
constexpr quint32 bracketleft = 0x005b;
constexpr quint32 backslash = 0x005c;
constexpr quint32 bracketright = 0x005d;
constexpr quint32 grave = 0x0060;

} // namespace Keysym
