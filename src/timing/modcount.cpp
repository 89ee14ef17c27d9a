// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/modcount.h"

#include <limits>

namespace modCount {

namespace {

const SystemTimeSource &systemTime()
{
    static const SystemTimeSource source;
    return source;
}

bool validSlot(qint16 ClockNum)
{
    return ClockNum >= 0 && ClockNum < SlotCount;
}

CountSlot &slot(qint16 ClockNum)
{
    return state().table[static_cast<size_t>(ClockNum)];
}

} // namespace

State &state()
{
    static State instance;
    return instance;
}

void reset(const TimeSource *time)
{
    auto beep = std::move(state().beep);
    state() = State{};
    state().time = time;
    state().beep = std::move(beep);
}

void setTimeSource(const TimeSource *time)
{
    state().time = time;
}

const TimeSource &timeSource()
{
    return state().time ? *state().time : systemTime();
}

void setBeep(std::function<void()> beep)
{
    state().beep = std::move(beep);
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

void StartCount(qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return;
    CountSlot &s = slot(ClockNum);
    if (s.CountRunning)
        return;
    s.CountStart = timeSource().steadyNow();
    s.CountRunning = true;
}

void StopCount(qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return;
    CountSlot &s = slot(ClockNum);
    if (!s.CountRunning)
        return;
    // Banks what the latest reading saw, not the time since: the value the
    // board showed at the stop is the value kept. Cleared once banked, so a
    // start and stop before the next reading cannot bank the same run again.
    s.CountBanked += s.CountElapsed;
    s.CountElapsed = {};
    s.CountRunning = false;
}

void SetCount(ClockValue Value, qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return;
    CountSlot &s = slot(ClockNum);
    s.CountBase = Value;
    s.CountBanked = {};
    s.CountElapsed = {};
    StopCount(ClockNum);
}

ClockValue CountValue(qint16 ClockNum)
{
    if (!validSlot(ClockNum))
        return {};
    CountSlot &s = slot(ClockNum);
    const SteadyInstant now = timeSource().steadyNow();
    if (s.CountStart && s.CountRunning)
        s.CountElapsed = ClockValue::fromTenths(elapsedTenths(*s.CountStart, now));
    else
        s.CountElapsed = {};

    const ClockValue remaining = s.CountBase - s.CountBanked - s.CountElapsed;
    if (remaining <= ClockValue()) {
        s.CountBanked = s.CountBase;
        return {};
    }
    return remaining;
}

bool IsCounting(qint16 ClockNum)
{
    if (!validSlot(ClockNum)) {
        if (state().beep)
            state().beep();
        return false;
    }
    return slot(ClockNum).CountRunning;
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
