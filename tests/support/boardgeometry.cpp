#include "boardgeometry.h"

#include "sevensegmentreader.h"
#include "settings/units.h"

#include <cmath>

namespace BoardGeometry {

namespace {

QList<SetLayout> buildLayouts()
{
    const QList<TwipRect> timeDots = {{1980, 360, 195, 195}, {1980, 1080, 195, 195}};
    const QList<TwipRect> shotDots = {{1800, 300, 195, 195}, {1800, 1080, 195, 195}};
    const QList<TwipRect> penaltyDots = {{660, 240, 165, 165}, {660, 600, 165, 165}};
    const QList<TwipPoint> scoreFigures = {{960, 105}, {120, 105}};
    const QList<TwipPoint> penaltyFigures = {{1545, 60}, {960, 60}, {60, 60}};
    const TwipRect scoreBox = {0, 1020, 1815, 1335};
    const TwipRect penaltyBox = {0, 0, 2070, 975};

    auto score = [&](FigureSet set, const QString &label, int left) {
        TwipRect box = scoreBox;
        box.left = left;
        return SetLayout{set, SetKind::Score, label, box, scoreFigures, 75, {}};
    };
    auto penalty = [&](FigureSet set, const QString &label, int left, int top) {
        TwipRect box = penaltyBox;
        box.left = left;
        box.top = top;
        return SetLayout{set, SetKind::Penalty, label, box, penaltyFigures, 55, penaltyDots};
    };

    return {
        {FigureSet::GameClock,
         SetKind::Clock,
         QStringLiteral("TimeBack/pledTime"),
         {2640, 240, 4290, 1695},
         {{120, 135}, {1080, 135}, {2280, 120}, {3240, 120}},
         95,
         timeDots},
        {FigureSet::ShotClock,
         SetKind::Clock,
         QStringLiteral("ShotClockBack/pledShot"),
         {2835, 3000, 3810, 1455},
         {{120, 135}, {960, 135}, {2160, 135}, {3000, 135}},
         80,
         shotDots},
        score(FigureSet::HomeScore, QStringLiteral("HomeBack"), 360),
        score(FigureSet::VisitorScore, QStringLiteral("VisitorBack"), 7440),
        penalty(FigureSet::HomePenalty1, QStringLiteral("PenaltyTH1"), 360, 3000),
        penalty(FigureSet::HomePenalty2, QStringLiteral("PenaltyTH2"), 360, 4080),
        penalty(FigureSet::HomePenalty3, QStringLiteral("PenaltyTH3"), 360, 5160),
        penalty(FigureSet::VisitorPenalty1, QStringLiteral("PenaltyTV1"), 7080, 3000),
        penalty(FigureSet::VisitorPenalty2, QStringLiteral("PenaltyTV2"), 7080, 4080),
        penalty(FigureSet::VisitorPenalty3, QStringLiteral("PenaltyTV3"), 7080, 5160),
    };
}

const QList<SetLayout> &layouts()
{
    static const QList<SetLayout> all = buildLayouts();
    return all;
}

struct Ratios
{
    double x;
    double y;
};

Ratios ratiosFor(int windowWidthPx, int windowHeightPx)
{
    return {double(windowWidthPx) / DesignWidthPx, double(windowHeightPx) / DesignHeightPx};
}

int toPixels(double twips)
{
    return twipsToPixels(twips);
}

QChar figureChar(int digit)
{
    if (digit == SevenSegment::BlankDigit)
        return u' ';
    if (digit < 0 || digit > 9)
        return u'?';
    return QChar(u'0' + digit);
}

QChar colonChar(bool upperDot, bool lowerDot)
{
    if (upperDot && lowerDot)
        return u':';
    if (lowerDot)
        return u'.';
    if (upperDot)
        return u'\'';
    return u' ';
}

} // namespace

QList<FigureSet> allSets()
{
    QList<FigureSet> sets;
    for (const SetLayout &entry : layouts())
        sets.append(entry.set);
    return sets;
}

QList<FigureSet> penaltySets()
{
    QList<FigureSet> sets;
    for (const SetLayout &entry : layouts()) {
        if (entry.kind == SetKind::Penalty)
            sets.append(entry.set);
    }
    return sets;
}

const SetLayout &layout(FigureSet set)
{
    for (const SetLayout &entry : layouts()) {
        if (entry.set == set)
            return entry;
    }
    Q_UNREACHABLE();
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
    switch (kindOf(set)) {
    case SetKind::Clock:
        return {0, 1, 2, 3};
    case SetKind::Penalty:
        return {2, 1, 0};
    case SetKind::Score:
        return {1, 0};
    }
    return {};
}

QRect containerRect(FigureSet set, int windowWidthPx, int windowHeightPx)
{
    const Ratios r = ratiosFor(windowWidthPx, windowHeightPx);
    const TwipRect &box = layout(set).container;
    const int x = toPixels(box.left * r.x);
    const int y = toPixels(box.top * r.y);
    return QRect(QPoint(x, y), QPoint(toPixels((box.left + box.width) * r.x) - 1,
                                      toPixels((box.top + box.height) * r.y) - 1));
}

QRect figureRect(FigureSet set, int index, int windowWidthPx, int windowHeightPx)
{
    const SetLayout &entry = layout(set);
    Q_ASSERT(index >= 0 && index < entry.figures.size());
    const Ratios r = ratiosFor(windowWidthPx, windowHeightPx);
    const TwipPoint &figure = entry.figures.at(index);
    // Container and child are each rounded on their own, as the form places
    // the child inside an already placed container.
    const int x = toPixels(entry.container.left * r.x) + toPixels(figure.left * r.x);
    const int y = toPixels(entry.container.top * r.y) + toPixels(figure.top * r.y);
    const int height = qMax(1, int(std::lround(entry.scale * r.y)));
    const int width = qMax(1, int(std::lround(0.56 * height)));
    return {x, y, width, height};
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
    const Ratios r = ratiosFor(windowWidthPx, windowHeightPx);
    const TwipRect &shape = entry.colonDots.at(dot == ColonDot::Upper ? 0 : 1);
    const int originX = toPixels(entry.container.left * r.x);
    const int originY = toPixels(entry.container.top * r.y);
    const int left = toPixels(shape.left * r.x);
    const int top = toPixels(shape.top * r.y);
    const int width = qMax(1, toPixels((shape.left + shape.width) * r.x) - left);
    const int height = qMax(1, toPixels((shape.top + shape.height) * r.y) - top);
    return {originX + left, originY + top, width, height};
}

QString renderText(FigureSet set, const QList<int> &digits, bool upperDot, bool lowerDot)
{
    const QList<int> order = displayOrder(set);
    QString text;
    for (int position = 0; position < order.size(); ++position) {
        const int index = order.at(position);
        text += figureChar(index < digits.size() ? digits.at(index) : SevenSegment::BlankDigit);
        // The colon stands before the last two figures of a clock or penalty.
        if (hasColon(set) && position == order.size() - 3)
            text += colonChar(upperDot, lowerDot);
    }
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace BoardGeometry
