// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/keybindings.h"
#include "input/virtualkeys.h"

#include <QtGlobal>

// What a key asks of the board, and what it means to a field's typed entry.
namespace KeyDispatch {

constexpr qint16 HelpKey = VirtualKey::F1;
constexpr qint16 OptionsKey = VirtualKey::F2;
constexpr qint16 RecordKey = VirtualKey::F3;
constexpr qint16 UndoKey = VirtualKey::F4;
constexpr qint16 AudienceKey = VirtualKey::F5;
constexpr qint16 DisplaysKey = VirtualKey::F6;
constexpr qint16 MatchKey = VirtualKey::F7;
constexpr qint16 HomeTimeoutKey = VirtualKey::F8;
constexpr qint16 VisitorTimeoutKey = VirtualKey::F9;
constexpr qint16 NextMatchKey = VirtualKey::F10;

enum class Command {
    None,
    StartStopClock,
    ResetClock,
    StartStopShot,
    ResetShot,
    ClockSwitch,
    Buzzer,
    Horn,
    Help,
    Options,
    Record,
    Undo,
    Audience,
    Displays,
    Match,
    HomeTimeout,
    VisitorTimeout,
    NextMatch,
};

// The first command, in a fixed order, whose key this is: two commands on
// one key run only the earlier, and a command bound to one of F1 to F9
// hides that key's own use; so does one bound to F10.
Command commandForKey(qint16 keyCode, const KeyBindings &bindings);

// Escape and the keys that move through a window's content (Page Up and
// Down, End, Home, the arrows): our windows beside the board keep them for
// themselves, whatever command they are bound to.
bool windowKeepsKey(qint16 keyCode);

// What a key pressed in one of our windows beside the board (help, a game
// record) asks of the board, so a running clock can be stopped from there:
// the seven bound commands and undo. Field entry, the clear key, the
// penalty start key, F1 and F2 stay behind, and so do the keys the window
// keeps.
Command passedCommandForKey(qint16 keyCode, const KeyBindings &bindings);

// Entry codes a field editor consumes.
constexpr qint16 EntryDiscard = 32;
constexpr qint16 EntryCommit = 13;
constexpr qint16 EntryClear = 0;
constexpr qint16 EntryPlus = 43;
constexpr qint16 EntryMinus = 45;
constexpr qint16 EntryPoint = 46;
constexpr qint16 EntryNothing = -1;

} // namespace KeyDispatch

// The entry code of a key. The clear key is tested third, so a clear key
// bound to a digit clears instead of typing, and one bound to space or Enter
// never clears. Where the decimal separator is a comma, the comma key types
// the point too; it stays the comma key everywhere else.
qint16 KeyCodeToAsci(qint16 KeyCode, const KeyBindings &bindings);
