#include "fakes.h"
#include "timing/modcount.h"

#include <QTest>

using namespace modCount;

class TestModCount : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    int m_beeps = 0;

    static ClockValue tenths(qint64 t) { return ClockValue::fromTenths(t); }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        m_beeps = 0;
        reset(&m_time);
        setBeep([this] { ++m_beeps; });
    }

    void elapsedTenths_data()
    {
        QTest::addColumn<qint64>("startSeconds");
        QTest::addColumn<int>("startMillis");
        QTest::addColumn<qint64>("nowSeconds");
        QTest::addColumn<int>("nowMillis");
        QTest::addColumn<qint64>("tenths");

        QTest::newRow("same instant") << qint64(10) << 500 << qint64(10) << 500 << qint64(0);
        QTest::newRow("within one tenth") << qint64(10) << 500 << qint64(10) << 599 << qint64(0);
        QTest::newRow("borrow across a second") << qint64(36000) << 950 << qint64(36001) << 50 << qint64(1);
        QTest::newRow("no borrow") << qint64(10) << 100 << qint64(12) << 300 << qint64(22);
        QTest::newRow("borrow, several seconds") << qint64(10) << 900 << qint64(15) << 0 << qint64(41);
        QTest::newRow("across midnight") << qint64(86399) << 900 << qint64(86400) << 200 << qint64(3);
        QTest::newRow("a three-hour run") << qint64(0) << 0 << qint64(10800) << 999 << qint64(108009);
    }
    void elapsedTenths()
    {
        QFETCH(qint64, startSeconds);
        QFETCH(int, startMillis);
        QFETCH(qint64, nowSeconds);
        QFETCH(int, nowMillis);
        QFETCH(qint64, tenths);
        QCOMPARE(modCount::elapsedTenths({startSeconds, startMillis}, {nowSeconds, nowMillis}), tenths);
    }

    void runningSlotCountsDownAndStopsAtZero()
    {
        SetCount(ClockValue::fromSeconds(2), 3);
        QCOMPARE(CountValue(3), ClockValue::fromSeconds(2));
        StartCount(3);
        QVERIFY(IsCounting(3));
        m_time.advanceMs(1500);
        QCOMPARE(CountValue(3), tenths(5));
        m_time.advanceMs(600);
        QCOMPARE(CountValue(3), ClockValue());
        // Reaching zero does not stop a slot; it keeps answering zero.
        QVERIFY(IsCounting(3));
        m_time.advanceMs(5000);
        QCOMPARE(CountValue(3), ClockValue());
        SetCount(ClockValue::fromSeconds(4), 3);
        QVERIFY(!IsCounting(3));
        QCOMPARE(CountValue(3), ClockValue::fromSeconds(4));
    }

    void stopKeepsTheValueOfTheLastReading()
    {
        SetCount(ClockValue::fromSeconds(60), 0);
        StartCount(0);
        m_time.advanceMs(2000);
        QCOMPARE(CountValue(0), tenths(580));
        m_time.advanceMs(50);
        StopCount(0);
        m_time.advanceMs(10000);
        QCOMPARE(CountValue(0), tenths(580));
        // A second run banks on top of the first.
        StartCount(0);
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(0), tenths(570));
        StopCount(0);
        QCOMPARE(CountValue(0), tenths(570));
        // Stop, start and stop again before any reading: banked once only.
        StartCount(0);
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(0), tenths(560));
        StopCount(0);
        StartCount(0);
        StopCount(0);
        QCOMPARE(CountValue(0), tenths(560));
    }

    void startAndStopAreIdempotent()
    {
        SetCount(ClockValue::fromSeconds(30), 1);
        StartCount(1);
        m_time.advanceMs(1000);
        StartCount(1); // keeps its start instant
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(1), tenths(280));
        StopCount(1);
        StopCount(1); // banks nothing twice
        QCOMPARE(CountValue(1), tenths(280));
    }

    void slotLoadedWithZeroReadsZero()
    {
        SetCount(ClockValue(), 5);
        StartCount(5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(CountValue(5), ClockValue());
            m_time.advanceMs(700);
        }
    }

    void wallClockStepsDoNotMoveARunningClock_data()
    {
        QTest::addColumn<int>("stepHours");
        QTest::newRow("an hour forward") << 1;
        QTest::newRow("an hour back") << -1;
        QTest::newRow("a day back") << -24;
    }
    void wallClockStepsDoNotMoveARunningClock()
    {
        QFETCH(int, stepHours);
        SetCount(ClockValue::fromSeconds(1200), 0);
        StartCount(0);
        m_time.advanceMs(3000);
        QCOMPARE(CountValue(0), tenths(11970));
        m_time.wall = m_time.wall.addSecs(stepHours * 3600);
        QCOMPARE(CountValue(0), tenths(11970));
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(0), tenths(11960));
    }

    void runAcrossMidnightCountsOn()
    {
        m_time.setSteady(86399, 500);
        m_time.wall = QDateTime(QDate(2026, 12, 5), QTime(23, 59, 59, 500));
        SetCount(ClockValue::fromSeconds(10), 2);
        StartCount(2);
        m_time.advanceMs(1000);
        QCOMPARE(m_time.wall.time().hour(), 0);
        QCOMPARE(CountValue(2), tenths(90));
    }

    void slotsAreIndependent()
    {
        SetCount(ClockValue::fromSeconds(10), 1);
        SetCount(ClockValue::fromSeconds(20), 2);
        StartCount(1);
        m_time.advanceMs(3000);
        QCOMPARE(CountValue(1), tenths(70));
        QCOMPARE(CountValue(2), tenths(200));
        QVERIFY(!IsCounting(2));
    }

    void slotNumberOutOfRange()
    {
        QCOMPARE(IsCounting(8), false);
        QCOMPARE(m_beeps, 1);
        StartCount(8);
        SetCount(ClockValue::fromSeconds(5), 8);
        StopCount(-1);
        QCOMPARE(CountValue(8), ClockValue());
        QCOMPARE(IsCounting(-1), false);
        QCOMPARE(m_beeps, 2);
        QCOMPARE(IsCounting(7), false);
        QCOMPARE(m_beeps, 2);
    }

    void intQuotient_data()
    {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<int>("quotient");
        QTest::newRow("exact") << qint64(1200) << qint64(600) << 2;
        QTest::newRow("floor") << qint64(1199) << qint64(600) << 1;
        QTest::newRow("fraction below one") << qint64(599) << qint64(600) << 0;
        QTest::newRow("negative rounds down") << qint64(-1) << qint64(60) << -1;
        QTest::newRow("division by zero gives zero") << qint64(5) << qint64(0) << 0;
        QTest::newRow("clamped to 16 bits") << qint64(10000000) << qint64(1) << 32767;
    }
    void intQuotient()
    {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(int, quotient);
        QCOMPARE(int(IntQuotient(ClockValue::fromSeconds(a), ClockValue::fromSeconds(b))), quotient);
    }
};

QTEST_GUILESS_MAIN(TestModCount)
#include "tst_modcount.moc"
