// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/modcount.h"

#include <limits>

namespace modCount {

namespace {

bool validSlot(qint16 ClockNum)
{
    return ClockNum >= 0 && ClockNum < SlotCount;
}

CountSlot &slot(Counts &counts, qint16 ClockNum)
{
    return counts.table[size_t(ClockNum)];
}

const CountSlot &slot(const Counts &counts, qint16 ClockNum)
{
    return counts.table[size_t(ClockNum)];
}

ClockValue runSoFar(const CountSlot &s, const SteadyInstant &now)
{
    if (!s.CountStart || !s.CountRunning)
        return {};
    return ClockValue::fromTenths(elapsedTenths(*s.CountStart, now));
}

} // namespace

const TimeSource &systemTime()
{
    static const SystemTimeSource source;
    return source;
}

qint64 elapsedTenths(const SteadyInstant &start, const SteadyInstant &now)
{
    const qint64 wholeSeconds = now.seconds - start.seconds;
    const int startTenth = start.millis / 100;
    const int nowTenth = now.millis / 100;
    if (nowTenth < startTenth)
        return (wholeSeconds - 1) * 10 + (10 - (startTenth - nowTenth));
    return wholeSeconds * 10 + (nowTenth - startTenth);
}

void StartCount(Counts &counts, qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return;
    CountSlot &s = slot(counts, ClockNum);
    if (s.CountRunning)
        return;
    s.CountStart = counts.time->steadyNow();
    s.CountRunning = true;
}

void StopCount(Counts &counts, qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return;
    CountSlot &s = slot(counts, ClockNum);
    if (!s.CountRunning)
        return;
    // A run that went past zero banks no more than the slot held.
    s.CountBanked = qMin(s.CountBase, s.CountBanked + runSoFar(s, counts.time->steadyNow()));
    s.CountRunning = false;
}

void SetCount(Counts &counts, ClockValue Value, qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return;
    CountSlot &s = slot(counts, ClockNum);
    s.CountBase = Value;
    s.CountBanked = {};
    s.CountRunning = false;
}

ClockValue CountValue(const Counts &counts, qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return {};
    const CountSlot &s = slot(counts, ClockNum);
    const ClockValue remaining =
        s.CountBase - s.CountBanked - runSoFar(s, counts.time->steadyNow());
    return remaining > ClockValue() ? remaining : ClockValue();
}

bool IsCounting(const Counts &counts, qint16 ClockNum)
{
    if (!validSlot(ClockNum)) {
        if (counts.beep)
            counts.beep();
        return false;
    }
    return slot(counts, ClockNum).CountRunning;
}

qint16 IntQuotient(ClockValue A, ClockValue B)
{
    if (B.raw() == 0)
        return 0;
    qint64 quotient = A.raw() / B.raw();
    if ((A.raw() % B.raw() != 0) && ((A.raw() < 0) != (B.raw() < 0)))
        --quotient;
    constexpr qint64 low = std::numeric_limits<qint16>::min();
    constexpr qint64 high = std::numeric_limits<qint16>::max();
    return static_cast<qint16>(qBound(low, quotient, high));
}

} // namespace modCount
