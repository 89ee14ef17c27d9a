#pragma once

#include "settings/settingsrecord.h"

#include <QtGlobal>

// What a key asks of the board, and what it means to a field's typed entry.
namespace KeyDispatch {

constexpr qint16 HelpKey = 112;   // F1
constexpr qint16 OptionsKey = 113; // F2
constexpr qint16 NumLockKey = 144;

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
};

// The first command, in a fixed order, whose key this is: two commands on
// one key run only the earlier, and a command bound to F1 or F2 hides them.
Command commandForKey(qint16 keyCode, const SettingsRecord &settings);

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
qint16 KeyCodeToAsci(qint16 KeyCode);
