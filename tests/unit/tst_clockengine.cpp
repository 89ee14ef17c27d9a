#include "fakes.h"
#include "timing/clockengine.h"
#include "timing/modcount.h"

#include <QTest>

#include <memory>

using namespace modCount;

class TestClockEngine : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<FakeBoard> m_board;
    std::unique_ptr<ClockEngine> m_engine;

    void tickFor(int ms)
    {
        for (int done = 0; done < ms; done += 100) {
            m_time.advanceMs(100);
            m_engine->tick();
        }
    }
    void enterPenalty(qint16 slot, qint64 seconds)
    {
        m_engine->enterPenaltyTime(slot, ClockValue::fromSeconds(seconds));
    }
    QString penalty(qint16 slot) const { return m_board->penalties.at(size_t(slot)).text(); }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        reset(&m_time);
        m_board = std::make_unique<FakeBoard>();
        m_engine = std::make_unique<ClockEngine>(*m_board);
        m_engine->startUp();
    }

    void startsAt20And2()
    {
        QCOMPARE(m_board->gameText(), QStringLiteral("20:00"));
        QCOMPARE(m_board->shot.leftToRight(), QStringLiteral("____"));
        m_engine->tick();
        QCOMPARE(m_board->shotText(), QStringLiteral("_2:00"));
        QCOMPARE(state().GameLength, ClockValue::fromSeconds(1200));
        for (qint16 slot = 0; slot < 8; ++slot)
            QVERIFY(!IsCounting(slot));
        QCOMPARE(m_board->buzzers + m_board->horns, 0);
    }

    void startStopMovesGameAndPenaltiesTogether()
    {
        m_engine->startStopClock();
        for (qint16 slot = 0; slot <= 6; ++slot)
            QVERIFY(IsCounting(slot));
        QVERIFY(!IsCounting(ShotSlot));
        QCOMPARE(m_board->tickEnables, 1);
        tickFor(1500);
        QCOMPARE(m_board->gameText(), QStringLiteral("19:59"));
        m_engine->startStopClock();
        for (qint16 slot = 0; slot <= 6; ++slot)
            QVERIFY(!IsCounting(slot));
        QCOMPARE(CountValue(0), ClockValue::fromTenths(11985));
    }

    void buzzerOncePerArrivalAtZero()
    {
        m_engine->enterGameTime(ClockValue::fromSeconds(1));
        QCOMPARE(m_board->gameText(), QStringLiteral("_1.0_"));
        m_engine->startStopClock();
        tickFor(3000);
        QCOMPARE(m_board->gameText(), QStringLiteral("_0.0_"));
        QCOMPARE(m_board->buzzers, 1);
        // A reset re-arms it; the next arrival sounds again.
        m_engine->resetClock();
        m_engine->tick();
        QCOMPARE(m_board->buzzers, 1);
        m_engine->startStopClock();
        tickFor(2000);
        QCOMPARE(m_board->buzzers, 2);
    }

    void shotClockAtZeroStartsTheGameThenHorns()
    {
        m_engine->enterShotTime(ClockValue::fromSeconds(2));
        enterPenalty(1, 90);
        m_engine->startStopShot();
        tickFor(1900);
        QCOMPARE(m_board->horns, 0);
        QVERIFY(!IsCounting(0));
        tickFor(200);
        QCOMPARE(m_board->events, QStringList{QStringLiteral("horn, game running")});
        QCOMPARE(m_board->shotText(), QStringLiteral("__:_0"));
        // Slots 0 to 6 run, blank penalty clocks included, and the horn
        // comes after them.
        for (qint16 slot = 0; slot <= 6; ++slot)
            QVERIFY(IsCounting(slot));
        tickFor(5000);
        QCOMPARE(m_board->horns, 1);
        QCOMPARE(penalty(2), QStringLiteral("___"));
        QCOMPARE(penalty(1), QStringLiteral("125"));
        // A reload above zero re-arms the horn.
        m_engine->resetShot();
        m_engine->tick();
        m_engine->enterShotTime(ClockValue());
        m_engine->tick();
        QCOMPARE(m_board->horns, 2);
    }

    void startingTheShotClockPausesOnlyPenalties()
    {
        enterPenalty(3, 60);
        m_engine->startStopClock();
        m_engine->startStopShot();
        QVERIFY(IsCounting(0));
        QVERIFY(IsCounting(ShotSlot));
        for (qint16 slot = 1; slot <= 6; ++slot)
            QVERIFY(!IsCounting(slot));
        m_engine->startStopShot();
        QVERIFY(!IsCounting(ShotSlot));
        QVERIFY(IsCounting(0));
    }

    void resetWhileRunningStopsEverything()
    {
        m_engine->enterGameTime(ClockValue::fromSeconds(600));
        m_engine->startStopClock();
        m_engine->switchClockTime();
        QVERIFY(m_engine->clockTime());
        tickFor(2000);
        m_engine->resetClock();
        for (qint16 slot = 0; slot <= 6; ++slot)
            QVERIFY(!IsCounting(slot));
        QVERIFY(!m_engine->clockTime());
        QCOMPARE(m_board->gameText(), QStringLiteral("10:00"));
    }

    void resetWhileStoppedLeavesOwnPenaltiesRunning()
    {
        enterPenalty(4, 120);
        m_engine->startStopPenalty(4);
        QVERIFY(IsCounting(4));
        QCOMPARE(m_board->tickEnables, 1);
        tickFor(1000);
        m_engine->resetClock();
        QVERIFY(IsCounting(4));
        tickFor(1000);
        QCOMPARE(penalty(4), QStringLiteral("158"));
        m_engine->startStopPenalty(4);
        QVERIFY(!IsCounting(4));
    }

    void resetShotWhileRunningStopsAt120()
    {
        m_engine->startStopShot();
        tickFor(3000);
        m_engine->resetShot();
        QVERIFY(!IsCounting(ShotSlot));
        QCOMPARE(CountValue(ShotSlot), ClockValue::fromSeconds(120));
    }

    void typedShotTimeStopsARunningShotClock()
    {
        m_engine->startStopShot();
        tickFor(1000);
        m_engine->enterShotTime(ClockValue::fromSeconds(45));
        QVERIFY(!IsCounting(ShotSlot));
        QCOMPARE(m_board->shotText(), QStringLiteral("__:45"));
    }

    void typedGameTimeStopsTheClocksAndBecomesTheLength()
    {
        m_engine->startStopClock();
        tickFor(500);
        m_engine->enterGameTime(ClockValue::fromSeconds(720));
        for (qint16 slot = 0; slot <= 6; ++slot)
            QVERIFY(!IsCounting(slot));
        QCOMPARE(m_board->gameText(), QStringLiteral("12:00"));
        m_engine->startStopClock();
        tickFor(3000);
        m_engine->resetClock();
        QCOMPARE(m_board->gameText(), QStringLiteral("12:00"));
    }

    void timeOfDayReplacesTheGameTime()
    {
        m_time.format = QStringLiteral("h:mm AP");
        m_time.twelveHour = true;
        m_time.wall = QDateTime(QDate(2026, 12, 5), QTime(21, 7, 30));
        m_engine->switchClockTime();
        m_engine->tick();
        QCOMPARE(m_board->gameText(), QStringLiteral("_9:07"));
        // A typed game time shows at once; the next tick shows the time of
        // day again, since typing does not leave the time-of-day mode.
        m_engine->enterGameTime(ClockValue::fromSeconds(300));
        QCOMPARE(m_board->gameText(), QStringLiteral("_5:00"));
        m_engine->tick();
        QCOMPARE(m_board->gameText(), QStringLiteral("_9:07"));
        m_engine->switchClockTime();
        m_engine->tick();
        QCOMPARE(m_board->gameText(), QStringLiteral("_5:00"));
        // Start or stop always brings the game time back.
        m_engine->switchClockTime();
        m_engine->startStopClock();
        QVERIFY(!m_engine->clockTime());
    }

    void gameClockIsWatchedWhileTheTimeOfDayShows()
    {
        m_engine->enterGameTime(ClockValue::fromSeconds(1));
        m_engine->switchClockTime();
        m_engine->startStopClock();
        m_engine->switchClockTime();
        tickFor(1500);
        QCOMPARE(m_board->buzzers, 1);
        QCOMPARE(m_board->gameText(), QStringLiteral("21:07"));
    }

    void penaltyRunsDownToZeroAndStaysShown()
    {
        enterPenalty(5, 2);
        QCOMPARE(penalty(5), QStringLiteral("002"));
        QCOMPARE(m_board->colonPaints, 1);
        QCOMPARE(m_board->penaltyPaints, 1);
        m_engine->startStopPenalty(5);
        tickFor(4000);
        QCOMPARE(penalty(5), QStringLiteral("000"));
        QVERIFY(IsCounting(5));
        QCOMPARE(m_board->buzzers + m_board->horns, 0);
    }

    void clearPenaltyBlanksAndZeroes()
    {
        enterPenalty(6, 90);
        m_engine->startStopPenalty(6);
        tickFor(1000);
        const int colonPaints = m_board->colonPaints;
        m_engine->clearPenalty(6);
        QCOMPARE(penalty(6), QStringLiteral("___"));
        QVERIFY(!IsCounting(6));
        QCOMPARE(CountValue(6), ClockValue());
        QCOMPARE(m_board->colonPaints, colonPaints + 1);
        // Blank penalty clocks are not read by the tick, even when started.
        m_engine->startStopClock();
        tickFor(1000);
        QCOMPARE(penalty(6), QStringLiteral("___"));
    }

    void aFullShotClockRunStartsTheGame()
    {
        m_engine->tick();
        m_engine->startStopShot();
        tickFor(119000);
        QCOMPARE(m_board->shotText(), QStringLiteral("__:_1"));
        QCOMPARE(m_board->gameText(), QStringLiteral("20:00"));
        tickFor(1000);
        QCOMPARE(m_board->horns, 1);
        tickFor(1000);
        QCOMPARE(m_board->gameText(), QStringLiteral("19:59"));
    }
};

QTEST_GUILESS_MAIN(TestClockEngine)
#include "tst_clockengine.moc"
