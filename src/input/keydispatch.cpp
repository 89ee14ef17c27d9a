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

constexpr qint16 PageUpKey = 33;
constexpr qint16 DownArrowKey = 40;

Command boundCommand(qint16 keyCode, const KeyBindings &bindings)
{
    for (const Binding &binding : BindingOrder) {
        if (bindings.*binding.key == keyCode)
            return binding.command;
    }
    return Command::None;
}

} // namespace

Command commandForKey(qint16 keyCode, const KeyBindings &bindings)
{
    if (const Command command = boundCommand(keyCode, bindings); command != Command::None)
        return command;
    if (keyCode == HelpKey)
        return Command::Help;
    if (keyCode == OptionsKey)
        return Command::Options;
    return Command::None;
}

// Page Up, Page Down, End, Home, Left, Up, Right and Down run 33 to 40.
bool windowKeepsKey(qint16 keyCode)
{
    return keyCode == EscapeKey || (keyCode >= PageUpKey && keyCode <= DownArrowKey);
}

Command passedCommandForKey(qint16 keyCode, const KeyBindings &bindings)
{
    return windowKeepsKey(keyCode) ? Command::None : boundCommand(keyCode, bindings);
}

} // namespace KeyDispatch

namespace {

constexpr qint16 CommaKey = 188;

// Where numbers are written "0,45" the operator reaches for the comma.
bool commaIsDecimalPoint()
{
    return QLocale().decimalPoint() == QLatin1String(",");
}

} // namespace

qint16 KeyCodeToAsci(qint16 KeyCode, const KeyBindings &bindings)
{
    using namespace KeyDispatch;
    if (KeyCode == 32)
        return EntryDiscard;
    if (KeyCode == 13)
        return EntryCommit;
    if (KeyCode == bindings.ClearKey)
        return EntryClear;
    if (KeyCode == 187 || KeyCode == 107)
        return EntryPlus;
    if (KeyCode == 189 || KeyCode == 109)
        return EntryMinus;
    if (KeyCode >= 96 && KeyCode <= 105)
        return qint16(48 + (KeyCode - 96));
    if (KeyCode >= 48 && KeyCode <= 57)
        return KeyCode;
    if (KeyCode == 110 || KeyCode == 190 || (KeyCode == CommaKey && commaIsDecimalPoint()))
        return EntryPoint;
    return EntryNothing;
}
