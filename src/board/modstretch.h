// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/segmora.h"

#include <QSize>
#include <QtGlobal>

#include <vector>

class BoardControl;
class ControlLayer;
class QWidget;

// Scaling a window's controls with the window: every place and size is
// recorded once and stretched from that record, so nothing drifts however
// often the window is resized.
namespace modStretch {

// One recorded control. A field of 0 is not stretched. 32-bit, so a
// maximized window on a 4K screen (57,600 twips wide) records like any other.
struct LayoutEntry
{
    BoardControl *Control = nullptr;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Height = 0;
    qint32 Width = 0;
    qint32 FontSize = 0;
    qint32 BorderWidth = 0;
    qint32 Size = 0;
};

// A window's layout as RecordLayout found it: the reference every stretch
// starts from. The window that owns the controls holds it.
struct LayoutRecord
{
    qint32 DesignHeight = 0;
    qint32 DesignWidth = 0;
    std::vector<LayoutEntry> LayoutTable;
};

// The window's size in twips as the layout measures it: its client area,
// which is what the controls fill, whatever frame a window manager adds.
QSize windowTwips(const QWidget &window);

// The frame about the board's client area at its design size, in twips.
constexpr int DesignFrameWidth = 120;
constexpr int DesignFrameHeight = 405;

// The window's outer size in twips, as the font of the names follows it: the
// frame's own once a window manager has framed the window, else the client
// area with the design frame about it. Measured before the frame exists it
// would be the bare client area, and the names would open a size too small.
QSize outerTwips(const QWidget &window);

LayoutRecord RecordLayout(const QWidget &window, const ControlLayer &layer);
// Moves and resizes every recorded control for an area of `twips` at the
// window's top, the whole window unless something below takes the rest.
// Painting is held back meanwhile, so a resize costs one repaint.
void StretchLayout(QWidget &window, const LayoutRecord &layout, const QSize &twips);
double AtLeastOne(double value);
void SetLedType(const ControlLayer &layer, Segmora::LedStyle ledType);

// The outer size in twips at which a font has its base size.
constexpr int FontDesignWidth = 9600;
constexpr int FontDesignHeight = 7200;

// A font size for a window of the given outer size in twips: the base size
// at FontDesignWidth x FontDesignHeight, growing with the smaller of
// width / 4 and height / 3.
double scaledFontSize(qint16 baseSize, const QSize &outerTwips);

// Whole numbers to the nearest, halves to the even one.
qint32 roundHalfEven(double value);

} // namespace modStretch
