// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardgeometry.h"

#include "settings/units.h"
#include "sevensegmentreader.h"

#include <cmath>

namespace BoardGeometry {

namespace {

QList<SetLayout> buildLayouts()
{
    const QList<TwipRect> penaltyDots = {{660, 240, 165, 165}, {660, 600, 165, 165}};
    const auto score = [](FigureSet set, const char *label, int left) {
        return SetLayout{
            set, SetKind::Score, label, {left, 1020, 1815, 1335}, {{960, 105}, {120, 105}}, 75, {}};
    };
    const auto penalty = [&](FigureSet set, const char *label, int left, int top) {
        return SetLayout{
            set, SetKind::Penalty, label, {left, top, 2070, 975}, {{1545, 60}, {960, 60}, {60, 60}},
            55,  penaltyDots};
    };
    return {
        {FigureSet::GameClock,
         SetKind::Clock,
         QStringLiteral("TimeBack/pledTime"),
         {2640, 240, 4290, 1695},
         {{120, 135}, {1080, 135}, {2280, 120}, {3240, 120}},
         95,
         {{1980, 360, 195, 195}, {1980, 1080, 195, 195}}},
        {FigureSet::ShotClock,
         SetKind::Clock,
         QStringLiteral("ShotClockBack/pledShot"),
         {2835, 3000, 3810, 1455},
         {{120, 135}, {960, 135}, {2160, 135}, {3000, 135}},
         80,
         {{1800, 300, 195, 195}, {1800, 1080, 195, 195}}},
        score(FigureSet::HomeScore, "HomeBack", 360),
        score(FigureSet::VisitorScore, "VisitorBack", 7440),
        penalty(FigureSet::HomePenalty1, "PenaltyTH1", 360, 3000),
        penalty(FigureSet::HomePenalty2, "PenaltyTH2", 360, 4080),
        penalty(FigureSet::HomePenalty3, "PenaltyTH3", 360, 5160),
        penalty(FigureSet::VisitorPenalty1, "PenaltyTV1", 7080, 3000),
        penalty(FigureSet::VisitorPenalty2, "PenaltyTV2", 7080, 4080),
        penalty(FigureSet::VisitorPenalty3, "PenaltyTV3", 7080, 5160),
    };
}

// Twips at the design size to pixels of a window of the given size.
int toPixels(double twips, double windowPx, double designPx)
{
    return int(std::lround(twips * windowPx / designPx / TwipsPerPixel));
}

} // namespace

QList<FigureSet> penaltySets()
{
    return {FigureSet::HomePenalty1,    FigureSet::HomePenalty2,    FigureSet::HomePenalty3,
            FigureSet::VisitorPenalty1, FigureSet::VisitorPenalty2, FigureSet::VisitorPenalty3};
}

const SetLayout &layout(FigureSet set)
{
    static const QList<SetLayout> all = buildLayouts();
    return all[int(set)];
}

SetKind kindOf(FigureSet set)
{
    return layout(set).kind;
}

int figureCount(FigureSet set)
{
    return int(layout(set).figures.size());
}

bool hasColon(FigureSet set)
{
    return !layout(set).colonDots.isEmpty();
}

QList<int> displayOrder(FigureSet set)
{
    const SetKind kind = kindOf(set);
    return kind == SetKind::Clock  ? QList<int>{0, 1, 2, 3}
        : kind == SetKind::Penalty ? QList<int>{2, 1, 0}
                                   : QList<int>{1, 0};
}

QRect figureRect(FigureSet set, int index, int windowWidthPx, int windowHeightPx)
{
    const SetLayout &entry = layout(set);
    const TwipPoint &figure = entry.figures.at(index);
    // Container and child are each rounded on their own, as the form places
    // the child inside an already placed container.
    const int x = toPixels(entry.container.left, windowWidthPx, DesignWidthPx) +
        toPixels(figure.left, windowWidthPx, DesignWidthPx);
    const int y = toPixels(entry.container.top, windowHeightPx, DesignHeightPx) +
        toPixels(figure.top, windowHeightPx, DesignHeightPx);
    const int height =
        qMax(1, int(std::lround(entry.scale * double(windowHeightPx) / DesignHeightPx)));
    return {x, y, qMax(1, int(std::lround(0.56 * height))), height};
}

QList<QRect> figureRects(FigureSet set, int windowWidthPx, int windowHeightPx)
{
    QList<QRect> rects;
    for (int index = 0; index < figureCount(set); ++index)
        rects.append(figureRect(set, index, windowWidthPx, windowHeightPx));
    return rects;
}

QRect colonDotRect(FigureSet set, ColonDot dot, int windowWidthPx, int windowHeightPx)
{
    const SetLayout &entry = layout(set);
    if (entry.colonDots.isEmpty())
        return {};
    const TwipRect &shape = entry.colonDots.at(dot == ColonDot::Upper ? 0 : 1);
    const auto across = [&](int twips) {
        return toPixels(twips, windowWidthPx, DesignWidthPx);
    };
    const auto down = [&](int twips) {
        return toPixels(twips, windowHeightPx, DesignHeightPx);
    };
    const int left = across(shape.left);
    const int top = down(shape.top);
    return {across(entry.container.left) + left, down(entry.container.top) + top,
            qMax(1, across(shape.left + shape.width) - left),
            qMax(1, down(shape.top + shape.height) - top)};
}

QString renderText(FigureSet set, const QList<int> &digits, bool upperDot, bool lowerDot)
{
    const QList<int> order = displayOrder(set);
    QString text;
    for (int position = 0; position < order.size(); ++position) {
        const int digit = digits.value(order.at(position), SevenSegment::BlankDigit);
        text += digit == SevenSegment::BlankDigit ? u' '
            : digit < 0 || digit > 9              ? u'?'
                                                  : QChar(u'0' + digit);
        // The colon stands before the last two figures of a clock or penalty.
        if (hasColon(set) && position == order.size() - 3)
            text += upperDot && lowerDot ? u':' : lowerDot ? u'.' : upperDot ? u'\'' : u' ';
    }
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace BoardGeometry
