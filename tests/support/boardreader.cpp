// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardreader.h"

#include "settings/units.h"
#include "sevensegmentreader.h"

#include <QStringList>

#include <cmath>

namespace BoardGeometry {

namespace {

constexpr int DesignWidthPx = 632;
constexpr int DesignHeightPx = 453;

// In twips at the design size, as the form lays the set out.
struct SetLayout
{
    QPoint box; // in the client area
    QList<QPoint> figures; // in the box, from the left
    int figureHeightPx = 0;
    QList<QRect> colonDots; // in the box, upper then lower; none for a score
};

SetLayout layoutOf(FigureSet set)
{
    switch (set) {
    case FigureSet::GameClock:
        return {{2640, 240},
                {{120, 135}, {1080, 135}, {2280, 120}, {3240, 120}},
                95,
                {{1980, 360, 195, 195}, {1980, 1080, 195, 195}}};
    case FigureSet::ShotClock:
        return {{2835, 3000},
                {{120, 135}, {960, 135}, {2160, 135}, {3000, 135}},
                80,
                {{1800, 300, 195, 195}, {1800, 1080, 195, 195}}};
    case FigureSet::HomeScore:
    case FigureSet::VisitorScore:
        return {{set == FigureSet::HomeScore ? 360 : 7440, 1020}, {{120, 105}, {960, 105}}, 75, {}};
    default:
        break;
    }
    // Three penalties a side, one below the other.
    const int row = (int(set) - int(FigureSet::HomePenalty1)) % 3;
    return {{set < FigureSet::VisitorPenalty1 ? 360 : 7080, 3000 + 1080 * row},
            {{60, 60}, {960, 60}, {1545, 60}},
            55,
            {{660, 240, 165, 165}, {660, 600, 165, 165}}};
}

struct SetPlaces
{
    QList<QRect> figures;
    QList<QRect> colonDots;
};

SetPlaces places(FigureSet set, const QSize &client)
{
    const SetLayout layout = layoutOf(set);
    const auto across = [&](int twips) {
        return int(std::lround(twips * double(client.width()) / DesignWidthPx / TwipsPerPixel));
    };
    const auto down = [&](int twips) {
        return int(std::lround(twips * double(client.height()) / DesignHeightPx / TwipsPerPixel));
    };
    // The box and what is in it are each rounded on their own, as the form
    // places a child inside an already placed box.
    const QPoint box(across(layout.box.x()), down(layout.box.y()));
    const int height =
        qMax(1, int(std::lround(layout.figureHeightPx * double(client.height()) / DesignHeightPx)));
    const int width = qMax(1, int(std::lround(0.56 * height)));
    SetPlaces places;
    for (const QPoint &figure : layout.figures)
        places.figures.append(
            QRect(box + QPoint(across(figure.x()), down(figure.y())), QSize(width, height)));
    for (const QRect &dot : layout.colonDots) {
        const QPoint topLeft(across(dot.x()), down(dot.y()));
        const QSize size(across(dot.x() + dot.width()) - topLeft.x(),
                         down(dot.y() + dot.height()) - topLeft.y());
        places.colonDots.append(QRect(box + topLeft, size.expandedTo({1, 1})));
    }
    return places;
}

} // namespace

QList<FigureSet> penaltySets()
{
    return {FigureSet::HomePenalty1,    FigureSet::HomePenalty2,    FigureSet::HomePenalty3,
            FigureSet::VisitorPenalty1, FigureSet::VisitorPenalty2, FigureSet::VisitorPenalty3};
}

QRect figureRect(FigureSet set, int index, int clientWidthPx, int clientHeightPx)
{
    return places(set, QSize(clientWidthPx, clientHeightPx)).figures.at(index);
}

} // namespace BoardGeometry

namespace BoardReader {

namespace {

QChar colon(const QImage &client, const QList<QRect> &dots, const BoardColours &colours)
{
    // Only the middle of each oval: its rim is antialiased against the box.
    const auto lit = [&](const QRect &dot) {
        return SevenSegment::anyLit(client, QRectF(dot).center(),
                                    qMax(1.0, 0.2 * qMin(dot.width(), dot.height())),
                                    colours.dotLit, colours.dotBack);
    };
    const bool upper = lit(dots.at(0));
    const bool lower = lit(dots.at(1));
    return upper && lower ? u':' : lower ? u'.' : upper ? u'\'' : u' ';
}

} // namespace

QString readText(const QImage &client, BoardGeometry::FigureSet set, const BoardColours &colours)
{
    const BoardGeometry::SetPlaces places = BoardGeometry::places(set, client.size());
    const bool score = places.colonDots.isEmpty();
    const QColor lit = score ? colours.scoreLit : colours.clockLit;
    QString text;
    for (int index = 0; index < places.figures.size(); ++index) {
        const int digit =
            SevenSegment::readFigure(client, places.figures.at(index), lit, colours.figureBack);
        text += digit == SevenSegment::BlankDigit ? u' ' : digit < 0 ? u'?' : QChar(u'0' + digit);
        // The colon stands before the last two figures.
        if (!score && index == places.figures.size() - 3)
            text += colon(client, places.colonDots, colours);
    }
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

QString readAll(const QImage &client)
{
    QStringList sets;
    for (int set = 0; set <= int(BoardGeometry::FigureSet::VisitorPenalty3); ++set)
        sets.append(readText(client, BoardGeometry::FigureSet(set)));
    return sets.join(u'|');
}

} // namespace BoardReader
