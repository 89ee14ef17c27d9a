// SPDX-License-Identifier: GPL-3.0-or-later
// Alarms and figures against the true instant: the buzzer, the horn and the
// shot clock's hand-off after the true zero of their clock, and each change
// of the running game clock's figures after the whole tenth at which it fell
// due. The real board at 1920x1080 on the offscreen platform, the system's
// clocks and the board's own tick; optionally with two busy processes
// loading the machine.

#include "benchsupport.h"
#include "busyload.h"

#include "board/frmscoreboard.h"
#include "settings/settingsrecord.h"
#include "timing/clockdisplay.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTimer>

#include <memory>
#include <time.h>
#include <vector>

namespace {

constexpr qint64 TenthMs = 100;
constexpr ClockValue ShotRun = ClockValue::fromTenths(3);
constexpr ClockValue GameRun = ClockValue::fromTenths(10);
// A board's tick that runs free keeps the phase to the steady clock's
// tenths it started with: a fresh board every few runs draws it again.
constexpr int RunsPerBoard = 10;
const QSize BoardSize(1920, 1080);

// The clock SystemTimeSource reads, finer than its milliseconds.
double steadyNowMs()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

qint64 startTenth(const SlotState &slot)
{
    return steadyMs(slot.start.value_or(SteadyInstant())) / TenthMs;
}

// A slot counts the steady clock's tenths that begin after its start, so
// it reaches zero on a whole tenth, as many after the start's tenth as it
// held.
qint64 trueZeroMs(const SlotState &slot)
{
    return (startTenth(slot) + (slot.base - slot.banked).raw() / ClockValue::PerTenth) * TenthMs;
}

// What the running game clock shows from the whole tenth `tenthMs` on.
std::array<int, 4> shownFrom(const SlotState &slot, qint64 tenthMs)
{
    const ClockValue gone = ClockValue::fromTenths(tenthMs / TenthMs - startTenth(slot));
    const ClockValue left = qMax(ClockValue(), slot.base - slot.banked - gone);
    return clockFigures(left, false).captions;
}

// The whole tenth from which the game clock shows what it shows at `nowMs`.
qint64 changeDueMs(const SlotState &slot, double nowMs)
{
    const qint64 first = (startTenth(slot) + 1) * TenthMs;
    qint64 due = qint64(nowMs) / TenthMs * TenthMs;
    const std::array<int, 4> shown = shownFrom(slot, due);
    while (due > first && shownFrom(slot, due - TenthMs) == shown)
        due -= TenthMs;
    return due;
}

void note(const QString &text)
{
    QTextStream(stderr) << text << '\n';
}

struct Samples
{
    std::vector<double> buzzer;
    std::vector<double> horn;
    std::vector<double> handOff;
    std::vector<double> figures;
    int strayAlarms = 0;
};

// Runs back to back: the shot clock loaded with 0.3 s and started; its
// horn's tick starts the game clock, loaded with 1.0 s, whose buzzer ends
// the run. Every step waits a random part of a tenth, so that each run
// starts at another point of the steady clock's tenth.
class AlarmRuns : public QObject
{
public:
    explicit AlarmRuns(int runs)
        : m_runs(runs)
    {
    }

    void start() { newBoard(); }
    const Samples &samples() const { return m_samples; }
    int runsDone() const { return m_done; }
    int boards() const { return m_boards; }
    QSize boardSize() const { return m_size; }

private:
    enum class Phase { Loaded, ShotRunning, GameRunning, Done };

    void later(int leastMs, int spreadMs, void (AlarmRuns::*step)())
    {
        const int wait = leastMs + (spreadMs > 0 ? int(m_random.bounded(spreadMs)) : 0);
        QTimer::singleShot(wait, Qt::PreciseTimer, this, step);
    }
    Game &game() { return m_board->game(); }
    SlotState slot(qint16 number) const
    {
        return m_board->game().snapshot().clocks[size_t(number)];
    }

    void newBoard()
    {
        m_board.reset();
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>(nullptr, Bench::silentPlayers());
        m_board->resize(BoardSize);
        m_board->show();
        m_size = m_board->size();
        ++m_boards;
        connect(&game(), &Game::hornSounded, this, &AlarmRuns::horn);
        connect(&game(), &Game::buzzerSounded, this, &AlarmRuns::buzzer);
        connect(&game(), &Game::figureChanged, this, [this](FigureRowId row, int, int) {
            if (row == FigureRowId::GameClock)
                figure();
        });
        later(200, 0, &AlarmRuns::loadRun);
    }

    // The ticks after the load see both clocks above zero again, which
    // re-arms their alarms.
    void loadRun()
    {
        m_phase = Phase::Loaded;
        game().enterShotTime(ShotRun);
        game().enterGameTime(GameRun);
        later(150, int(TenthMs), &AlarmRuns::startRun);
    }

    void startRun()
    {
        game().startStopShot();
        m_shotZeroMs = trueZeroMs(slot(modCount::ShotSlot));
        m_phase = Phase::ShotRunning;
    }

    void horn()
    {
        const double now = steadyNowMs();
        if (m_phase != Phase::ShotRunning) {
            ++m_samples.strayAlarms;
            return;
        }
        m_samples.horn.push_back(now - double(m_shotZeroMs));
        const SlotState gameSlot = slot(modCount::GameSlot);
        if (!gameSlot.running || !gameSlot.start) {
            note(QStringLiteral("the horn did not start the game clock"));
            return;
        }
        m_samples.handOff.push_back(double(steadyMs(*gameSlot.start) - m_shotZeroMs));
        m_gameRun = gameSlot;
        m_gameZeroMs = trueZeroMs(gameSlot);
        m_lastDueMs = -1;
        m_phase = Phase::GameRunning;
    }

    void buzzer()
    {
        const double now = steadyNowMs();
        if (m_phase != Phase::GameRunning) {
            ++m_samples.strayAlarms;
            return;
        }
        m_samples.buzzer.push_back(now - double(m_gameZeroMs));
        m_phase = Phase::Done;
        later(30, int(TenthMs), &AlarmRuns::finishRun);
    }

    // Several figures change on one tick: the change is counted once, by
    // the tenth at which it fell due. The run is the one the hand-off
    // started: a slot may bank what it held on reaching zero.
    void figure()
    {
        if (m_phase != Phase::GameRunning)
            return;
        const double now = steadyNowMs();
        const qint64 due = changeDueMs(m_gameRun, now);
        if (due == m_lastDueMs)
            return;
        m_lastDueMs = due;
        m_samples.figures.push_back(now - double(due));
    }

    void finishRun()
    {
        if (slot(modCount::GameSlot).running)
            game().startStopClock();
        if (slot(modCount::ShotSlot).running)
            game().startStopShot();
        if (++m_done >= m_runs)
            QCoreApplication::quit();
        else if (m_done % RunsPerBoard == 0)
            later(0, int(TenthMs), &AlarmRuns::newBoard);
        else
            loadRun();
    }

    std::unique_ptr<frmScoreBoard> m_board;
    QRandomGenerator m_random = QRandomGenerator::securelySeeded();
    Samples m_samples;
    Phase m_phase = Phase::Done;
    int m_runs;
    int m_done = 0;
    int m_boards = 0;
    QSize m_size;
    SlotState m_gameRun;
    qint64 m_shotZeroMs = 0;
    qint64 m_gameZeroMs = 0;
    qint64 m_lastDueMs = -1;
};

QString spread(const std::vector<double> &ms, const QString &counted)
{
    return QStringLiteral("p50 %1 ms, p99 %2 ms, max %3 ms over %4 %5")
        .arg(Bench::number(Bench::percentile(ms, 0.5), 1),
             Bench::number(Bench::percentile(ms, 0.99), 1),
             Bench::number(Bench::percentile(ms, 1.0), 1))
        .arg(ms.size())
        .arg(counted);
}

struct Report
{
    const char *what;
    std::vector<double> Samples::*samples;
    const char *counted;
};

const Report Reports[] = {
    {"Buzzer after the game clock's true zero", &Samples::buzzer, "arrivals"},
    {"Horn after the shot clock's true zero", &Samples::horn, "arrivals"},
    {"Shot clock's hand-off: game clock's start after the shot clock's true zero",
     &Samples::handOff, "arrivals"},
    {"Game clock's figures after the tenth they fall due", &Samples::figures, "changes"},
};

void report(const AlarmRuns &runs, bool loaded)
{
    const QString conditions =
        QStringLiteral("%1x%2 board, offscreen, real time, %3; shot clock 0.3 s, its hand-off "
                       "starting a game clock of 1.0 s; a fresh board every %4 runs")
            .arg(BoardSize.width())
            .arg(BoardSize.height())
            .arg(loaded ? QStringLiteral("2 busy processes on the cores")
                        : QStringLiteral("machine idle"))
            .arg(RunsPerBoard);
    const QString alarmTarget = QStringLiteral("p99 <= 5 ms");
    for (const Report &r : Reports) {
        const bool figures = r.samples == &Samples::figures;
        const QString target = !figures ? alarmTarget
            : loaded                    ? QStringLiteral("all <= 50 ms")
                                        : QStringLiteral("all <= 5 ms");
        Bench::row(QString::fromUtf8(r.what), conditions,
                   spread(runs.samples().*r.samples, QString::fromUtf8(r.counted)), target);
    }
    if (runs.boardSize() != BoardSize)
        note(QStringLiteral("the board was %1x%2")
                 .arg(runs.boardSize().width())
                 .arg(runs.boardSize().height()));
    note(QStringLiteral("%1 runs on %2 boards, %3 alarms outside their run")
             .arg(runs.runsDone())
             .arg(runs.boards())
             .arg(runs.samples().strayAlarms));
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::drawOffscreenByDefault();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int arrivals = qMax(1, Bench::intArgument(arguments, QStringLiteral("--arrivals"), 200));
    const bool loaded = arguments.contains(QStringLiteral("--load"));

    Bench::BusyLoad load(loaded ? 2 : 0);
    AlarmRuns runs(arrivals);
    runs.start();
    // A run takes about 1.7 s; one that never ends stops the benchmark
    // with what it measured.
    QTimer::singleShot(arrivals * 4000 + 20'000, &app, [&] {
        note(QStringLiteral("stopped at the deadline"));
        QCoreApplication::quit();
    });
    app.exec();
    report(runs, loaded);
    return 0;
}
