// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/clockdisplay.h"

#include "timing/modcount.h"

namespace {

constexpr ClockValue RoundUp = ClockValue::fromTenths(9);
constexpr ClockValue LastTenthsValue = ClockValue::fromTenths(599);

// Takes whole units of `unit` seconds off `rest` and gives their count.
int takeUnits(ClockValue &rest, qint64 unit)
{
    const qint16 count = modCount::IntQuotient(rest, ClockValue::fromSeconds(unit));
    rest -= ClockValue::fromSeconds(qint64(count) * unit);
    return count;
}

} // namespace

ClockFigures clockFigures(ClockValue value, bool wholeSecondsOnly)
{
    const bool tenthsForm = !wholeSecondsOnly && value <= LastTenthsValue;
    ClockValue rest = tenthsForm ? value : value + RoundUp;

    // Positions 1 to 5: tens of minutes, minutes, tens of seconds, seconds,
    // tenths.
    std::array<int, 6> position{};
    position[1] = takeUnits(rest, 600);
    position[2] = takeUnits(rest, 60);
    position[3] = takeUnits(rest, 10);
    position[4] = static_cast<int>(rest.wholeSeconds());
    rest -= ClockValue::fromSeconds(position[4]);
    position[5] = static_cast<int>(rest.raw() / ClockValue::PerTenth);

    ClockFigures figures;
    figures.lowerDotLit = true;
    figures.upperDotLit = !tenthsForm;
    const int first = tenthsForm ? 3 : 1;
    const int last = tenthsForm ? 5 : 4;
    for (int p = first; p <= last; ++p) {
        const int k = p - first;
        const int figure = position[p];
        if (figure > 0 || p == 4)
            figures.captions[k] = figure;
        else if (p != first && figures.captions[k - 1] >= 0)
            figures.captions[k] = 0;
        else
            figures.captions[k] = -1;
    }
    return figures;
}

std::array<int, 3> penaltyFigures(ClockValue value)
{
    ClockValue rest = value + RoundUp;
    std::array<int, 3> figures{};
    figures[2] = takeUnits(rest, 60);
    figures[1] = takeUnits(rest, 10);
    figures[0] = static_cast<int>(rest.wholeSeconds());
    return figures;
}

namespace modCount {

void DisplayClock(ClockValue Value, DigitSet &Digits, ColonDots &Colon, bool WholeSecondsOnly)
{
    const ClockFigures figures = clockFigures(Value, WholeSecondsOnly);
    Colon.setDotLit(1, figures.lowerDotLit);
    Colon.setDotLit(0, figures.upperDotLit);
    for (int i = 0; i < 4 && i < Digits.count(); ++i)
        Digits.setCaption(i, figures.captions[i]);
}

} // namespace modCount

void DisplayTime(DigitSet &ClockObject, ClockValue DispSec)
{
    const std::array<int, 3> figures = penaltyFigures(DispSec);
    for (int i = 0; i < 3 && i < ClockObject.count(); ++i)
        ClockObject.setCaption(i, figures[i]);
}
