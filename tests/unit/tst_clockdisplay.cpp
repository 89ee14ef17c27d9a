#include "fakes.h"
#include "timing/clockdisplay.h"

#include <QTest>

class TestClockDisplay : public QObject
{
    Q_OBJECT

private slots:
    void displayClock_data()
    {
        QTest::addColumn<qint64>("tenths");
        QTest::addColumn<bool>("wholeSecondsOnly");
        QTest::addColumn<QString>("shown");

        QTest::newRow("20:00") << qint64(12000) << false << "20:00";
        QTest::newRow("5:07") << qint64(3070) << false << "_5:07";
        QTest::newRow("99:59 the longest game") << qint64(59990) << false << "99:59";
        QTest::newRow("shot 0:45") << qint64(450) << true << "__:45";
        QTest::newRow("shot 0:05") << qint64(50) << true << "__:_5";
        QTest::newRow("shot 0:00") << qint64(0) << true << "__:_0";
        QTest::newRow("shot 10.3 rounds up to 11") << qint64(103) << true << "__:11";
        QTest::newRow("shot 10.0 stays 10") << qint64(100) << true << "__:10";
        QTest::newRow("shot 9:59") << qint64(5990) << true << "_9:59";
        QTest::newRow("game 45.3") << qint64(453) << false << "45.3_";
        QTest::newRow("game 5.0") << qint64(50) << false << "_5.0_";
        QTest::newRow("game 0.0") << qint64(0) << false << "_0.0_";
        QTest::newRow("game 0.7") << qint64(7) << false << "_0.7_";
        QTest::newRow("game 59.9 last tenths") << qint64(599) << false << "59.9_";
        QTest::newRow("game 60.0 whole again") << qint64(600) << false << "_1:00";
        QTest::newRow("game 60.1 rounds up") << qint64(601) << false << "_1:01";
        QTest::newRow("game 10:00.0") << qint64(6000) << false << "10:00";
        QTest::newRow("time of day 21:07") << qint64(12670) << false << "21:07";
        QTest::newRow("time of day 00:30") << qint64(300) << false << "30.0_";
    }
    void displayClock()
    {
        QFETCH(qint64, tenths);
        QFETCH(bool, wholeSecondsOnly);
        QFETCH(QString, shown);

        FakeDigits digits(QStringLiteral("pledTime"), 4, 8);
        FakeColon colon;
        modCount::DisplayClock(ClockValue::fromTenths(tenths), digits, colon, wholeSecondsOnly);
        QCOMPARE(FakeBoard::clockText(digits, colon), shown);
    }

    // The leading-zero rule looks at the figure just set, not at what the
    // figure showed before.
    void displayClockIgnoresWhatWasShown()
    {
        FakeDigits digits(QStringLiteral("pledShot"), 4, -1);
        FakeColon colon;
        modCount::DisplayClock(ClockValue::fromSeconds(600), digits, colon, true);
        QCOMPARE(FakeBoard::clockText(digits, colon), QStringLiteral("10:00"));
        modCount::DisplayClock(ClockValue::fromSeconds(5), digits, colon, true);
        QCOMPARE(FakeBoard::clockText(digits, colon), QStringLiteral("__:_5"));
    }

    void displayTime_data()
    {
        QTest::addColumn<qint64>("tenths");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0:45") << qint64(450) << "045";
        QTest::newRow("zero shows 0:00") << qint64(0) << "000";
        QTest::newRow("9:59") << qint64(5990) << "959";
        QTest::newRow("a tenth rounds up") << qint64(1) << "001";
        QTest::newRow("575.5 shows 9:36") << qint64(5755) << "936";
        QTest::newRow("1:59.1 shows 2:00") << qint64(1191) << "200";
    }
    void displayTime()
    {
        QFETCH(qint64, tenths);
        QFETCH(QString, shown);
        FakeDigits digits(QStringLiteral("pledPenaltyTH1"), 3);
        DisplayTime(digits, ClockValue::fromTenths(tenths));
        QCOMPARE(digits.text(), shown);
    }
};

QTEST_GUILESS_MAIN(TestClockDisplay)
#include "tst_clockdisplay.moc"
