// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/keydispatch.h"

#include <QLocale>

namespace KeyDispatch {

namespace {

struct Binding
{
    qint16 KeyBindings::*key;
    Command command;
};

const Binding BindingOrder[] = {
    {&KeyBindings::StartStopClockKey, Command::StartStopClock},
    {&KeyBindings::ResetClockKey, Command::ResetClock},
    {&KeyBindings::StartStopShotKey, Command::StartStopShot},
    {&KeyBindings::ResetShotKey, Command::ResetShot},
    {&KeyBindings::ClockSwitchKey, Command::ClockSwitch},
    {&KeyBindings::BuzzerKey, Command::Buzzer},
    {&KeyBindings::HornKey, Command::Horn},
};

Command boundCommand(qint16 keyCode, const KeyBindings &bindings)
{
    for (const Binding &binding : BindingOrder) {
        if (bindings.*binding.key == keyCode)
            return binding.command;
    }
    return Command::None;
}

struct FixedKey
{
    qint16 key;
    Command command;
};

// Keys that are never a default binding, after the bound commands.
const FixedKey FixedKeys[] = {
    {HelpKey, Command::Help},
    {OptionsKey, Command::Options},
    {RecordKey, Command::Record},
    {UndoKey, Command::Undo},
    {AudienceKey, Command::Audience},
    {DisplaysKey, Command::Displays},
    {MatchKey, Command::Match},
    {HomeTimeoutKey, Command::HomeTimeout},
    {VisitorTimeoutKey, Command::VisitorTimeout},
    {NextMatchKey, Command::NextMatch},
};

} // namespace

Command commandForKey(qint16 keyCode, const KeyBindings &bindings)
{
    if (const Command command = boundCommand(keyCode, bindings); command != Command::None)
        return command;
    for (const FixedKey &fixed : FixedKeys) {
        if (fixed.key == keyCode)
            return fixed.command;
    }
    return Command::None;
}

// Page Up, Page Down, End, Home, Left, Up, Right and Down run in that order.
bool windowKeepsKey(qint16 keyCode)
{
    return keyCode == VirtualKey::Escape ||
        (keyCode >= VirtualKey::PageUp && keyCode <= VirtualKey::Down);
}

Command passedCommandForKey(qint16 keyCode, const KeyBindings &bindings)
{
    if (windowKeepsKey(keyCode))
        return Command::None;
    const Command command = boundCommand(keyCode, bindings);
    return command == Command::None && keyCode == UndoKey ? Command::Undo : command;
}

} // namespace KeyDispatch

namespace {

// Where numbers are written "0,45" the operator reaches for the comma.
bool commaIsDecimalPoint()
{
    return QLocale().decimalPoint() == QLatin1String(",");
}

} // namespace

qint16 KeyCodeToAsci(qint16 KeyCode, const KeyBindings &bindings)
{
    using namespace KeyDispatch;
    namespace VK = VirtualKey;
    if (KeyCode == VK::Space)
        return EntryDiscard;
    if (KeyCode == VK::Enter)
        return EntryCommit;
    if (KeyCode == bindings.ClearKey)
        return EntryClear;
    if (KeyCode == VK::Equals || KeyCode == VK::Add)
        return EntryPlus;
    if (KeyCode == VK::Minus || KeyCode == VK::Subtract)
        return EntryMinus;
    if (KeyCode >= VK::Numpad0 && KeyCode <= VK::Numpad9)
        return qint16('0' + (KeyCode - VK::Numpad0));
    if (KeyCode >= VK::Digit0 && KeyCode <= VK::Digit9)
        return KeyCode;
    if (KeyCode == VK::Decimal || KeyCode == VK::Period ||
        (KeyCode == VK::Comma && commaIsDecimalPoint()))
        return EntryPoint;
    return EntryNothing;
}
