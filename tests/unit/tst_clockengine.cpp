// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "timing/clockdisplay.h"
#include "timing/clockengine.h"
#include "timing/modcount.h"
#include "timing/tickplan.h"
#include "timing/timeofday.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace modCount;

// The count slots, the engine that runs the clocks on them, and what the
// clocks show, on a fake clock.
class TestClockEngine : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    Counts m_counts{m_time};
    int m_beeps = 0;
    std::unique_ptr<FakeBoard> m_board;
    std::unique_ptr<ClockEngine> m_engine;

    static ClockValue tenths(qint64 t) { return ClockValue::fromTenths(t); }

    // Commands, N a penalty slot: start, reset, shotstart, shotreset, tod,
    // penstartN, clearN; typed times game=S, shot=S, penN=S; tick=MS of ticks.
    void play(const QString &commands)
    {
        using Engine = ClockEngine;
        const QHash<QString, void (Engine::*)()> plain = {{"start", &Engine::startStopClock},
                                                          {"reset", &Engine::resetClock},
                                                          {"shotstart", &Engine::startStopShot},
                                                          {"shotreset", &Engine::resetShot},
                                                          {"tod", &Engine::switchClockTime}};
        const QHash<QString, void (Engine::*)(qint16)> onSlot = {
            {"penstart", &Engine::startStopPenalty}, {"clear", &Engine::clearPenalty}};
        const QHash<QString, void (Engine::*)(ClockValue)> typed = {
            {"game", &Engine::enterGameTime}, {"shot", &Engine::enterShotTime}};
        static const QRegularExpression command(QStringLiteral("^([a-z]+)(\\d?)(?:=(\\d+))?$"));
        for (const QString &word : commands.split(u' ')) {
            const QRegularExpressionMatch m = command.match(word);
            const QString name = m.captured(1);
            const qint16 slot = qint16(m.captured(2).toInt());
            const qint64 n = m.captured(3).toLongLong();
            if (plain.contains(name))
                (m_engine.get()->*plain[name])();
            else if (onSlot.contains(name))
                (m_engine.get()->*onSlot[name])(slot);
            else if (typed.contains(name))
                (m_engine.get()->*typed[name])(ClockValue::fromSeconds(n));
            else if (name == QLatin1String("pen"))
                m_engine->enterPenaltyTime(slot, ClockValue::fromSeconds(n));
            else
                QVERIFY2(name == QLatin1String("tick"), qPrintable(word));
            for (qint64 done = 0; name == QLatin1String("tick") && done < n; done += 100) {
                m_time.advanceMs(100);
                m_engine->tick();
            }
        }
    }

    // What the board shows: the clocks, which slots 0 to 7 run, alarms (each
    // horn says whether the game clock ran), whether the time of day shows.
    QHash<QString, QString> shown() const
    {
        QString running;
        for (qint16 slot = 0; slot < SlotCount; ++slot)
            running += IsCounting(m_counts, slot) ? QLatin1Char('1') : QLatin1Char('0');
        QHash<QString, QString> all = {{"game", m_board->gameText()},
                                       {"shot", m_board->shotText()},
                                       {"run", running},
                                       {"buzz", QString::number(m_board->buzzers)},
                                       {"horn", m_board->horns.join(u',')},
                                       {"tod", QString::number(m_engine->clockTime())}};
        for (qint16 slot = 1; slot <= 6; ++slot)
            all.insert(QStringLiteral("pen%1").arg(slot),
                       m_board->penalties.at(size_t(slot)).text());
        return all;
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        m_time.format = QStringLiteral("h:mm AP");
        m_time.twelveHour = true;
        m_beeps = 0;
        m_counts = Counts(m_time);
        m_counts.beep = [this] {
            ++m_beeps;
        };
        m_board = std::make_unique<FakeBoard>(m_counts);
        m_engine = std::make_unique<ClockEngine>(*m_board, m_counts);
        m_engine->startUp();
    }

    // Whole seconds plus the difference of the tenths digits, with a borrow.
    void elapsedTenths()
    {
        QCOMPARE(modCount::elapsedTenths({10, 500}, {10, 599}), 0);
        QCOMPARE(modCount::elapsedTenths({36000, 950}, {36001, 50}), 1);
        QCOMPARE(modCount::elapsedTenths({10, 900}, {15, 0}), 41);
        QCOMPARE(modCount::elapsedTenths({10, 100}, {12, 300}), 22);
    }

    // A slot runs down to zero and stays there, still running; loading it
    // stops it. Steps of the wall clock change nothing.
    void runsDownToZero()
    {
        SetCount(m_counts, ClockValue::fromSeconds(2), 3);
        StartCount(m_counts, 3);
        m_time.advanceMs(1500);
        m_time.wall = m_time.wall.addDays(-1);
        QCOMPARE(CountValue(m_counts, 3), tenths(5));
        m_time.wall = m_time.wall.addSecs(3600);
        m_time.advanceMs(5000);
        QCOMPARE(CountValue(m_counts, 3), ClockValue());
        QVERIFY(IsCounting(m_counts, 3));
        SetCount(m_counts, ClockValue::fromSeconds(4), 3);
        QVERIFY(!IsCounting(m_counts, 3));
        QCOMPARE(CountValue(m_counts, 3), ClockValue::fromSeconds(4));
    }

    // A stop keeps the value of the last reading, as the board showed it;
    // runs bank on top of each other. A second start keeps the first
    // instant, a second stop banks nothing, and a quick stop, start and
    // stop counts the run once.
    void runsBankOnce()
    {
        SetCount(m_counts, ClockValue::fromSeconds(60), 0);
        StartCount(m_counts, 0);
        m_time.advanceMs(1000);
        StartCount(m_counts, 0);
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(m_counts, 0), tenths(580));
        m_time.advanceMs(50);
        StopCount(m_counts, 0);
        StopCount(m_counts, 0);
        m_time.advanceMs(10000);
        QCOMPARE(CountValue(m_counts, 0), tenths(580));
        StartCount(m_counts, 0);
        m_time.advanceMs(1000);
        QCOMPARE(CountValue(m_counts, 0), tenths(570));
        StopCount(m_counts, 0);
        StartCount(m_counts, 0);
        StopCount(m_counts, 0);
        QCOMPARE(CountValue(m_counts, 0), tenths(570));
    }

    // A tick on the steady clock's whole tenths, where every running
    // clock's figures change and its zero comes, or a little after, is in
    // step; one further off waits for the next whole tenth.
    void tickInStep()
    {
        QCOMPARE(TickPlan::stepCorrectionMs(1000), std::nullopt);
        QCOMPARE(TickPlan::stepCorrectionMs(1003), std::nullopt);
        QCOMPARE(TickPlan::stepCorrectionMs(1004), std::optional<int>(96));
        QCOMPARE(TickPlan::stepCorrectionMs(1099), std::optional<int>(1));
    }

    // Only the question whether a clock runs beeps; the rest ignore it.
    void slotNumberOutOfRange()
    {
        StartCount(m_counts, 8);
        SetCount(m_counts, ClockValue::fromSeconds(5), 8);
        StopCount(m_counts, -1);
        QCOMPARE(CountValue(m_counts, 8), ClockValue());
        QCOMPARE(IsCounting(m_counts, -1), false);
        QCOMPARE(IsCounting(m_counts, 7), false);
        QCOMPARE(m_beeps, 1);
    }

    // Each row: commands > what the board then shows.
    void commands_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("expected");
        for (const char *row : {
                 // The game clock runs with its penalty clocks.
                 "start tick=1500 > game=19:59 run=11111110",
                 "start tick=500 game=720 > game=12:00 run=00000000",
                 "game=720 start tick=3000 reset > game=12:00 run=00000000",
                 "game=1 start tick=3000 > game=_0.0_ buzz=1 horn=",
                 "game=1 start tick=3000 reset tick=100 start tick=2000 > buzz=2",
                 // The shot clock pauses the penalties; at zero it starts
                 // everything, then the horn sounds, once per arrival.
                 "start shotstart shotstart > run=10000000",
                 "shot=2 shotstart tick=1900 > run=00000001 horn=",
                 "shot=2 pen1=90 shotstart tick=2100 > shot=__:_0 run=11111111 horn=running",
                 "shot=2 pen1=90 shotstart tick=7100 > horn=running pen1=125 pen2=___",
                 "shot=0 tick=100 shotreset tick=100 shot=0 tick=100 > horn=running,running",
                 "shotstart tick=3000 shotreset > shot=_2:00 run=00000000",
                 "shotstart tick=1000 shot=45 > shot=__:45 run=00000000",
                 // Reset leaves the time of day even with the clock stopped; a
                 // penalty started on its own runs on.
                 "game=600 pen4=120 penstart4 tod tick=2000 reset tick=1000 > tod=0 game=10:00 "
                 "run=00001000 pen4=157",
                 // The time of day shows at once; a typed game time until the
                 // next tick; the game clock is watched behind it.
                 "tod > game=_9:07 tod=1",
                 "tod game=300 > game=_5:00 tod=1",
                 "tod game=300 tick=100 > game=_9:07",
                 "tod start > tod=0",
                 "game=1 start tod tick=1500 > buzz=1 game=_9:07",
                 // A penalty clock stays at 0:00, running and silent; a
                 // cleared one stops and stays blank.
                 "pen6=2 penstart6 tick=4000 > pen6=000 run=00000010 buzz=0 horn=",
                 "pen6=90 penstart6 tick=1000 clear6 > pen6=___ run=00000000",
                 "pen6=90 clear6 start tick=1000 > pen6=___ run=11111110",
             })
            QTest::newRow(row) << QString(row).section(" > ", 0, 0)
                               << QString(row).section(" > ", 1);
    }
    void commands()
    {
        QFETCH(QString, commands);
        QFETCH(QString, expected);
        play(commands);
        const QHash<QString, QString> actual = shown();
        for (const QString &want : expected.split(u' ')) {
            const QString key = want.section(u'=', 0, 0);
            QCOMPARE(key + u'=' + actual.value(key, QStringLiteral("?")), want);
        }
    }

    // Tenths left > what a game, shot or penalty clock shows ("_" a blank
    // figure, "." the lower dot alone), whatever the figures showed before.
    void shows_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"game 3070 > _5:07", "game 601 > _1:01", "game 600 > _1:00", "game 599 > 59.9_",
              "game 7 > _0.7_", "shot 103 > __:11", "shot 50 > __:_5", "penalty 1 > 001",
              "penalty 5990 > 959", "penalty 1191 > 200"})
            QTest::newRow(row) << QString(row);
    }
    void shows()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const bool penalty = words[0] == QLatin1String("penalty");
        const ClockValue value = ClockValue::fromTenths(words[1].toLongLong());
        for (const int before : {8, -1}) {
            FakeDigits digits(QStringLiteral("figures"), penalty ? 3 : 4, before);
            FakeColon colon;
            if (penalty)
                DisplayTime(digits, value);
            else
                DisplayClock(value, digits, colon, words[0] == QLatin1String("shot"));
            QCOMPARE(penalty ? digits.text() : FakeBoard::clockText(digits, colon), words[3]);
        }
    }

    // Text|wall clock|dial > hour:minute. The hour and minute come from the
    // system's own text for the time; where it makes no sense, from the
    // wall clock, on the dial the system uses.
    void timeOfDayPieces_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"9:07:03 PM|21:07|12 > 9:07", "오후9:07|21:07|12 > 9:07", "12.30 AM|0:30|12 > 12:30",
              "99:07|21:07|24 > 21:07", "PM :07|21:07|12 > 9:07"})
            QTest::newRow(row) << QString::fromUtf8(row);
    }
    void timeOfDayPieces()
    {
        QFETCH(QString, row);
        const QStringList given = row.section(" > ", 0, 0).split(u'|');
        const QStringList expected = row.section(" > ", 1).split(u':');
        const HourMinute got =
            ::timeOfDay(given[0], QTime::fromString(given[1], "H:mm"), given[2] == "12");
        QCOMPARE(got, (HourMinute{expected[0].toInt(), expected[1].toInt()}));
    }
};

QTEST_GUILESS_MAIN(TestClockEngine)
#include "tst_clockengine.moc"
