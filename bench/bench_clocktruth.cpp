// SPDX-License-Identifier: GPL-3.0-or-later
// Clock truth: at every tick of the board's own 100 ms timer, the figures of
// all eight clocks against what each clock would show for the remaining time
// worked out from the steady clock's tenths since its start, as a count slot
// counts them. The real board and the
// system's clocks on the offscreen platform; optionally with two busy
// processes loading the machine.

#include "benchsupport.h"
#include "busyload.h"

#include "board/frmscoreboard.h"
#include "settings/settingsrecord.h"
#include "timing/clockdisplay.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr qint64 SearchLimitMs = 2000;
constexpr qint64 OneTickMs = 100;

// The steady clock the count slots run on.
qint64 steadyNs()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::vector<int> captionsOf(const DigitSet &digits)
{
    std::vector<int> captions;
    for (int i = 0; i < digits.count(); ++i)
        captions.push_back(digits.caption(i));
    return captions;
}

QString joined(const std::vector<int> &captions)
{
    QStringList parts;
    for (const int caption : captions)
        parts << QString::number(caption);
    return parts.join(QLatin1Char(','));
}

struct WatchedClock
{
    QString name;
    DigitSet *digits = nullptr;
    std::function<std::vector<int>(ClockValue)> expected;
    qint64 lengthMs = 0;
    qint64 startNs = 0;
    // Signed distance in ms from the true time to the nearest time whose
    // figures are the ones shown: positive when the board is behind.
    qint64 mostBehind = 0;
    qint64 mostAhead = 0;
    qint64 beyondOneTick = 0;
    qint64 unmatched = 0;
    QString firstUnmatched = {};

    // The clocks count whole tenths, so the true value is the length less
    // the whole tenths gone; the figures follow from it by the board's rules.
    void check(qint64 nowNs)
    {
        const double elapsedMs = double(nowNs - startNs) / 1e6;
        const std::vector<int> shown = captionsOf(*digits);
        for (qint64 d = 0; d <= SearchLimitMs; ++d) {
            for (const qint64 offset : {d, -d}) {
                if (expected(valueAfter(elapsedMs + double(offset))) == shown) {
                    note(-offset);
                    return;
                }
            }
        }
        if (unmatched++ == 0)
            firstUnmatched = QStringLiteral("%1 ms gone shown as %2, would show %3")
                                 .arg(elapsedMs, 0, 'f', 1)
                                 .arg(joined(shown), joined(expected(valueAfter(elapsedMs))));
    }

private:
    ClockValue valueAfter(double elapsedMs) const
    {
        const qint64 tenths = qint64(std::floor(qMax(0.0, elapsedMs) / 100));
        return qMax(ClockValue(),
                    ClockValue::fromRaw(lengthMs * 10) - ClockValue::fromTenths(tenths));
    }
    void note(qint64 offset)
    {
        mostBehind = qMax(mostBehind, offset);
        mostAhead = qMax(mostAhead, -offset);
        if (qAbs(offset) > OneTickMs)
            ++beyondOneTick;
    }
};

std::vector<int> clockCaptions(ClockValue value, bool wholeSeconds)
{
    const ClockFigures figures = clockFigures(value, wholeSeconds);
    return {figures.captions.begin(), figures.captions.end()};
}

QString describe(const WatchedClock &clock)
{
    QString text = QStringLiteral("%1 behind %2 / ahead %3 ms")
                       .arg(clock.name)
                       .arg(clock.mostBehind)
                       .arg(clock.mostAhead);
    if (clock.beyondOneTick > 0)
        text += QStringLiteral(" (%1 ticks beyond 100 ms)").arg(clock.beyondOneTick);
    if (clock.unmatched > 0)
        text += QStringLiteral(" (%1 ticks off by over %2 ms, first at %3)")
                    .arg(clock.unmatched)
                    .arg(SearchLimitMs)
                    .arg(clock.firstUnmatched);
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::drawOffscreenByDefault();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int seconds = Bench::intArgument(arguments, QStringLiteral("--seconds"), 120);
    const bool loaded = arguments.contains(QStringLiteral("--load"));

    resetSettingsRecord();
    frmScoreBoard board(nullptr, Bench::silentPlayers());
    board.show();
    QCoreApplication::processEvents();

    // The game clock runs out with the run, so its last minute is in tenths.
    const qint64 penaltyMs = qMin<qint64>(599, seconds) * 1000;
    board.engine().enterGameTime(ClockValue::fromSeconds(seconds));
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        board.engine().enterPenaltyTime(slot, ClockValue::fromSeconds(penaltyMs / 1000));
    int buzzers = 0;
    int horns = 0;
    QObject::connect(&board, &frmScoreBoard::buzzerRequested, [&] { ++buzzers; });
    QObject::connect(&board, &frmScoreBoard::hornRequested, [&] { ++horns; });

    std::vector<WatchedClock> clocks;
    const auto penalty = [](ClockValue v) {
        const std::array<int, 3> f = penaltyFigures(v);
        return std::vector<int>(f.begin(), f.end());
    };
    clocks.push_back({QStringLiteral("game"), &board.game().row(FigureRowId::GameClock),
                      [](ClockValue v) { return clockCaptions(v, false); }, seconds * 1000LL});
    clocks.push_back({QStringLiteral("shot"), &board.game().row(FigureRowId::ShotClock),
                      [](ClockValue v) { return clockCaptions(v, true); }, 120'000});
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        clocks.push_back({QStringLiteral("penalty %1").arg(slot), &board.game().penaltyRow(slot),
                          penalty, penaltyMs});

    Bench::BusyLoad load(loaded ? 2 : 0);
    // The shot clock first: starting it pauses the penalty clocks.
    const qint64 shotBefore = steadyNs();
    board.engine().startStopShot();
    const qint64 shotAfter = steadyNs();
    board.engine().startStopClock();
    const qint64 gameAfter = steadyNs();
    // A slot counts the steady clock's tenths that begin after its start:
    // its truth runs from the start of the tenth it started in.
    const GameSnapshot started = board.game().snapshot();
    const std::array<qint16, 8> slotOf = {modCount::GameSlot, modCount::ShotSlot, 1, 2, 3, 4, 5, 6};
    for (size_t i = 0; i < clocks.size(); ++i) {
        const std::optional<SteadyInstant> &at = started.clocks[size_t(slotOf[i])].start;
        const qint64 startMs = at ? steadyMs(*at) : (shotAfter + gameAfter) / 2'000'000;
        clocks[i].startNs = (startMs - startMs % 100) * 1'000'000;
    }
    Q_UNUSED(shotBefore);

    std::vector<double> gaps;
    qint64 lastTick = 0;
    Bench::TickWatcher watcher;
    // What was on the board just before each tick: the oldest the figures
    // ever are, so a late tick shows here.
    std::vector<WatchedClock> stale = clocks;
    watcher.beforeTick = [&] {
        const qint64 now = steadyNs();
        for (WatchedClock &clock : stale)
            clock.check(now);
    };
    watcher.afterTick = [&] {
        const qint64 now = steadyNs();
        for (WatchedClock &clock : clocks)
            clock.check(now);
        if (lastTick > 0)
            gaps.push_back(double(now - lastTick) / 1e6);
        lastTick = now;
    };
    app.installEventFilter(&watcher);
    QTimer::singleShot(seconds * 1000 + 500, Qt::PreciseTimer, &app, &QCoreApplication::quit);
    app.exec();
    app.removeEventFilter(&watcher);

    QStringList parts;
    qint64 worst = 0;
    for (const WatchedClock &clock : clocks) {
        parts << describe(clock);
        worst = qMax(worst, qMax(clock.mostBehind, clock.mostAhead));
    }
    const QString conditions = QStringLiteral("%1 s, %2, %3 ticks, offscreen, real time")
                                   .arg(seconds)
                                   .arg(loaded ? QStringLiteral("2 busy processes on the cores")
                                               : QStringLiteral("machine idle"))
                                   .arg(gaps.size() + 1);
    qint64 staleWorst = 0;
    for (const WatchedClock &clock : stale)
        staleWorst = qMax(staleWorst, qMax(clock.mostBehind, clock.mostAhead));
    Bench::row(QStringLiteral("Clock truth"), conditions,
               QStringLiteral("worst %1 ms apart at the tick (%8 ms just before the next one); %2; "
                              "tick gap median %3 ms, p99 %4 ms, max %5 ms; "
                              "buzzer %6x, horn %7x")
                   .arg(worst)
                   .arg(parts.join(QStringLiteral("; ")))
                   .arg(Bench::number(Bench::percentile(gaps, 0.5), 1),
                        Bench::number(Bench::percentile(gaps, 0.99), 1),
                        Bench::number(Bench::percentile(gaps, 1.0), 1))
                   .arg(buzzers)
                   .arg(horns)
                   .arg(staleWorst),
               QStringLiteral("<= 100 ms"));
    return 0;
}
