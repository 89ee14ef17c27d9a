#include "sevensegmentreader.h"

#include <QStringList>

#include <array>
#include <cmath>

namespace SevenSegment {

namespace {

constexpr SegmentMask bit(Segment segment)
{
    return SegmentMask(1u << segment);
}

constexpr SegmentMask mask(std::initializer_list<Segment> segments)
{
    SegmentMask result = 0;
    for (Segment segment : segments)
        result |= bit(segment);
    return result;
}

// Kept as letters on purpose: a table typed the way the digits are drawn is
// easier to check by eye than hex masks.
const std::array<SegmentMask, 10> &digitTable()
{
    static const std::array<SegmentMask, 10> table = {
        mask({A, B, C, D, E, F}),    // 0
        mask({B, C}),                // 1
        mask({A, B, G, E, D}),       // 2
        mask({A, B, G, C, D}),       // 3
        mask({F, G, B, C}),          // 4
        mask({A, F, G, C, D}),       // 5
        mask({A, F, G, E, D, C}),    // 6
        mask({A, B, C}),             // 7
        mask({A, B, C, D, E, F, G}), // 8
        mask({A, B, C, D, F, G}),    // 9
    };
    return table;
}

struct Anchor
{
    double x;
    double y;
};

constexpr std::array<Anchor, SegmentCount> anchors = {{
    {0.5, 0.10}, // a
    {0.80, 0.30}, // b
    {0.80, 0.70}, // c
    {0.5, 0.90}, // d
    {0.20, 0.70}, // e
    {0.20, 0.30}, // f
    {0.5, 0.50}, // g
}};

int squaredDistance(QRgb pixel, const QColor &colour)
{
    const int dr = qRed(pixel) - colour.red();
    const int dg = qGreen(pixel) - colour.green();
    const int db = qBlue(pixel) - colour.blue();
    return dr * dr + dg * dg + db * db;
}

bool pixelLit(const QImage &image, int x, int y, const QColor &lit, const QColor &back)
{
    if (!image.valid(x, y))
        return false;
    return looksLit(image.pixel(x, y), lit, back);
}

} // namespace

SegmentMask segmentsForDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return 0;
    return digitTable()[size_t(digit)];
}

int digitForSegments(SegmentMask segments)
{
    if (segments == 0)
        return BlankDigit;
    for (int digit = 0; digit <= 9; ++digit) {
        if (digitTable()[size_t(digit)] == segments)
            return digit;
    }
    return UnreadableDigit;
}

QString segmentLetters(SegmentMask segments)
{
    QString letters;
    for (int segment = A; segment < SegmentCount; ++segment) {
        if (segments & bit(Segment(segment)))
            letters += QChar(u'a' + segment);
    }
    return letters;
}

QString FigureReading::describe() const
{
    if (digit == BlankDigit)
        return QStringLiteral("blank");
    if (digit == UnreadableDigit)
        return QStringLiteral("unreadable (lit: %1)").arg(segmentLetters(segments));
    return QString::number(digit);
}

QPointF segmentCentre(const QRectF &figure, Segment segment)
{
    const Anchor &anchor = anchors[size_t(segment)];
    return {figure.x() + anchor.x * figure.width(), figure.y() + anchor.y * figure.height()};
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
    if (pixelLit(image, cx, cy, lit, back))
        return true;
    const int reach = int(std::ceil(radius)) + 1;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            if (dx * dx + dy * dy <= radius * radius && pixelLit(image, x, y, lit, back))
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
            reading.segments |= bit(Segment(segment));
    }
    reading.digit = digitForSegments(reading.segments);
    return reading;
}

QList<FigureReading> readFigures(const QImage &image, const QList<QRect> &figures,
                                 const QColor &lit, const QColor &back)
{
    QList<FigureReading> readings;
    readings.reserve(figures.size());
    for (const QRect &figure : figures)
        readings.append(readFigure(image, figure, lit, back));
    return readings;
}

QList<int> digitsOf(const QList<FigureReading> &readings)
{
    QList<int> digits;
    digits.reserve(readings.size());
    for (const FigureReading &reading : readings)
        digits.append(reading.digit);
    return digits;
}

} // namespace SevenSegment
