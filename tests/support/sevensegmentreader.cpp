// SPDX-License-Identifier: GPL-3.0-or-later
#include "sevensegmentreader.h"

#include <QStringList>

#include <cmath>

namespace SevenSegment {

namespace {

// The lit bars of each digit, bar a at the top, then clockwise, g in the
// middle.
const QStringList DigitBars = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                               "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

// Where each bar is sampled, as fractions of the figure's width and height.
const QPointF Anchors[] = {{0.5, 0.1}, {0.8, 0.3}, {0.8, 0.7}, {0.5, 0.9},
                           {0.2, 0.7}, {0.2, 0.3}, {0.5, 0.5}};

int squaredDistance(QRgb pixel, const QColor &colour)
{
    const int dr = qRed(pixel) - colour.red();
    const int dg = qGreen(pixel) - colour.green();
    const int db = qBlue(pixel) - colour.blue();
    return dr * dr + dg * dg + db * db;
}

} // namespace

bool anyLit(const QImage &image, const QPointF &centre, double radius, const QColor &lit,
            const QColor &back)
{
    // The centre's own pixel counts, so a tiny figure whose disc falls
    // between pixel centres still gets one sample.
    const int cx = int(std::floor(centre.x()));
    const int cy = int(std::floor(centre.y()));
    const int reach = int(std::ceil(radius)) + 1;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            const bool inside = (x == cx && y == cy) || dx * dx + dy * dy <= radius * radius;
            if (inside && image.valid(x, y) &&
                squaredDistance(image.pixel(x, y), lit) < squaredDistance(image.pixel(x, y), back))
                return true;
        }
    }
    return false;
}

int readFigure(const QImage &image, const QRect &figure, const QColor &lit, const QColor &back)
{
    QString bars;
    for (int bar = 0; bar < 7; ++bar) {
        const QPointF at(figure.x() + Anchors[bar].x() * figure.width(),
                         figure.y() + Anchors[bar].y() * figure.height());
        if (anyLit(image, at, qMax(1.0, 0.04 * figure.width()), lit, back))
            bars += QChar(u'a' + bar);
    }
    const int digit = int(DigitBars.indexOf(bars));
    return bars.isEmpty() ? BlankDigit : digit < 0 ? UnreadableDigit : digit;
}

} // namespace SevenSegment
