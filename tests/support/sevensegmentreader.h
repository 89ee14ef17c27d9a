// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

// Reads seven-segment figures off a picture of the board, the way a person
// would: by looking whether each bar is lit, not by asking the program.
namespace SevenSegment {

inline constexpr int BlankDigit = -1;
inline constexpr int UnreadableDigit = -2; // lit bars that make no digit

// Whether any pixel of the disc, and always the one holding its centre, is
// nearer the lit colour than the back colour.
bool anyLit(const QImage &image, const QPointF &centre, double radius, const QColor &lit,
            const QColor &back);

// The digit the figure shows, BlankDigit or UnreadableDigit.
int readFigure(const QImage &image, const QRect &figure, const QColor &lit, const QColor &back);

} // namespace SevenSegment
