// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/keynames.h"

#include "input/virtualkeys.h"

#include <QHash>

namespace {

namespace VK = VirtualKey;

const QHash<qint16, QString> &namedKeys()
{
    static const QHash<qint16, QString> names = {
        {VK::Backspace, QStringLiteral("Backspace")},
        {VK::Enter, QStringLiteral("Enter")},
        {VK::Ctrl, QStringLiteral("Ctrl")},
        {VK::Pause, QStringLiteral("Pause/Break")},
        {VK::PageUp, QStringLiteral("Page Up")},
        {VK::PageDown, QStringLiteral("Page Down")},
        {VK::End, QStringLiteral("End")},
        {VK::Home, QStringLiteral("Home")},
        {VK::Insert, QStringLiteral("Insert")},
        {VK::Delete, QStringLiteral("Delete")},
        {VK::Multiply, QStringLiteral("Numpad *")},
        {VK::Divide, QStringLiteral("Numpad /")},
        {VK::Semicolon, QStringLiteral(";")},
        {VK::Comma, QStringLiteral(",")},
        {VK::Period, QStringLiteral(".")},
        {VK::Slash, QStringLiteral("/")},
        {VK::Grave, QStringLiteral("`")},
        {VK::LeftBracket, QStringLiteral("[")},
        {VK::Backslash, QStringLiteral("\\")},
        {VK::RightBracket, QStringLiteral("]")},
        {VK::Quote, QStringLiteral("\"")},
    };
    return names;
}

} // namespace

QString KeyCodeToStr(qint16 KeyCode)
{
    if (KeyCode >= VK::A && KeyCode <= VK::Z)
        return QString(QChar(KeyCode));
    // F1 and F2 open help and the options; F3 to F12 can be bound.
    if (KeyCode >= VK::F3 && KeyCode <= VK::F12)
        return QStringLiteral("F%1").arg(KeyCode - VK::F1 + 1);
    return namedKeys().value(KeyCode);
}
