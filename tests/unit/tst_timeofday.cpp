// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "timing/timeofday.h"

#include <QTest>

class TestTimeOfDay : public QObject
{
    Q_OBJECT

private slots:
    // The hour and minute from the system's own text for the time; where it
    // makes no sense, from the wall clock.
    void pieces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("wall");
        QTest::addColumn<bool>("twelveHour");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        const QTime evening(21, 7, 3);
        QTest::newRow("12-hour with seconds") << "9:07:03 PM" << evening << true << 9 << 7;
        QTest::newRow("24-hour") << "21:07:03" << evening << false << 21 << 7;
        QTest::newRow("marker first without blank")
            << QString::fromUtf8("오후9:07") << evening << true << 9 << 7;
        QTest::newRow("just after midnight") << "00:30" << QTime(0, 30) << false << 0 << 30;
        QTest::newRow("dot separator, 12-hour") << "9.07 PM" << evening << true << 9 << 7;
        QTest::newRow("h separator") << "21 h 07" << evening << false << 21 << 7;
        QTest::newRow("12-hour fallback at midnight")
            << "12.30 AM" << QTime(0, 30) << true << 12 << 30;
        QTest::newRow("nonsense hour falls back") << "99:07" << evening << false << 21 << 7;
        QTest::newRow("no hour, 12-hour fallback") << "PM :07" << evening << true << 9 << 7;
    }
    void pieces()
    {
        QFETCH(QString, text);
        QFETCH(QTime, wall);
        QFETCH(bool, twelveHour);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QCOMPARE(timeOfDay(text, wall, twelveHour), (HourMinute{hour, minute}));
    }
};

QTEST_GUILESS_MAIN(TestTimeOfDay)
#include "tst_timeofday.moc"
