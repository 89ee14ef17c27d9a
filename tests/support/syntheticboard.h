#pragma once

#include "boardgeometry.h"
#include "sevensegmentreader.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

// Paints figures the way the board's figure widget is meant to: bars through
// the sample points, unlit bars as a faint ghost, so the reader can be tried
// without the program.
namespace SyntheticBoard {

inline QColor ghostOf(const QColor &back, const QColor &lit)
{
    auto mix = [](int from, int to) { return from + (to - from) / 10; };
    return QColor(mix(back.red(), lit.red()), mix(back.green(), lit.green()),
                  mix(back.blue(), lit.blue()));
}

// The bar centres are written out here rather than taken from the reader,
// so a slip in the reader's sample points shows up as a misread.
inline QRectF segmentBar(const QRectF &box, SevenSegment::Segment segment)
{
    static const QPointF centres[SevenSegment::SegmentCount] = {
        {0.5, 0.10}, {0.80, 0.30}, {0.80, 0.70}, {0.5, 0.90},
        {0.20, 0.70}, {0.20, 0.30}, {0.5, 0.50},
    };
    const double w = box.width();
    const double h = box.height();
    const double thick = qMax(1.0, 0.1 * h);
    const double across = qMax(1.0, 0.14 * w);
    const QPointF centre(box.x() + centres[segment].x() * w, box.y() + centres[segment].y() * h);
    switch (segment) {
    case SevenSegment::A:
    case SevenSegment::D:
    case SevenSegment::G:
        return {centre.x() - 0.28 * w, centre.y() - thick / 2, 0.56 * w, thick};
    default:
        return {centre.x() - across / 2, centre.y() - 0.17 * h, across, 0.34 * h};
    }
}

inline void paintFigure(QPainter &painter, const QRect &box, SevenSegment::SegmentMask lit,
                        const QColor &litColour, const QColor &back, bool ghosts = true)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(box, back);
    const QColor ghost = ghostOf(back, litColour);
    for (int segment = 0; segment < SevenSegment::SegmentCount; ++segment) {
        const bool on = lit & (1u << segment);
        if (!on && !ghosts)
            continue;
        painter.setBrush(on ? litColour : ghost);
        painter.drawRect(segmentBar(QRectF(box), SevenSegment::Segment(segment)));
    }
    painter.restore();
}

inline void paintDigit(QPainter &painter, const QRect &box, int digit, const QColor &litColour,
                       const QColor &back, bool ghosts = true)
{
    paintFigure(painter, box, SevenSegment::segmentsForDigit(digit), litColour, back, ghosts);
}

inline void paintDot(QPainter &painter, const QRect &dot, bool on, const QColor &litColour,
                     const QColor &back)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? litColour : ghostOf(back, litColour));
    painter.drawEllipse(QRectF(dot));
    painter.restore();
}

} // namespace SyntheticBoard
