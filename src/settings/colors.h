// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

// The colours the program starts with and resets to, packed as the settings
// keep them: red + 256 * green + 65536 * blue.
namespace Colors {

constexpr qint32 rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

constexpr qint32 Black = rgb(0, 0, 0);
constexpr qint32 White = rgb(255, 255, 255);
constexpr qint32 Red = rgb(255, 0, 0);
constexpr qint32 Orange = rgb(255, 128, 0);
constexpr qint32 Green = rgb(0, 192, 0);
constexpr qint32 Gray = rgb(64, 64, 64);

} // namespace Colors

// Widgets and pages need a QColor.
inline QColor toQColor(qint32 packed)
{
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

inline qint32 fromQColor(const QColor &color)
{
    return Colors::rgb(color.red(), color.green(), color.blue());
}
