// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <compare>

// Seconds in fixed point, ten-thousandths of a second, so that every figure
// derived from a clock is exact: 59.9 is 599000, never 59.899999.
class ClockValue
{
public:
    static constexpr qint64 Scale = 10000;
    static constexpr qint64 PerTenth = Scale / 10;

    constexpr ClockValue() = default;

    static constexpr ClockValue fromRaw(qint64 raw) { return ClockValue(raw); }
    static constexpr ClockValue fromSeconds(qint64 seconds) { return ClockValue(seconds * Scale); }
    static constexpr ClockValue fromTenths(qint64 tenths) { return ClockValue(tenths * PerTenth); }

    constexpr qint64 raw() const { return m_raw; }

    // Rounded towards negative infinity, as a figure of a clock reads.
    constexpr qint64 wholeSeconds() const
    {
        return m_raw >= 0 ? m_raw / Scale : -((-m_raw + Scale - 1) / Scale);
    }

    // Whole seconds, to the nearest, halves to the even second.
    constexpr qint64 roundedSeconds() const
    {
        const qint64 floor = wholeSeconds();
        const qint64 rest = m_raw - floor * Scale;
        if (rest > Scale / 2 || (rest == Scale / 2 && floor % 2 != 0))
            return floor + 1;
        return floor;
    }

    constexpr ClockValue operator+(ClockValue other) const
    {
        return ClockValue(m_raw + other.m_raw);
    }
    constexpr ClockValue operator-(ClockValue other) const
    {
        return ClockValue(m_raw - other.m_raw);
    }
    constexpr ClockValue &operator+=(ClockValue other)
    {
        m_raw += other.m_raw;
        return *this;
    }
    constexpr ClockValue &operator-=(ClockValue other)
    {
        m_raw -= other.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const ClockValue &) const = default;

private:
    constexpr explicit ClockValue(qint64 raw)
        : m_raw(raw)
    {
    }

    qint64 m_raw = 0;
};
