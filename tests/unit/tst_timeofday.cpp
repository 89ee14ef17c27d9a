#include "fakes.h"
#include "timing/timeofday.h"

#include <QTest>

class TestTimeOfDay : public QObject
{
    Q_OBJECT

private slots:
    void pieces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("wall");
        QTest::addColumn<bool>("twelveHour");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");

        const QTime evening(21, 7, 3);
        QTest::newRow("12-hour with seconds") << "9:07:03 PM" << evening << true << 9 << 7;
        QTest::newRow("12-hour short") << "9:07 PM" << evening << true << 9 << 7;
        QTest::newRow("24-hour") << "21:07:03" << evening << false << 21 << 7;
        QTest::newRow("marker first") << "PM 9:07" << evening << true << 9 << 7;
        QTest::newRow("marker first without blank") << QString::fromUtf8("오후9:07") << evening << true << 9 << 7;
        QTest::newRow("leading zero hour") << "09:07" << QTime(9, 7) << false << 9 << 7;
        QTest::newRow("just after midnight") << "00:30" << QTime(0, 30) << false << 0 << 30;
        QTest::newRow("dot separator, 24-hour") << "21.07" << evening << false << 21 << 7;
        QTest::newRow("dot separator, 12-hour") << "9.07 PM" << evening << true << 9 << 7;
        QTest::newRow("h separator") << "21 h 07" << evening << false << 21 << 7;
        QTest::newRow("12-hour fallback at midnight") << "12.30 AM" << QTime(0, 30) << true << 12 << 30;
        QTest::newRow("no digits before the colon") << "PM :07" << evening << true << 9 << 7;
        QTest::newRow("nonsense hour falls back") << "99:07" << evening << false << 21 << 7;
        QTest::newRow("empty text") << "" << evening << false << 21 << 7;
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

    void valueFromTheSystemsText_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("twelveHour");
        QTest::addColumn<QTime>("wall");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("9:07 PM") << "h:mm AP" << true << QTime(21, 7) << qint64(547);
        QTest::newRow("21:07") << "HH:mm" << false << QTime(21, 7) << qint64(1267);
        QTest::newRow("00:30") << "HH:mm" << false << QTime(0, 30) << qint64(30);
        QTest::newRow("12:30 AM") << "h:mm AP" << true << QTime(0, 30) << qint64(750);
    }
    void valueFromTheSystemsText()
    {
        QFETCH(QString, format);
        QFETCH(bool, twelveHour);
        QFETCH(QTime, wall);
        QFETCH(qint64, seconds);
        FakeTimeSource source;
        source.format = format;
        source.twelveHour = twelveHour;
        source.wall = QDateTime(QDate(2026, 12, 5), wall);
        QCOMPARE(timeOfDayValue(source), ClockValue::fromSeconds(seconds));
    }
};

QTEST_GUILESS_MAIN(TestTimeOfDay)
#include "tst_timeofday.moc"
