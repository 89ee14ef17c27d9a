// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/previewsize.h"

#include "settings/units.h"

#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>

namespace {

constexpr double BoxWidth = 1900;
constexpr double BoxHeight = 600;
constexpr double Border = 2;

// A label sized to its text; an empty one shrinks to its border.
QSizeF labelTwips(const QString &text, int points)
{
    if (text.isEmpty())
        return QSizeF(Border, Border) * TwipsPerPixel;
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pointsToPixels(points));
    const QFontMetricsF metrics(font);
    return QSizeF(metrics.horizontalAdvance(text) + Border, metrics.height() + Border) *
        TwipsPerPixel;
}

bool fits(const QString &text, int points)
{
    const QSizeF size = labelTwips(text, points);
    return size.width() < BoxWidth && size.height() < BoxHeight;
}

} // namespace

qint16 teamNameSize(const QString &home, const QString &visitor)
{
    for (int points = 60; points >= 10; --points) {
        if (fits(home, points) && fits(visitor, points))
            return qint16(points);
    }
    return 9;
}
