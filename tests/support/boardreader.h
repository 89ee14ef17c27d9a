// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardgeometry.h"
#include "sevensegmentreader.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

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

    QColor litFor(BoardGeometry::FigureSet set) const;
};

struct SetReading
{
    BoardGeometry::FigureSet set = BoardGeometry::FigureSet::GameClock;
    QList<SevenSegment::FigureReading> figures; // element order
    bool upperDot = false;
    bool lowerDot = false;

    QString text() const;
    // Every figure and dot spelt out, for a failure message.
    QString describe() const;
};

bool isDotLit(const QImage &client, const QRect &dot, const QColor &lit, const QColor &back);
SetReading readSet(const QImage &client, BoardGeometry::FigureSet set,
                   const BoardColours &colours = {});
QString readText(const QImage &client, BoardGeometry::FigureSet set,
                 const BoardColours &colours = {});

} // namespace BoardReader
