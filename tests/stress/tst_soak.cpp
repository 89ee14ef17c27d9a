// A three-hour game on the real board, driven through its tick with a clock
// moved 100 ms per tick: nine periods of 20:00 with a shot clock reloaded
// every 150 s, a timeout, a look at the time of day and penalties in every
// period.

#include "fakes.h"
#include "settings/settingsrecord.h"
#include "stresssupport.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

namespace {

constexpr int TotalTicks = 108'000;
constexpr int PeriodTicks = 12'300;
constexpr int ShotRunTicks = 1'200;
constexpr int ShotReloadTicks = 1'500;
constexpr int TimeoutAt = 4'000;
constexpr int TimeoutTicks = 100;
constexpr int TimeOfDayAt = 6'050;
constexpr int TimeOfDayTicks = 300;
constexpr int GameTicks = 12'000;
// Three hours of figures, fonts and pictures may move the heap a little;
// a leak of even a few hundred bytes a tick would pass this by far.
constexpr qint64 GrowthToleranceKb = 4096;

// When, counted from the start of a game, the shot clock is loaded and
// started.
bool shotStartsAt(int inPeriod)
{
    return inPeriod < GameTicks - ShotRunTicks && inPeriod % ShotReloadTicks == 0;
}

// Shot clock runs that reach zero before the game ends.
int expectedHorns()
{
    int horns = 0;
    for (int tick = 0; tick < TotalTicks; ++tick) {
        const int inPeriod = tick % PeriodTicks;
        if (shotStartsAt(inPeriod) && tick + ShotRunTicks - 1 < TotalTicks)
            ++horns;
    }
    return horns;
}

int expectedBuzzers()
{
    // The timeout holds the game clock back; it runs out one tick early
    // because its first tick already reads 0.1 s gone.
    const int lastTick = GameTicks + TimeoutTicks - 1;
    int buzzers = 0;
    for (int start = 0; start < TotalTicks; start += PeriodTicks)
        buzzers += start + lastTick < TotalTicks;
    return buzzers;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    Stress::TickedPlayer *m_buzzer = nullptr;
    Stress::TickedPlayer *m_horn = nullptr;
    std::unique_ptr<frmScoreBoard> m_board;
    QList<int> m_buzzerTicks;
    QList<int> m_hornTicks;
    int m_tick = 0;
    QString m_alarmFault;

    void makeBoard()
    {
        const QString sound = QCoreApplication::applicationFilePath();
        settingsRecord().BuzzerFile = sound;
        settingsRecord().HornFile = sound;
        int made = 0;
        m_board = std::make_unique<frmScoreBoard>(nullptr, [this, &made] {
            auto player = std::make_unique<Stress::TickedPlayer>();
            player->length = [] { return 30; };
            (made++ == 0 ? m_buzzer : m_horn) = player.get();
            return std::unique_ptr<SoundPlayer>(std::move(player));
        });
        connect(m_board.get(), &frmScoreBoard::buzzerRequested, this, [this] {
            m_buzzerTicks << m_tick;
            if (Stress::captionsText(m_board->gameDigits())
                != Stress::captionsText(clockFigures(ClockValue(), false).captions, 4))
                m_alarmFault = QStringLiteral("buzzer at tick %1 with the game clock at %2")
                                   .arg(m_tick)
                                   .arg(Stress::captionsText(m_board->gameDigits()));
        });
        connect(m_board.get(), &frmScoreBoard::hornRequested, this, [this] {
            m_hornTicks << m_tick;
            if (Stress::captionsText(m_board->shotDigits())
                != Stress::captionsText(clockFigures(ClockValue(), true).captions, 4))
                m_alarmFault = QStringLiteral("horn at tick %1 with the shot clock at %2")
                                   .arg(m_tick)
                                   .arg(Stress::captionsText(m_board->shotDigits()));
        });
        m_board->show();
        QCoreApplication::processEvents();
    }

    void startGame()
    {
        m_board->engine().enterGameTime(ClockValue::fromSeconds(1200));
        for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
            m_board->engine().enterPenaltyTime(slot, ClockValue::fromSeconds(30 + 90 * slot));
        m_board->engine().resetShot();
        // The shot clock first: starting it pauses the penalty clocks.
        m_board->engine().startStopShot();
        m_board->engine().startStopClock();
    }

    void play(int inPeriod)
    {
        if (inPeriod == 0)
            startGame();
        else if (shotStartsAt(inPeriod)) {
            m_board->engine().resetShot();
            m_board->engine().startStopShot();
        }
        if (inPeriod == TimeoutAt || inPeriod == TimeoutAt + TimeoutTicks)
            m_board->engine().startStopClock();
        if (inPeriod == TimeOfDayAt || inPeriod == TimeOfDayAt + TimeOfDayTicks)
            m_board->engine().switchClockTime();
    }

    void tick()
    {
        m_time.advanceMs(100);
        m_board->ClockTick();
        m_buzzer->tick();
        m_horn->tick();
        // Paints the figures that changed, as the event loop would.
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        resetSettingsRecord();
        m_buzzerTicks.clear();
        m_hornTicks.clear();
        m_alarmFault.clear();
        m_tick = 0;
        makeBoard();
    }
    void cleanup() { m_board.reset(); }

    void threeHourGame()
    {
        qint64 settledKb = -1;
        for (m_tick = 0; m_tick < TotalTicks; ++m_tick) {
            play(m_tick % PeriodTicks);
            tick();
            const QString wrong = Stress::clocksDisagree(*m_board);
            if (!wrong.isEmpty())
                QFAIL(qPrintable(QStringLiteral("tick %1: %2").arg(m_tick).arg(wrong)));
            if (m_tick == PeriodTicks)
                settledKb = Stress::residentKb();
        }
        QVERIFY2(m_alarmFault.isEmpty(), qPrintable(m_alarmFault));
        QCOMPARE(m_buzzerTicks.size(), expectedBuzzers());
        QCOMPARE(m_hornTicks.size(), expectedHorns());
        for (int i = 0; i < m_buzzerTicks.size(); ++i)
            QCOMPARE(m_buzzerTicks[i], i * PeriodTicks + GameTicks + TimeoutTicks - 1);
        // Alarms never overlap here, so every request played.
        QCOMPARE(m_buzzer->plays(), int(m_buzzerTicks.size()));
        QCOMPARE(m_horn->plays(), int(m_hornTicks.size()));
        QVERIFY(!m_board->BuzzerPlaying());

        const qint64 endKb = Stress::residentKb();
        qInfo("%d buzzers, %d horns; resident %lld kB after the first game, %lld kB at the end",
              int(m_buzzerTicks.size()), int(m_hornTicks.size()), settledKb, endKb);
        QVERIFY(settledKb > 0);
        QVERIFY2(endKb - settledKb <= GrowthToleranceKb,
                 qPrintable(QStringLiteral("resident size grew from %1 kB after the first game to "
                                           "%2 kB after three hours")
                                .arg(settledKb)
                                .arg(endKb)));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
