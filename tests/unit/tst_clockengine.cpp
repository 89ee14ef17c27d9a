// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "timing/clockengine.h"
#include "timing/modcount.h"

#include <QRegularExpression>
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
            running += IsCounting(slot) ? QLatin1Char('1') : QLatin1Char('0');
        QHash<QString, QString> all = {
            {"game", m_board->gameText()},
            {"shot", m_board->shotText()},
            {"run", running},
            {"buzz", QString::number(m_board->buzzers)},
            {"horn", m_board->horns.join(u',')},
            {"tod", QString::number(m_engine->clockTime())},
            {"ticks", QString::number(m_board->tickEnables)},
        };
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
        reset(&m_time);
        m_board = std::make_unique<FakeBoard>();
        m_engine = std::make_unique<ClockEngine>(*m_board);
        m_engine->startUp();
    }

    // Each row: commands > what the board then shows.
    void commands_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("expected");
        for (const char *row : {
                 // The game clock runs with its penalty clocks.
                 "tick=100 > game=20:00 shot=_2:00 run=00000000 ticks=0",
                 "start tick=1500 > game=19:59 run=11111110 ticks=1",
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
                 // Reset leaves the time of day, running or not; a penalty
                 // started on its own runs on.
                 "game=600 pen4=120 start tod tick=2000 reset tick=1000 > tod=0 game=10:00 "
                 "pen4=158",
                 "game=600 pen4=120 penstart4 tod tick=2000 reset tick=1000 > tod=0 game=10:00 "
                 "run=00001000 pen4=157 ticks=1",
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
};

QTEST_GUILESS_MAIN(TestClockEngine)
#include "tst_clockengine.moc"
