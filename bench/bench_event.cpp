// SPDX-License-Identifier: GPL-3.0-or-later
// A long day's schedule read from its CSV and its standings computed: the
// work the Match window does on an import and after every result.
#include "benchsupport.h"

#include "event/scheduleimport.h"
#include "event/standings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace {

// 500 matches in 10 groups of 10 teams on 4 fields, half of them played.
QByteArray longDay(int matches)
{
    QByteArray csv = "start,field,group,home,visitor,format,state,result\n";
    for (int i = 0; i < matches; ++i) {
        const int group = i % 10;
        const int home = (i / 10) % 10;
        const int visitor = (home + 1 + (i / 100)) % 10;
        const QDateTime start =
            QDateTime(QDate(2026, 6, 13), QTime(8, 0)).addSecs(qint64(i / 4) * 600);
        csv += QStringLiteral("%1,F%2,Group %3,Team %3-%4,Team %3-%5,Race to 7,%6,%7\n")
                   .arg(start.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                   .arg(i % 4 + 1)
                   .arg(group)
                   .arg(home)
                   .arg(visitor == home ? (home + 2) % 10 : visitor)
                   .arg(i % 2 ? QStringLiteral("played") : QStringLiteral("to play"))
                   .arg(i % 2 ? QStringLiteral("%1-%2").arg(i % 8).arg((i / 3) % 8) : QString())
                   .toUtf8();
    }
    return csv;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int matches =
        Bench::intArgument(QCoreApplication::arguments(), QStringLiteral("--matches"), 500);
    const QByteArray csv = longDay(matches);
    const QStringList formats{QStringLiteral("Race to 7")};
    QList<double> times;
    qsizetype read = 0;
    qsizetype rows = 0;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        const ScheduleImport::Result imported = ScheduleImport::read(csv, formats);
        const Schedule day = ScheduleImport::merged({}, imported.matches);
        const QList<Standings::Group> groups = Standings::compute(day);
        times << timer.nsecsElapsed() / 1e6;
        read = day.matches.size();
        rows = 0;
        for (const Standings::Group &group : groups)
            rows += group.rows.size();
    }
    std::sort(times.begin(), times.end());
    Bench::row(
        QStringLiteral("Schedule imported and standings computed"),
        QStringLiteral("%1 matches read of %2, %3 standings rows, 21 runs")
            .arg(read)
            .arg(matches)
            .arg(rows),
        QStringLiteral("median %1 ms, slowest %2 ms")
            .arg(Bench::number(times.at(times.size() / 2), 2), Bench::number(times.last(), 2)),
        QStringLiteral("under 50 ms"));
    return 0;
}
