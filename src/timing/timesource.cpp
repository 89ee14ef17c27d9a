#include "timing/timesource.h"

#include <QLocale>

#include <chrono>

SteadyInstant SystemTimeSource::steadyNow() const
{
    using namespace std::chrono;
    const qint64 ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
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
