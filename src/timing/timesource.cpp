// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/timesource.h"

#include <QFile>
#include <QLocale>

#include <chrono>

#ifdef Q_OS_LINUX
#include <time.h>
#endif

namespace {

// Milliseconds on a clock that never jumps. On Linux it is the boot-time
// clock, which also counts while the computer is suspended: a laptop
// suspended mid-game resumes with the true time, as a wall clock would give,
// without the wall clock's steps.
qint64 runningMs()
{
#ifdef Q_OS_LINUX
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#else
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
#endif
}

} // namespace

SteadyInstant SystemTimeSource::steadyNow() const
{
    const qint64 ms = runningMs();
    return {ms / 1000, static_cast<int>(ms % 1000)};
}

QDateTime SystemTimeSource::wallNow() const
{
    return QDateTime::currentDateTime();
}

QString SystemTimeSource::timeText(const QTime &time) const
{
    return QLocale::system().toString(time, QLocale::ShortFormat);
}

bool SystemTimeSource::usesTwelveHourClock() const
{
    const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    return format.contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

QByteArray SystemTimeSource::bootId() const
{
    static const QByteArray id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }();
    return id;
}
