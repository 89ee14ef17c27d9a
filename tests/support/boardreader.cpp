// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardreader.h"

#include <QStringList>

#include <cmath>

namespace BoardReader {

using BoardGeometry::ColonDot;
using BoardGeometry::FigureSet;

QColor BoardColours::litFor(FigureSet set) const
{
    return BoardGeometry::kindOf(set) == BoardGeometry::SetKind::Score ? scoreLit : clockLit;
}

QString SetReading::text() const
{
    return BoardGeometry::renderText(set, SevenSegment::digitsOf(figures), upperDot, lowerDot);
}

QString SetReading::describe() const
{
    QStringList parts;
    for (int index = 0; index < figures.size(); ++index)
        parts << QStringLiteral("[%1]=%2").arg(index).arg(figures.at(index).describe());
    if (BoardGeometry::hasColon(set))
        parts << QStringLiteral("dots %1/%2").arg(upperDot ? "on" : "off", lowerDot ? "on" : "off");
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(BoardGeometry::layout(set).label, text(), parts.join(u' '));
}

bool isDotLit(const QImage &client, const QRect &dot, const QColor &lit, const QColor &back)
{
    // Only the middle of the oval is looked at: its rim is antialiased
    // against the box.
    const QPointF centre = QRectF(dot).center();
    const double radius = qMax(1.0, 0.2 * qMin(dot.width(), dot.height()));
    const int reach = int(std::ceil(radius));
    for (int y = int(centre.y()) - reach; y <= int(centre.y()) + reach; ++y) {
        for (int x = int(centre.x()) - reach; x <= int(centre.x()) + reach; ++x) {
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            if (dx * dx + dy * dy <= radius * radius && client.valid(x, y) &&
                SevenSegment::looksLit(client.pixel(x, y), lit, back))
                return true;
        }
    }
    return false;
}

SetReading readSet(const QImage &client, FigureSet set, const BoardColours &colours)
{
    const int width = client.width();
    const int height = client.height();
    SetReading reading;
    reading.set = set;
    reading.figures =
        SevenSegment::readFigures(client, BoardGeometry::figureRects(set, width, height),
                                  colours.litFor(set), colours.figureBack);
    if (BoardGeometry::hasColon(set)) {
        const auto lit = [&](ColonDot dot) {
            return isDotLit(client, BoardGeometry::colonDotRect(set, dot, width, height),
                            colours.dotLit, colours.dotBack);
        };
        reading.upperDot = lit(ColonDot::Upper);
        reading.lowerDot = lit(ColonDot::Lower);
    }
    return reading;
}

QString readText(const QImage &client, FigureSet set, const BoardColours &colours)
{
    return readSet(client, set, colours).text();
}

} // namespace BoardReader
