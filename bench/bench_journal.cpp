// SPDX-License-Identifier: GPL-3.0-or-later
// The game journal: bytes written per minute of play, the time to resume a
// long game, and games killed at random moments and resumed, every figure
// compared with the game that was never interrupted. With --stalls, the
// real board played on the system's clocks while the journal records, for
// a run with the disk slowed (bench/run.sh slows every fdatasync).
#include "benchsupport.h"
#include "game/game.h"
#include "input/keydispatch.h"
#include "record/journal.h"
#include "record/savedgame.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDevice>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include <unistd.h>

// Every allocation of the process while counting is on: Qt's containers
// allocate with malloc, the rest with new, which glibc's malloc serves too.
static std::atomic<bool> countingAllocations{false};
static std::atomic<long> allocations{0};

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);

// Counted when asked, then served by glibc's own.
void *malloc(size_t size)
{
    if (countingAllocations)
        ++allocations;
    return __libc_malloc(size);
}
void *calloc(size_t count, size_t size)
{
    if (countingAllocations)
        ++allocations;
    return __libc_calloc(count, size);
}
void *realloc(void *pointer, size_t size)
{
    if (countingAllocations)
        ++allocations;
    return __libc_realloc(pointer, size);
}
}

namespace {

class BootedTime : public Bench::SteppedTime
{
public:
    QByteArray bootId() const override { return "bench-boot"; }
};

BootedTime &benchTime()
{
    static BootedTime time;
    return time;
}

// One thing an operator does in a game, picked at random with the weights
// a real game has: mostly clock starts and stops, goals and penalties.
void operatorAction(Game &game, QRandomGenerator &random)
{
    const auto slot = qint16(random.bounded(1, 7));
    switch (random.bounded(10)) {
    case 0:
    case 1:
        game.startStopClock();
        break;
    case 2:
        game.startStopShot();
        break;
    case 3:
        game.resetShot();
        break;
    case 4:
        game.toggleLamp(random.bounded(2) ? GoalLamp::Home : GoalLamp::Visitor);
        break;
    case 5:
        game.scoreKey(FigureRowId::HomeScore, KeyDispatch::EntryPlus),
            game.scoreKey(FigureRowId::HomeScore, '1');
        break;
    case 6:
        game.enterPenaltyTime(slot, ClockValue::fromSeconds(120));
        break;
    case 7:
        game.clearPenalty(slot);
        break;
    case 8:
        game.clickMark(random.bounded(6), random.bounded(2));
        break;
    default:
        game.startStopPenalty(slot);
        break;
    }
}

void ticks(Game &game, qint64 ms)
{
    for (qint64 done = 0; done < ms; done += 100) {
        benchTime().advanceMs(100);
        game.tick();
    }
}

// Every figure, colon dot, lamp and mark as text.
QString board(const Game &game)
{
    QString text;
    for (int row = 0; row < FigureRowCount; ++row) {
        const FigureRow &figures = game.row(FigureRowId(row));
        for (int i = 0; i < figures.count(); ++i)
            text += QString::number(figures.caption(i)) + QLatin1Char(',');
        text += QLatin1Char('|');
    }
    for (FigureRowId clock : {FigureRowId::GameClock, FigureRowId::ShotClock})
        text +=
            QString::number(game.colon(clock).lit(0)) + QString::number(game.colon(clock).lit(1));
    text += QString::number(int(game.lamp()));
    for (int i = 0; i < PenaltyCount; ++i)
        text += QString::number(int(game.mark(i)));
    return text;
}

struct Recording
{
    QTemporaryDir dir;
    Journal journal{dir.path(), benchTime()};
    Game game{benchTime()};

    Recording()
    {
        journal.claim();
        QObject::connect(&game, &Game::changed, &journal, &Journal::append);
        game.startUp();
    }
    QByteArray bytes() const
    {
        QFile file(journal.currentFile());
        return !file.fileName().isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                            : QByteArray();
    }
};

void bytesPerMinute(int minutes)
{
    Recording recording;
    QRandomGenerator random(1);
    qint64 actions = 0;
    for (qint64 played = 0; played < minutes * 60'000LL;) {
        const qint64 pause = random.bounded(3'000, 30'000);
        ticks(recording.game, pause);
        played += pause;
        operatorAction(recording.game, random);
        ++actions;
    }
    const double bytes = double(recording.bytes().size());
    Bench::row(QStringLiteral("Journal written per minute of play"),
               QStringLiteral("%1 min game, %2 operator actions, ticks every 100 ms")
                   .arg(minutes)
                   .arg(actions),
               QStringLiteral("%1 bytes/min (%2 kB in all)")
                   .arg(Bench::number(bytes / minutes, 0), Bench::number(bytes / 1024, 1)),
               QStringLiteral("kilobytes for a 3-hour game"));
}

void resumeTime(int events, int runs)
{
    Recording recording;
    QRandomGenerator random(2);
    while (recording.bytes().count('\n') <= events) {
        ticks(recording.game, random.bounded(100, 2'000));
        operatorAction(recording.game, random);
    }
    const QString path = recording.journal.currentFile();
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const auto saved = SavedGames::read(file.readAll());
        Game resumed;
        resumed.restore(SavedGames::carriedTo(*saved, recording.journal.stamp()));
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    Bench::row(QStringLiteral("Resume a long game"),
               QStringLiteral("journal of %1 events (%2 kB), read, carried and shown; median of %3")
                   .arg(events)
                   .arg(Bench::number(QFileInfo(path).size() / 1024.0, 0))
                   .arg(runs),
               QStringLiteral("%1 ms").arg(Bench::number(Bench::percentile(samples, 0.5), 1)),
               QStringLiteral("under 100 ms"));
}

// The journal taken as it stood at a random moment, as a kill would leave it,
// and resumed in this process after a random gap, beside the same game
// played on without a break: every figure must agree. bench_resume kills
// the real program.
void killAndResume(int kills)
{
    Recording recording;
    QRandomGenerator random(3);
    int equal = 0;
    QStringList differing;
    for (int kill = 0; kill < kills; ++kill) {
        for (int i = random.bounded(5, 40); i > 0; --i) {
            ticks(recording.game, random.bounded(100, 10'000));
            operatorAction(recording.game, random);
        }
        const QByteArray atKill = recording.bytes();
        ticks(recording.game, random.bounded(1'000, 180'000));
        const QString unbroken = board(recording.game);
        {
            Game resumed(benchTime());
            resumed.restore(
                SavedGames::carriedTo(*SavedGames::read(atKill), recording.journal.stamp()));
            resumed.tick();
            if (board(resumed) == unbroken)
                ++equal;
            else
                differing << QString::number(kill);
        }
    }
    Bench::row(QStringLiteral("Journal cut and resumed, in process"),
               QStringLiteral("%1 random moments, gaps of 1 s to 3 min, fake clock, every "
                              "figure, colon, lamp and mark compared")
                   .arg(kills),
               QStringLiteral("%1 of %2 equal%3")
                   .arg(equal)
                   .arg(kills)
                   .arg(differing.isEmpty()
                            ? QString()
                            : QStringLiteral(" (differ: %1)").arg(differing.join(','))),
               QStringLiteral("all equal"));
}

// A match that keeps the tick busy: a break as long as the shot clock
// allows, a race no point reaches.
MatchFormat benchFormat()
{
    MatchFormat format;
    format.name = QStringLiteral("Bench");
    format.shortName = QStringLiteral("Bench");
    format.gameLength = MatchFormatFile::GameClockMost;
    format.breakLength = MatchFormatFile::ShotClockMost;
    format.raceTo = 99;
    format.timeouts = 2;
    return format;
}

// What a tick with nothing to show costs: no clock running, 1000 ticks;
// with a match, one begun and waiting for its start key.
void quietTicks(bool match)
{
    Recording recording;
    if (match)
        recording.game.beginMatch(benchFormat());
    recording.game.tick();
    allocations = 0;
    countingAllocations = true;
    for (int i = 0; i < 1000; ++i) {
        benchTime().advanceMs(100);
        recording.game.tick();
    }
    countingAllocations = false;
    Bench::row(QStringLiteral("Ticks that change nothing") +
                   (match ? QStringLiteral(", a match waiting") : QString()),
               QStringLiteral("1000 ticks, every clock stopped, no view"),
               QStringLiteral("%1 allocations").arg(allocations.load()), QStringLiteral("none"));
}

// What the tick costs with the game's before-and-after comparison: every
// clock running, nothing but time changing; with a match, its break on
// the shot clock and the game clock running on.
void tickCost(int ticksToRun, bool match)
{
    Recording recording;
    if (match) {
        MatchFormat format = benchFormat();
        format.stopTime = false;
        recording.game.beginMatch(format);
        recording.game.startStopClock();
        recording.game.enterPenaltyTime(1, ClockValue::fromSeconds(599));
        recording.game.startStopPenalty(1);
        recording.game.toggleLamp(GoalLamp::Home);
    } else {
        recording.game.enterPenaltyTime(1, ClockValue::fromSeconds(599));
        recording.game.startStopClock();
        recording.game.startStopShot();
    }
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < ticksToRun; ++i) {
        benchTime().advanceMs(100);
        recording.game.tick();
    }
    Bench::row(
        QStringLiteral("Game tick") +
            (match ? QStringLiteral(", a match in its break") : QString()),
        QStringLiteral("%1 ticks, game, shot and a penalty clock running, no view").arg(ticksToRun),
        QStringLiteral("%1 us per tick")
            .arg(Bench::number(double(timer.nsecsElapsed()) / 1e3 / ticksToRun, 2)));
}

// ---------------------------------------------------------------- stalls

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What one fdatasync of a freshly written file takes here and now: shows
// whether the disk was slowed for the run.
double oneSyncMs(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("probe")));
    if (!file.open(QIODevice::WriteOnly) || file.write("probe\n") < 0 || !file.flush())
        return -1;
    const qint64 start = steadyNs();
    ::fdatasync(file.handle());
    return double(steadyNs() - start) / 1e6;
}

// Stands for the operator's keyboard: from a thread of its own it posts a
// digit to the home score field and, 50 to 150 ms later, Enter; the next
// digit follows 0.3 to 1.7 s after, so a score about once a second at no
// fixed rhythm. Each key is posted at the moment it is typed, whatever the
// board's thread is doing, so a key that comes while that thread is held
// up waits as a real one would.
class Typist
{
public:
    explicit Typist(QWidget *field)
        : m_field(field)
        , m_keyboard(QInputDevice::primaryKeyboard())
        , m_thread([this] { type(); })
    {
    }
    ~Typist()
    {
        m_stop = true;
        m_thread.join();
    }

    // Set before each Enter is posted: the digit it commits, the moment.
    std::atomic<int> expected{-1};
    std::atomic<qint64> enterNs{0};
    std::atomic<int> enters{0};

private:
    void type()
    {
        QRandomGenerator random(20260512);
        for (int i = 0; !m_stop; ++i) {
            const int digit = i % 2 ? 8 : 7;
            post(Qt::Key_0 + digit, QString::number(digit));
            pause(random.bounded(50, 150));
            expected = digit;
            enterNs = steadyNs();
            ++enters;
            post(Qt::Key_Return, QStringLiteral("\r"));
            pause(random.bounded(300, 1700));
        }
    }
    void post(int key, const QString &text)
    {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(
                m_field,
                new QKeyEvent(type, key, Qt::NoModifier, 0, 0, 0, text, false, 1, m_keyboard));
    }
    void pause(int ms)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!m_stop && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    QWidget *const m_field;
    // Had on the board's thread, which may make it: a key event made
    // without one would make it on this thread.
    const QInputDevice *const m_keyboard;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Notes when a home score figure has painted the digit the last Enter
// committed, counted from the moment the Enter was posted.
class ScorePaint : public QObject
{
public:
    ScorePaint(const frmScoreBoard &board, Typist &typist)
        : m_typist(typist)
    {
        for (Segmora *figure : Bench::allFigures(board)) {
            if (figure->controlName() == QLatin1String("pledHome"))
                figure->installEventFilter(this);
        }
    }
    std::vector<double> latencies;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const int digit = m_typist.expected;
        if (event->type() != QEvent::Paint || digit < 0 || m_done == m_typist.enters ||
            static_cast<Segmora *>(watched)->caption() != digit)
            return false;
        watched->event(event);
        latencies.push_back(double(steadyNs() - m_typist.enterNs) / 1e6);
        m_done = m_typist.enters;
        return true;
    }

private:
    Typist &m_typist;
    int m_done = 0;
};

QString spread(const std::vector<double> &values, int decimals)
{
    return QStringLiteral("p50 %1 ms, p99 %2 ms, max %3 ms")
        .arg(Bench::number(Bench::percentile(values, 0.5), decimals),
             Bench::number(Bench::percentile(values, 0.99), decimals),
             Bench::number(Bench::percentile(values, 1.0), decimals));
}

// The board offscreen with the journal recording its game in a temporary
// folder, the game and shot clocks running on the system's clocks, the
// board's own 100 ms tick, and a score typed about once a second.
void stalls(int seconds, const QString &label)
{
    resetSettingsRecord();
    QTemporaryDir dir;
    const double syncMs = oneSyncMs(dir.path());
    frmScoreBoard board(nullptr, Bench::silentPlayers());
    Journal journal(dir.path(), board.game().time());
    journal.claim();
    QObject::connect(&board.game(), &Game::changed, &journal, &Journal::append);
    board.show();
    QApplication::setActiveWindow(&board);
    board.game().startStopShot();
    board.game().startStopClock();
    QWidget *field = board.controlLayer().find(QStringLiteral("HomeBack"));
    field->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();

    std::vector<double> gaps;
    qint64 lastTick = 0;
    Bench::TickWatcher watcher;
    watcher.afterTick = [&] {
        const qint64 now = steadyNs();
        if (lastTick > 0)
            gaps.push_back(double(now - lastTick) / 1e6);
        lastTick = now;
    };
    qApp->installEventFilter(&watcher);
    int enters = 0;
    std::vector<double> latencies;
    {
        Typist typist(field);
        ScorePaint painted(board, typist);
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, qApp, &QCoreApplication::quit);
        qApp->exec();
        enters = typist.enters;
        latencies = painted.latencies;
    }
    qApp->removeEventFilter(&watcher);
    const auto over = [](const std::vector<double> &values, double limit) {
        return std::count_if(values.begin(), values.end(), [&](double v) { return v > limit; });
    };
    const QString conditions =
        QStringLiteral("%1; %2 s, fdatasync measured %3 ms; board offscreen, game and shot "
                       "clocks running, journal in a temporary folder, real time")
            .arg(label)
            .arg(seconds)
            .arg(Bench::number(syncMs, 1));
    Bench::row(QStringLiteral("Tick gaps while the journal syncs"),
               QStringLiteral("%1; %2 gaps").arg(conditions).arg(gaps.size()),
               QStringLiteral("%1; %2 over 110 ms").arg(spread(gaps, 1)).arg(over(gaps, 110)),
               QStringLiteral("p99 <= 110 ms"));
    Bench::row(
        QStringLiteral("Score typed to its figure painted while the journal syncs"),
        QStringLiteral("%1; Enter posted from another thread about once a second, to "
                       "the end of the home score figure's paint; %2 of %3 painted")
            .arg(conditions)
            .arg(latencies.size())
            .arg(enters),
        QStringLiteral("%1; %2 over 16.7 ms").arg(spread(latencies, 2)).arg(over(latencies, 16.7)),
        QStringLiteral("<= 16.7 ms"));
}

} // namespace

int main(int argc, char *argv[])
{
    const bool stalling = std::any_of(
        argv + 1, argv + argc, [](const char *arg) { return !std::strncmp(arg, "--stalls", 8); });
    if (stalling)
        Bench::drawOffscreenByDefault();
    std::unique_ptr<QCoreApplication> app = stalling
        ? std::make_unique<QApplication>(argc, argv)
        : std::make_unique<QCoreApplication>(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption minutes(QStringLiteral("minutes"), QStringLiteral("Game length."),
                                     QStringLiteral("minutes"), QStringLiteral("180"));
    const QCommandLineOption stalls(QStringLiteral("stalls"),
                                    QStringLiteral("Only the board played on real time for so "
                                                   "long while the journal records."),
                                    QStringLiteral("seconds"));
    const QCommandLineOption label(QStringLiteral("label"),
                                   QStringLiteral("Names the build in the rows."),
                                   QStringLiteral("text"), QStringLiteral("this build"));
    const QCommandLineOption ticksOnly(QStringLiteral("ticks"),
                                       QStringLiteral("Only the rows of the tick's cost."));
    parser.addOptions({minutes, stalls, label, ticksOnly});
    parser.process(*app);
    if (parser.isSet(stalls)) {
        ::stalls(parser.value(stalls).toInt(), parser.value(label));
        return 0;
    }
    if (!parser.isSet(ticksOnly)) {
        bytesPerMinute(parser.value(minutes).toInt());
        resumeTime(10'000, 9);
        killAndResume(20);
    }
    for (const bool match : {false, true}) {
        quietTicks(match);
        tickCost(6000, match);
    }
    return 0;
}
