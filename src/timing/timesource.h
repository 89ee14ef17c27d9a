// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// An instant of a clock that never jumps and counts through a suspend, to
// the millisecond.
struct SteadyInstant
{
    qint64 seconds = 0;
    int millis = 0;

    bool operator==(const SteadyInstant &) const = default;
};

inline qint64 steadyMs(const SteadyInstant &instant)
{
    return instant.seconds * 1000 + instant.millis;
}

// Milliseconds before the clock's zero too give a digit of 0 to 999.
inline SteadyInstant steadyFromMs(qint64 ms)
{
    const qint64 seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    return {seconds, int(ms - seconds * 1000)};
}

// Everything the clocks read of time. Running clocks use the steady clock
// only, so a daylight-saving change or a correction of the wall clock never
// moves them; the wall clock and its system text serve the time-of-day
// display alone.
class TimeSource
{
public:
    virtual ~TimeSource() = default;

    virtual SteadyInstant steadyNow() const = 0;
    virtual QDateTime wallNow() const = 0;
    // The time of day as the system writes it, e.g. "9:07 PM" or "21:07".
    virtual QString timeText(const QTime &time) const = 0;
    virtual bool usesTwelveHourClock() const = 0;
    // Names this run of the computer: the steady clock's instants of two
    // runs cannot be compared. Empty where the system has no such name.
    virtual QByteArray bootId() const { return {}; }
};

class SystemTimeSource : public TimeSource
{
public:
    SteadyInstant steadyNow() const override;
    QDateTime wallNow() const override;
    QString timeText(const QTime &time) const override;
    bool usesTwelveHourClock() const override;
    QByteArray bootId() const override;
};
