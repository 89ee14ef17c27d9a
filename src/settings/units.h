// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

// The windows are laid out in twips and their texts sized in points, as the
// stored layout and settings give them; the screen is taken to be 96 dpi.
// Every conversion to whole pixels rounds the same way, half away from zero,
// so a length or a font comes out the same size in every window.
inline constexpr double TwipsPerPixel = 15.0;
inline constexpr double TwipsPerPoint = 20.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

// A font cannot be drawn smaller than one pixel.
inline int pointsToPixels(double points)
{
    return std::max(1, static_cast<int>(std::lround(points * TwipsPerPoint / TwipsPerPixel)));
}
