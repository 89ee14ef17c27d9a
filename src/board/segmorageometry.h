// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>

// The LED figure's geometry, in one place: Segmora paints from it, and the
// board's layout JSON hands it to the live feed's pages, so a figure on a
// page is the board's figure and never a copy kept by hand.
namespace SegmoraGeometry {

enum Segment { A, B, C, D, E, F, G, SegmentCount };

// Bit i lights segment i, a being bit 0, the layout QLCDNumber uses.
inline constexpr std::array<quint8, 10> DigitSegments = {
    0x3F, // 0: abcdef
    0x06, // 1: bc
    0x5B, // 2: abdeg
    0x4F, // 3: abcdg
    0x66, // 4: bcfg
    0x6D, // 5: acdfg
    0x7D, // 6: acdefg
    0x07, // 7: abc
    0x7F, // 8: abcdefg
    0x6F, // 9: abcdfg
};

// Centre line of each segment in fractions of the figure box. Digit readers
// sample the midpoints of these lines, so they are fixed.
struct CentreLine
{
    double x0;
    double y0;
    double x1;
    double y1;
};

inline constexpr std::array<CentreLine, SegmentCount> CentreLines = {{
    {0.20, 0.10, 0.80, 0.10}, // a
    {0.80, 0.10, 0.80, 0.50}, // b
    {0.80, 0.50, 0.80, 0.90}, // c
    {0.20, 0.90, 0.80, 0.90}, // d
    {0.20, 0.50, 0.20, 0.90}, // e
    {0.20, 0.10, 0.20, 0.50}, // f
    {0.20, 0.50, 0.80, 0.50}, // g
}};

// Fractions of the box width.
inline constexpr double Thickness = 0.155;
inline constexpr double Gap = 0.025;
// How far around a midpoint a reader looks for colour.
inline constexpr double SampleRadius = 0.04;

// Unlit segments carry this share of the lit colour: real LED boards show
// their dark segments faintly, and a blank figure should still hint at an 8.
inline constexpr double GhostShare = 0.11;
// Odd, so the middle dot sits on the segment's midpoint.
inline constexpr int DotsPerSegment = 3;

// The figure's width in hundredths of its height.
inline constexpr int WidthPercent = 56;

// The width for a height, rounded; in integers so no size lands on a float
// tie.
constexpr int pixelWidthFor(int ledSize)
{
    return (WidthPercent * std::max(1, ledSize) + 50) / 100;
}

} // namespace SegmoraGeometry
