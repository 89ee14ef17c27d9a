// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// An instant of a clock that never jumps and counts through a suspend, to
// the millisecond.
struct SteadyInstant
{
    qint64 seconds = 0;
    int millis = 0;
};

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
};

class SystemTimeSource : public TimeSource
{
public:
    SteadyInstant steadyNow() const override;
    QDateTime wallNow() const override;
    QString timeText(const QTime &time) const override;
    bool usesTwelveHourClock() const override;
};
