// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/segmora.h"

#include "board/segmorageometry.h"
#include "settings/colors.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using namespace SegmoraGeometry;

quint8 segmentsFor(int caption)
{
    if (caption < 0 || caption >= int(DigitSegments.size()))
        return 0;
    return DigitSegments[size_t(caption)];
}

QColor blend(const QColor &from, const QColor &to, double share)
{
    const auto mix = [share](int a, int b) {
        return int(std::lround(a + (b - a) * share));
    };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

// Sizes in device pixels for one box.
struct Metrics
{
    explicit Metrics(const QSize &box)
        : width(box.width())
        , height(box.height())
        , gap(std::max(0.5, Gap * width))
        // A sampled pixel whose centre lies within the sampling radius still
        // reaches about half its diagonal further; all of that must be solid.
        , reach(std::max(1.0, SampleRadius * width) + 0.75)
        , half(Thickness * width / 2)
        // Small figures need more than the nominal dot to cover that reach.
        , dotRadius(std::max(half, reach))
    {
    }

    double width;
    double height;
    double gap;
    double reach;
    double half;
    double dotRadius;
};

bool isHorizontal(const CentreLine &line)
{
    return line.y0 == line.y1;
}

// A bar with bevelled ends, built along the x axis and turned for the
// vertical segments.
QPolygonF barPolygon(const CentreLine &line, const Metrics &m)
{
    const bool horizontal = isHorizontal(line);
    const double across = horizontal ? line.y0 * m.height : line.x0 * m.width;
    const double from = (horizontal ? line.x0 * m.width : line.y0 * m.height) + m.gap;
    const double to = (horizontal ? line.x1 * m.width : line.y1 * m.height) - m.gap;
    // Long edges on whole pixels keep the bar's inside exactly the lit colour,
    // widened where small figures would leave sampled pixels half covered.
    const double top = std::min(std::round(across - m.half), std::floor(across - m.reach));
    const double bottom = std::max(std::round(across + m.half), std::ceil(across + m.reach));
    const double middle = (top + bottom) / 2;
    // On small figures a full bevel would reach the sampled middle.
    const double bevel = std::clamp((to - from) / 2 - m.reach, 0.0, middle - top);
    const std::array<QPointF, 6> outline = {{
        {from, middle},
        {from + bevel, top},
        {to - bevel, top},
        {to, middle},
        {to - bevel, bottom},
        {from + bevel, bottom},
    }};
    QPolygonF polygon;
    for (const QPointF &point : outline)
        polygon << (horizontal ? point : point.transposed());
    return polygon;
}

void drawBar(QPainter &painter, const CentreLine &line, const Metrics &m)
{
    painter.drawPolygon(barPolygon(line, m));
}

void drawDots(QPainter &painter, const CentreLine &line, const Metrics &m)
{
    const QPointF start(line.x0 * m.width, line.y0 * m.height);
    const QPointF end(line.x1 * m.width, line.y1 * m.height);
    const QPointF middle = (start + end) / 2;
    const QPointF towardEnd = end - middle;
    const double halfLength = isHorizontal(line) ? towardEnd.x() : towardEnd.y();
    // Corner dots stand back from the corner so two segments meeting there
    // never share a dot; only the tiniest figures, whose dots grow to stay
    // readable, let them touch.
    const double inset = (2 * m.half + m.gap) / std::sqrt(2.0);
    const double spread = std::max(0.0, 1.0 - inset / halfLength);
    for (int dot = 0; dot < DotsPerSegment; ++dot) {
        const double step = 2.0 * dot / (DotsPerSegment - 1) - 1.0;
        painter.drawEllipse(middle + towardEnd * (spread * step), m.dotRadius, m.dotRadius);
    }
}

void paintSegments(QPainter &painter, const Metrics &m, quint8 litSegments, const QColor &lit,
                   const QColor &ghost, bool dots)
{
    const auto draw = dots ? drawDots : drawBar;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Lit segments last, so where small figures make segments overlap, the
    // lit colour wins.
    for (const bool litPass : {false, true}) {
        painter.setBrush(litPass ? lit : ghost);
        for (int segment = A; segment < SegmentCount; ++segment) {
            if (bool(litSegments & (1u << segment)) == litPass)
                draw(painter, CentreLines[size_t(segment)], m);
        }
    }
}

} // namespace

Segmora::Segmora(const QString &name, int index, QWidget *parent)
    : BoardControl(ControlKind::Segmora, name, index, parent)
{
    // The cached picture covers every pixel, so nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setClickable(true);
    place();
}

void Segmora::setCaption(int caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    invalidate();
}

void Segmora::setLitColor(qint32 color)
{
    if (color == m_litColor)
        return;
    m_litColor = color;
    invalidate();
}

void Segmora::setBackColor(qint32 color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    invalidate();
}

Segmora::LedStyle Segmora::ledStyleFor(qint32 stored)
{
    return ledDots(stored) ? LedStyle::Dots : LedStyle::Segments;
}

void Segmora::setLedType(LedStyle type)
{
    if (type == m_ledType)
        return;
    m_ledType = type;
    invalidate();
}

void Segmora::setLedSize(int size)
{
    size = std::max(1, size);
    if (size == m_ledSize)
        return;
    m_ledSize = size;
    place();
    invalidate();
}

int Segmora::pixelWidthFor(int ledSize)
{
    return SegmoraGeometry::pixelWidthFor(ledSize);
}

double Segmora::twipWidth() const
{
    return pixelWidthFor(m_ledSize) * TwipsPerPixel;
}

double Segmora::twipHeight() const
{
    return m_ledSize * TwipsPerPixel;
}

// The figure's size follows ledSize alone; a stored width or height would
// only fight it.
void Segmora::setTwipWidth(double)
{
}

void Segmora::setTwipHeight(double)
{
}

void Segmora::paintEvent(QPaintEvent *)
{
    if (!m_cacheValid || m_cache.devicePixelRatio() != devicePixelRatioF())
        rebuildCache();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_cache);
}

void Segmora::resizeEvent(QResizeEvent *event)
{
    m_cacheValid = false;
    BoardControl::resizeEvent(event);
}

void Segmora::invalidate()
{
    m_cacheValid = false;
    update();
}

void Segmora::rebuildCache()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    m_cacheValid = true;
    if (pixels.isEmpty()) {
        m_cache = QPixmap();
        return;
    }
    const QColor back = toQColor(m_backColor);
    const QColor lit = toQColor(m_litColor);
    // Drawn in device pixels so bar edges can sit on whole pixels.
    m_cache = QPixmap(pixels);
    m_cache.fill(back);
    QPainter painter(&m_cache);
    paintSegments(painter, Metrics(pixels), segmentsFor(m_caption), lit,
                  blend(back, lit, GhostShare), m_ledType == LedStyle::Dots);
    painter.end();
    m_cache.setDevicePixelRatio(ratio);
}
