#include "boardreader.h"

#include <QPainter>
#include <QStringList>

#include <cmath>

namespace BoardReader {

using BoardGeometry::ColonDot;
using BoardGeometry::FigureSet;
using BoardGeometry::SetKind;

QColor BoardColours::litFor(FigureSet set) const
{
    return BoardGeometry::kindOf(set) == SetKind::Score ? scoreLit : clockLit;
}

QList<int> SetReading::digits() const
{
    return SevenSegment::digitsOf(figures);
}

bool SetReading::allBlank() const
{
    if (figures.isEmpty())
        return false;
    for (const SevenSegment::FigureReading &figure : figures) {
        if (!figure.isBlank())
            return false;
    }
    return true;
}

QString SetReading::text() const
{
    return BoardGeometry::renderText(set, digits(), upperDot, lowerDot);
}

QString SetReading::describe() const
{
    QStringList parts;
    for (int index = 0; index < figures.size(); ++index)
        parts << QStringLiteral("[%1]=%2").arg(index).arg(figures.at(index).describe());
    if (BoardGeometry::hasColon(set)) {
        parts << QStringLiteral("dots %1/%2")
                     .arg(upperDot ? "on" : "off", lowerDot ? "on" : "off");
    }
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
            if (dx * dx + dy * dy > radius * radius || !client.valid(x, y))
                continue;
            if (SevenSegment::looksLit(client.pixel(x, y), lit, back))
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
    reading.figures = SevenSegment::readFigures(
        client, BoardGeometry::figureRects(set, width, height), colours.litFor(set),
        colours.figureBack);
    if (BoardGeometry::hasColon(set)) {
        reading.upperDot =
            isDotLit(client, BoardGeometry::colonDotRect(set, ColonDot::Upper, width, height),
                     colours.dotLit, colours.dotBack);
        reading.lowerDot =
            isDotLit(client, BoardGeometry::colonDotRect(set, ColonDot::Lower, width, height),
                     colours.dotLit, colours.dotBack);
    }
    return reading;
}

QString readText(const QImage &client, FigureSet set, const BoardColours &colours)
{
    return readSet(client, set, colours).text();
}

QImage annotate(const QImage &client)
{
    QImage copy = client.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&copy);
    const int width = client.width();
    const int height = client.height();
    for (FigureSet set : BoardGeometry::allSets()) {
        painter.setBrush(Qt::NoBrush);
        for (const QRect &figure : BoardGeometry::figureRects(set, width, height)) {
            painter.setPen(QColor(0, 255, 255));
            painter.drawRect(figure.adjusted(0, 0, -1, -1));
            painter.setPen(QColor(0, 255, 0));
            const double radius = SevenSegment::sampleRadius(figure.width());
            for (int segment = 0; segment < SevenSegment::SegmentCount; ++segment) {
                const QPointF centre =
                    SevenSegment::segmentCentre(QRectF(figure), SevenSegment::Segment(segment));
                painter.drawEllipse(centre, radius, radius);
            }
        }
        if (!BoardGeometry::hasColon(set))
            continue;
        painter.setPen(QColor(255, 0, 255));
        for (ColonDot dot : {ColonDot::Upper, ColonDot::Lower}) {
            const QRect rect = BoardGeometry::colonDotRect(set, dot, width, height);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
    return copy;
}

} // namespace BoardReader
