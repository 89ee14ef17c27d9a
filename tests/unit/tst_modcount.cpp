// SPDX-License-Identifier: GPL-3.0-or-later
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

    // Whole seconds plus the difference of the tenths digits, with a borrow.
    void elapsedTenths()
    {
        QCOMPARE(modCount::elapsedTenths({10, 500}, {10, 599}), 0);
        QCOMPARE(modCount::elapsedTenths({36000, 950}, {36001, 50}), 1);
        QCOMPARE(modCount::elapsedTenths({10, 900}, {15, 0}), 41);
        QCOMPARE(modCount::elapsedTenths({10, 100}, {12, 300}), 22);
    }

    // A slot runs down to zero and stays there, still running, leaving the
    // others alone; loading it stops it. Steps of the wall clock change
    // nothing.
    void runsDownToZero()
    {
        SetCount(ClockValue::fromSeconds(2), 3);
        SetCount(ClockValue::fromSeconds(20), 2);
        StartCount(3);
        m_time.advanceMs(1500);
        m_time.wall = m_time.wall.addDays(-1);
        QCOMPARE(CountValue(3), tenths(5));
        m_time.wall = m_time.wall.addSecs(3600);
        m_time.advanceMs(5000);
        QCOMPARE(CountValue(3), ClockValue());
        QVERIFY(IsCounting(3));
        QCOMPARE(CountValue(2), tenths(200));
        SetCount(ClockValue::fromSeconds(4), 3);
        QVERIFY(!IsCounting(3));
        QCOMPARE(CountValue(3), ClockValue::fromSeconds(4));
    }

    // A stop keeps the value of the last reading, as the board showed it;
    // runs bank on top of each other. A second start keeps the first
    // instant, a second stop banks nothing, and a quick stop, start and
    // stop counts the run once.
    void runsBankOnce()
    {
        SetCount(ClockValue::fromSeconds(60), 0);
        StartCount(0);
        m_time.advanceMs(1000);
        StartCount(0);
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(0), tenths(580));
        m_time.advanceMs(50);
        StopCount(0);
        StopCount(0);
        m_time.advanceMs(10000);
        QCOMPARE(CountValue(0), tenths(580));
        StartCount(0);
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(0), tenths(570));
        StopCount(0);
        StartCount(0);
        StopCount(0);
        QCOMPARE(CountValue(0), tenths(570));
    }

    // Only the question whether a clock runs beeps; the rest ignore it.
    void slotNumberOutOfRange()
    {
        StartCount(8);
        SetCount(ClockValue::fromSeconds(5), 8);
        StopCount(-1);
        QCOMPARE(CountValue(8), ClockValue());
        QCOMPARE(IsCounting(-1), false);
        QCOMPARE(IsCounting(7), false);
        QCOMPARE(m_beeps, 1);
    }
};

QTEST_GUILESS_MAIN(TestModCount)
#include "tst_modcount.moc"
