// SPDX-License-Identifier: GPL-3.0-or-later
// The game journal: bytes written per minute of play, the time to resume a
// long game, and games killed at random moments and resumed, every figure
// compared with the game that was never interrupted.
#include "benchsupport.h"
#include "game/game.h"
#include "input/keydispatch.h"
#include "record/journal.h"
#include "record/savedgame.h"
#include "timing/modcount.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

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
    Game game;

    Recording()
    {
        modCount::reset(&benchTime());
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

// The game killed at a random moment and resumed after a random gap, beside
// the same game played on without a break: every figure must agree.
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
        const modCount::State live = modCount::state();
        {
            Game resumed;
            resumed.restore(
                SavedGames::carriedTo(*SavedGames::read(atKill), recording.journal.stamp()));
            resumed.tick();
            if (board(resumed) == unbroken)
                ++equal;
            else
                differing << QString::number(kill);
        }
        modCount::state() = live;
    }
    Bench::row(QStringLiteral("Kill and resume"),
               QStringLiteral("%1 random moments, gaps of 1 s to 3 min, every figure, colon, "
                              "lamp and mark compared")
                   .arg(kills),
               QStringLiteral("%1 of %2 equal%3")
                   .arg(equal)
                   .arg(kills)
                   .arg(differing.isEmpty()
                            ? QString()
                            : QStringLiteral(" (differ: %1)").arg(differing.join(','))),
               QStringLiteral("all equal"));
}

// What the tick costs with the game's before-and-after comparison: every
// clock running, nothing but time changing.
void tickCost(int ticksToRun)
{
    Recording recording;
    recording.game.enterPenaltyTime(1, ClockValue::fromSeconds(599));
    recording.game.startStopClock();
    recording.game.startStopShot();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < ticksToRun; ++i) {
        benchTime().advanceMs(100);
        recording.game.tick();
    }
    Bench::row(
        QStringLiteral("Game tick"),
        QStringLiteral("%1 ticks, game, shot and a penalty clock running, no view").arg(ticksToRun),
        QStringLiteral("%1 us per tick")
            .arg(Bench::number(double(timer.nsecsElapsed()) / 1e3 / ticksToRun, 2)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption minutes(QStringLiteral("minutes"), QStringLiteral("Game length."),
                                     QStringLiteral("minutes"), QStringLiteral("180"));
    parser.addOption(minutes);
    parser.process(app);
    bytesPerMinute(parser.value(minutes).toInt());
    resumeTime(10'000, 9);
    killAndResume(20);
    tickCost(6000);
    return 0;
}
