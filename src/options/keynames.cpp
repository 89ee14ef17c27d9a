#include "options/keynames.h"

#include <QHash>

namespace {

const QHash<qint16, QString> &namedKeys()
{
    static const QHash<qint16, QString> names = {
        {8, QStringLiteral("Backspace")},   {13, QStringLiteral("Enter")},
        {17, QStringLiteral("Ctrl")},       {19, QStringLiteral("Pause/Break")},
        {33, QStringLiteral("Page Up")},    {34, QStringLiteral("Page Down")},
        {35, QStringLiteral("End")},        {36, QStringLiteral("Home")},
        {45, QStringLiteral("Insert")},     {46, QStringLiteral("Delete")},
        {106, QStringLiteral("Numpad *")},  {111, QStringLiteral("Numpad /")},
        {186, QStringLiteral(";")},         {188, QStringLiteral(",")},
        {190, QStringLiteral(".")},         {191, QStringLiteral("/")},
        {192, QStringLiteral("`")},         {219, QStringLiteral("[")},
        {220, QStringLiteral("\\")},        {221, QStringLiteral("]")},
        {222, QStringLiteral("\"")},
    };
    return names;
}

} // namespace

QString KeyCodeToStr(qint16 KeyCode)
{
    if (KeyCode >= 65 && KeyCode <= 90)
        return QString(QChar(KeyCode));
    // F1 and F2 open help and the options; F3 to F12 can be bound.
    if (KeyCode >= 114 && KeyCode <= 123)
        return QStringLiteral("F%1").arg(KeyCode - 111);
    return namedKeys().value(KeyCode);
}
