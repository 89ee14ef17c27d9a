// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// Where the board's seven-segment figures and colon dots sit, in twips as the
// form lays them out, and in pixels for any client size. Only the places a
// reader needs are here; the board may hold far more.
namespace BoardGeometry {

inline constexpr int DesignWidthPx = 632;
inline constexpr int DesignHeightPx = 453;

enum class FigureSet {
    GameClock,
    ShotClock,
    HomeScore,
    VisitorScore,
    HomePenalty1,
    HomePenalty2,
    HomePenalty3,
    VisitorPenalty1,
    VisitorPenalty2,
    VisitorPenalty3,
};

// Clocks show mm:ss (or ss.t), penalties m:ss, scores two bare digits.
enum class SetKind { Clock, Penalty, Score };

enum class ColonDot { Upper, Lower };

struct TwipRect
{
    int left = 0, top = 0, width = 0, height = 0;
};

struct TwipPoint
{
    int left = 0, top = 0;
};

struct SetLayout
{
    FigureSet set;
    SetKind kind;
    QString label; // for messages: "TimeBack/pledTime"
    TwipRect container; // relative to the client area
    QList<TwipPoint> figures; // relative to the container, in element order
    int scale = 0; // figure height in pixels at the design size
    QList<TwipRect> colonDots; // upper then lower; empty for scores
};

QList<FigureSet> penaltySets();
const SetLayout &layout(FigureSet set);
SetKind kindOf(FigureSet set);
int figureCount(FigureSet set);
bool hasColon(FigureSet set);

// Element indices from left to right as the figures stand on screen.
QList<int> displayOrder(FigureSet set);

QRect figureRect(FigureSet set, int index, int windowWidthPx, int windowHeightPx);
QList<QRect> figureRects(FigureSet set, int windowWidthPx, int windowHeightPx);
// An invalid QRect for a set without a colon.
QRect colonDotRect(FigureSet set, ColonDot dot, int windowWidthPx, int windowHeightPx);

// The set as a person would read it aloud, from digits in element order
// (SevenSegment::BlankDigit for an unlit figure, anything else outside 0..9
// for an unreadable one, shown as '?'). Blank figures become spaces and the
// colon becomes ':' (both dots), '.' (lower only), '\'' (upper only) or ' ';
// trailing spaces are dropped, so a clock in tenths reads "45.3" and a dark
// penalty reads "".
QString renderText(FigureSet set, const QList<int> &digits, bool upperDot, bool lowerDot);

} // namespace BoardGeometry
