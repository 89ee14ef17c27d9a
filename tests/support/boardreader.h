// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// Where the board's seven-segment figures sit, placed as the form places
// them in a client area of any size; only what a reader needs.
namespace BoardGeometry {

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

QList<FigureSet> penaltySets();
// The index counts from the left.
QRect figureRect(FigureSet set, int index, int clientWidthPx, int clientHeightPx);

} // namespace BoardGeometry

// Reads whole figure sets off a picture of the client area. The picture's own
// size is taken as the client size, so a grab of a resized window reads right.
namespace BoardReader {

struct BoardColours
{
    QColor clockLit{255, 0, 0};
    QColor scoreLit{255, 128, 0};
    QColor figureBack{0, 0, 0};
    QColor dotLit{255, 255, 255};
    QColor dotBack{0, 0, 0};
};

// The set as a person would read it aloud: an unlit figure is a space, one
// that shows no digit '?', and the colon ':' (both dots), '.' (the lower
// alone), '\'' (the upper alone) or ' '. Trailing spaces are dropped, so a
// clock in tenths reads "45.3" and a dark penalty "".
QString readText(const QImage &client, BoardGeometry::FigureSet set,
                 const BoardColours &colours = {});
// Every set in the order of FigureSet, "|" between them.
QString readAll(const QImage &client);

} // namespace BoardReader
