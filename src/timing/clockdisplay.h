// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"
#include "timing/digitset.h"

#include <array>

// What a four-figure clock shows: captions from the leftmost figure, -1 for
// blank, and which colon dots are lit.
struct ClockFigures
{
    std::array<int, 4> captions{-1, -1, -1, -1};
    bool upperDotLit = false;
    bool lowerDotLit = false;

    bool operator==(const ClockFigures &) const = default;
};

// Under a minute, unless whole seconds are asked for, the game clock shows
// seconds and tenths with the lower dot as a decimal point; otherwise whole
// seconds rounded up, so 10.3 s left shows 0:11.
ClockFigures clockFigures(ClockValue value, bool wholeSecondsOnly);

// Minutes, tens of seconds, seconds of a penalty clock, from its rightmost
// figure (index 0) leftwards; whole seconds rounded up, nothing blanked.
std::array<int, 3> penaltyFigures(ClockValue value);

namespace modCount {

void DisplayClock(ClockValue Value, DigitSet &Digits, ColonDots &Colon, bool WholeSecondsOnly);

} // namespace modCount

void DisplayTime(DigitSet &ClockObject, ClockValue DispSec);
