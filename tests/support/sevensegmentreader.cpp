// SPDX-License-Identifier: GPL-3.0-or-later
#include "sevensegmentreader.h"

#include <cmath>

namespace SevenSegment {

namespace {

// The lit bars of each digit, as they are drawn.
const char *const DigitBars[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                 "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

// Where each bar is sampled, as fractions of the figure's width and height.
const QPointF Anchors[SegmentCount] = {{0.5, 0.1}, {0.8, 0.3}, {0.8, 0.7}, {0.5, 0.9},
                                       {0.2, 0.7}, {0.2, 0.3}, {0.5, 0.5}};

int squaredDistance(QRgb pixel, const QColor &colour)
{
    const int dr = qRed(pixel) - colour.red();
    const int dg = qGreen(pixel) - colour.green();
    const int db = qBlue(pixel) - colour.blue();
    return dr * dr + dg * dg + db * db;
}

} // namespace

SegmentMask segmentsForDigit(int digit)
{
    SegmentMask mask = 0;
    for (const char *bar = digit >= 0 && digit <= 9 ? DigitBars[digit] : ""; *bar; ++bar)
        mask |= SegmentMask(1u << (*bar - 'a'));
    return mask;
}

int digitForSegments(SegmentMask segments)
{
    for (int digit = 0; digit <= 9 && segments; ++digit) {
        if (segmentsForDigit(digit) == segments)
            return digit;
    }
    return segments ? UnreadableDigit : BlankDigit;
}

QString segmentLetters(SegmentMask segments)
{
    QString letters;
    for (int segment = A; segment < SegmentCount; ++segment) {
        if (segments & (1u << segment))
            letters += QChar(u'a' + segment);
    }
    return letters;
}

QString FigureReading::describe() const
{
    if (isBlank())
        return QStringLiteral("blank");
    return isReadable() ? QString::number(digit)
                        : QStringLiteral("unreadable (lit: %1)").arg(segmentLetters(segments));
}

QPointF segmentCentre(const QRectF &figure, Segment segment)
{
    return {figure.x() + Anchors[segment].x() * figure.width(),
            figure.y() + Anchors[segment].y() * figure.height()};
}

double sampleRadius(double figureWidth)
{
    return qMax(1.0, 0.04 * figureWidth);
}

bool looksLit(QRgb pixel, const QColor &lit, const QColor &back)
{
    return squaredDistance(pixel, lit) < squaredDistance(pixel, back);
}

bool isSegmentLit(const QImage &image, const QRect &figure, Segment segment, const QColor &lit,
                  const QColor &back)
{
    const QPointF centre = segmentCentre(QRectF(figure), segment);
    const double radius = sampleRadius(figure.width());
    // The pixel holding the centre always counts, so a tiny figure whose
    // disc falls between pixel centres still gets one sample.
    const int cx = int(std::floor(centre.x()));
    const int cy = int(std::floor(centre.y()));
    const int reach = int(std::ceil(radius)) + 1;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            const bool inside = (x == cx && y == cy) || dx * dx + dy * dy <= radius * radius;
            if (inside && image.valid(x, y) && looksLit(image.pixel(x, y), lit, back))
                return true;
        }
    }
    return false;
}

FigureReading readFigure(const QImage &image, const QRect &figure, const QColor &lit,
                         const QColor &back)
{
    FigureReading reading;
    for (int segment = A; segment < SegmentCount; ++segment) {
        if (isSegmentLit(image, figure, Segment(segment), lit, back))
            reading.segments |= SegmentMask(1u << segment);
    }
    reading.digit = digitForSegments(reading.segments);
    return reading;
}

QList<FigureReading> readFigures(const QImage &image, const QList<QRect> &figures,
                                 const QColor &lit, const QColor &back)
{
    QList<FigureReading> readings;
    for (const QRect &figure : figures)
        readings.append(readFigure(image, figure, lit, back));
    return readings;
}

QList<int> digitsOf(const QList<FigureReading> &readings)
{
    QList<int> digits;
    for (const FigureReading &reading : readings)
        digits.append(reading.digit);
    return digits;
}

} // namespace SevenSegment
