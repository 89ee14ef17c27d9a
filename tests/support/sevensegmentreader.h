// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>

// Reads seven-segment figures off a picture of the board, the way a person
// would: by looking whether each bar is lit, not by asking the program.
namespace SevenSegment {

enum Segment { A, B, C, D, E, F, G, SegmentCount };

// Bit i of a mask stands for segment i (a = bit 0 ... g = bit 6).
using SegmentMask = quint8;

inline constexpr int BlankDigit = -1;
inline constexpr int UnreadableDigit = -2;

SegmentMask segmentsForDigit(int digit);
// The digit a pattern shows, BlankDigit for no lit bar, UnreadableDigit for a
// pattern no digit makes.
int digitForSegments(SegmentMask mask);
// Lists the lit bars as letters, "abdeg", for failure messages.
QString segmentLetters(SegmentMask mask);

struct FigureReading
{
    SegmentMask segments = 0;
    int digit = BlankDigit;

    bool isReadable() const { return digit != UnreadableDigit; }
    bool isBlank() const { return digit == BlankDigit; }
    // "7", "blank" or "unreadable (lit: ad)".
    QString describe() const;
};

// Where a segment is sampled inside a figure box, and how far around it.
QPointF segmentCentre(const QRectF &figure, Segment segment);
double sampleRadius(double figureWidth);

// True when the pixel is nearer the lit colour than the back colour.
bool looksLit(QRgb pixel, const QColor &lit, const QColor &back);

bool isSegmentLit(const QImage &image, const QRect &figure, Segment segment, const QColor &lit,
                  const QColor &back);
FigureReading readFigure(const QImage &image, const QRect &figure, const QColor &lit,
                         const QColor &back);
QList<FigureReading> readFigures(const QImage &image, const QList<QRect> &figures,
                                 const QColor &lit, const QColor &back);

QList<int> digitsOf(const QList<FigureReading> &readings);

} // namespace SevenSegment
