// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/keynames.h"

#include "input/virtualkeys.h"

#include <QCoreApplication>
#include <QHash>

namespace {

namespace VK = VirtualKey;

// The names in English; the words are translated where they are shown, the
// symbols are the key caps' own.
const QHash<qint16, const char *> &namedKeys()
{
    static const QHash<qint16, const char *> names = {
        {VK::Backspace, QT_TRANSLATE_NOOP("KeyNames", "Backspace")},
        {VK::Enter, QT_TRANSLATE_NOOP("KeyNames", "Enter")},
        {VK::Ctrl, QT_TRANSLATE_NOOP("KeyNames", "Ctrl")},
        {VK::Pause, QT_TRANSLATE_NOOP("KeyNames", "Pause/Break")},
        {VK::PageUp, QT_TRANSLATE_NOOP("KeyNames", "Page Up")},
        {VK::PageDown, QT_TRANSLATE_NOOP("KeyNames", "Page Down")},
        {VK::End, QT_TRANSLATE_NOOP("KeyNames", "End")},
        {VK::Home, QT_TRANSLATE_NOOP("KeyNames", "Home")},
        {VK::Insert, QT_TRANSLATE_NOOP("KeyNames", "Insert")},
        {VK::Delete, QT_TRANSLATE_NOOP("KeyNames", "Delete")},
        {VK::Multiply, QT_TRANSLATE_NOOP("KeyNames", "Numpad *")},
        {VK::Divide, QT_TRANSLATE_NOOP("KeyNames", "Numpad /")},
        {VK::Semicolon, ";"},
        {VK::Comma, ","},
        {VK::Period, "."},
        {VK::Slash, "/"},
        {VK::Grave, "`"},
        {VK::LeftBracket, "["},
        {VK::Backslash, "\\"},
        {VK::RightBracket, "]"},
        {VK::Quote, "\""},
    };
    return names;
}

// F1 and F2 open help and the options; F3 to F12 can be bound.
bool functionKey(qint16 KeyCode)
{
    return KeyCode >= VK::F3 && KeyCode <= VK::F12;
}

bool letterKey(qint16 KeyCode)
{
    return KeyCode >= VK::A && KeyCode <= VK::Z;
}

} // namespace

bool KeyHasName(qint16 KeyCode)
{
    return letterKey(KeyCode) || functionKey(KeyCode) || namedKeys().contains(KeyCode);
}

QString KeyCodeToStr(qint16 KeyCode)
{
    if (letterKey(KeyCode))
        return QString(QChar(KeyCode));
    if (functionKey(KeyCode))
        return QStringLiteral("F%1").arg(KeyCode - VK::F1 + 1);
    const char *name = namedKeys().value(KeyCode);
    return name ? QCoreApplication::translate("KeyNames", name) : QString();
}
