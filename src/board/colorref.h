// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are stored as red + 256 * green + 65536 * blue, the form the
// settings keep; widgets need a QColor.
inline QColor toQColor(qint32 packed)
{
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

inline qint32 fromQColor(const QColor &color)
{
    return color.red() + 256 * color.green() + 65536 * color.blue();
}
