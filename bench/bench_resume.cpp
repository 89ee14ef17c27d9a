// SPDX-License-Identifier: GPL-3.0-or-later
// The real program killed (SIGKILL) at random moments and started again:
// the time from its start to the resumed board painted, the question and
// the undo history included, for journals of 1,000, 10,000 and 100,000
// events, and whether each resumed board shows the game as it stood, its
// running game clock carried through the gap. One kill of each size comes
// with a simulated restart of the computer.
#include "benchsupport.h"
#include "game/game.h"
#include "input/keydispatch.h"
#include "processbench.h"
#include "record/journalformat.h"
#include "record/savedgame.h"
#include "timing/modcount.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <vector>

using namespace ProcessBench;

namespace {

// This run of the computer's clocks, moved back by `spanMs`: a journal
// written on it ends now.
class PastTime : public TimeSource
{
public:
    explicit PastTime(qint64 spanMs)
        : m_steady(steadyMs(m_real.steadyNow()) - spanMs)
        , m_wall(m_real.wallNow().addMSecs(-spanMs))
    {
    }
    SteadyInstant steadyNow() const override { return steadyFromMs(m_steady); }
    QDateTime wallNow() const override { return m_wall; }
    QString timeText(const QTime &time) const override { return m_real.timeText(time); }
    bool usesTwelveHourClock() const override { return false; }
    QByteArray bootId() const override { return m_real.bootId(); }
    void advanceMs(qint64 ms) { m_steady += ms, m_wall = m_wall.addMSecs(ms); }

private:
    SystemTimeSource m_real;
    qint64 m_steady;
    QDateTime m_wall;
};

// A stopped game of `events` changes of every kind, the game clock loaded
// with 20:00 last, written as the program writes its journal.
QString writeJournal(const QString &folder, int events, QString *homeScore)
{
    // Two seconds an event, or less on a computer started not long ago: the
    // journal's steady instants must lie within this run.
    const qint64 upMs = steadyMs(SystemTimeSource().steadyNow());
    const qint64 StepMs = qBound(qint64(1), upMs * 9 / 10 / (events + 20), qint64(2000));
    PastTime time(StepMs * (events + 20));
    Game game(time);
    game.startUp();
    const QDateTime start = time.wallNow();
    QByteArray journal = JournalFormat::headerLine(JournalFormat::stampOf(time), "Home", "Visitor");
    int written = 0;
    QObject::connect(&game, &Game::changed, [&](const GameEvent &event) {
        journal += JournalFormat::eventLine(event, JournalFormat::stampOf(time));
        ++written;
    });
    QRandomGenerator random{quint32(events)};
    while (written < events) {
        time.advanceMs(StepMs);
        const auto slot = qint16(random.bounded(1, 7));
        switch (random.bounded(8)) {
        case 0:
            game.startStopClock();
            break;
        case 1:
            game.toggleLamp(random.bounded(2) ? GoalLamp::Home : GoalLamp::Visitor);
            break;
        case 2:
            game.enterPenaltyTime(slot, ClockValue::fromSeconds(random.bounded(30, 300)));
            break;
        case 3:
            game.clearPenalty(slot);
            break;
        case 4:
            game.clickMark(random.bounded(6), random.bounded(2));
            break;
        case 5:
            game.startStopShot();
            break;
        case 6:
            game.scoreKey(FigureRowId::VisitorScore, KeyDispatch::EntryPlus);
            game.scoreKey(FigureRowId::VisitorScore, '1');
            break;
        default:
            game.startStopPenalty(slot);
            break;
        }
    }
    if (game.isCounting(modCount::GameSlot))
        game.startStopClock();
    if (game.isCounting(modCount::ShotSlot))
        game.startStopShot();
    for (qint16 slot = 1; slot <= PenaltyCount; ++slot) {
        if (game.isCounting(slot))
            game.startStopPenalty(slot);
    }
    game.resetShot();
    game.enterGameTime(ClockValue::fromSeconds(20 * 60));
    game.scoreKey(FigureRowId::HomeScore, '7');
    game.scoreKey(FigureRowId::HomeScore, KeyDispatch::EntryCommit);
    *homeScore = QStringLiteral("7");
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(
        start.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".jsonl"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(journal) != journal.size())
        note(QStringLiteral("cannot write %1").arg(path));
    file.close();
    const std::optional<SavedGame> saved = SavedGames::readFile(path);
    if (!saved || SavedGames::offerFor(*saved) != ResumeOffer::ResumeByDefault)
        note(QStringLiteral("the journal written is not offered: %1").arg(path));
    return path;
}

// A restart of the computer, as the journal sees it: its lines name a run
// that is not this one, so their steady instants mean nothing here.
void simulateRestart(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray text = file.readAll();
    file.close();
    text.replace(SystemTimeSource().bootId(), "00000000-0000-0000-0000-restarted000");
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

// Seconds a clock figure shows: "19:43" or "42.7"; -1 when unread.
double shownSeconds(const QString &text)
{
    const QString t = text.trimmed();
    if (t.contains(u':'))
        return t.section(u':', 0, 0).toInt() * 60.0 + t.section(u':', 1).toInt();
    bool ok = false;
    const double seconds = t.toDouble(&ok);
    return ok ? seconds : -1;
}

// The game clock as the bench knows it, on its own steady clock.
struct GameClock
{
    double loaded = 20 * 60;
    QElapsedTimer runSince;

    double now() const
    {
        return runSince.isValid() ? loaded - double(runSince.elapsed()) / 1000 : loaded;
    }
    void toggle()
    {
        if (runSince.isValid())
            loaded = now(), runSince.invalidate();
        else
            runSince.start();
    }
};

struct Resumed
{
    double startToQuestionMs = -1;
    double startToBoardMs = -1;
    bool right = false;
    QString seen;
};

// Starts the program, answers its question with Resume and waits for the
// board to show the home score it should.
Resumed resume(Harness &harness, const QString &homeScore, const GameClock &clock, WindowId *board)
{
    Resumed result;
    QElapsedTimer started;
    started.start();
    const WindowId splash =
        harness.startApp() ? harness.waitForWindow(Harness::splashTitle(), 20000) : 0;
    if (!splash || !harness.click(splash, QPoint(40, 30)))
        return result;
    WindowId question = 0;
    *board = 0;
    E2e::waitUntil(
        [&] {
            for (WindowId window : harness.visibleWindows(QStringLiteral("^Vantrell$"))) {
                if (harness.windowGeometry(window).width() > 500)
                    *board = window;
                else
                    question = window;
            }
            return *board && question;
        },
        60000, 20);
    result.startToQuestionMs = double(started.nsecsElapsed()) / 1e6;
    if (!question || !harness.key(question, QStringLiteral("Return")))
        return result;
    QString shown;
    const bool painted = harness.waitForText(*board, FigureSet::HomeScore,
                                             homeScore.rightJustified(2), 60000, &shown);
    result.startToBoardMs = double(started.nsecsElapsed()) / 1e6;
    const QString game = harness.readText(*board, FigureSet::GameClock);
    const double expected = clock.now();
    result.right = painted && qAbs(shownSeconds(game) - expected) <= 1.2;
    result.seen = QStringLiteral("home %1, game clock %2 (expected %3 s)")
                      .arg(shown, game, QString::number(expected, 'f', 1));
    return result;
}

void killAndResume(const QString &binary, int events, int kills, QRandomGenerator &random)
{
    Harness harness(binary);
    if (!harness.startDisplay(QSize(1600, 1000))) {
        note(harness.lastError());
        return;
    }
    const QString folder = harness.homePath() + QStringLiteral("/.local/state/Vantrell/games");
    QString homeScore;
    const QString path = writeJournal(folder, events, &homeScore);
    const qint64 bytes = QFileInfo(path).size();
    GameClock clock;
    std::vector<double> toBoard, toQuestion;
    int right = 0;
    QStringList wrong;
    for (int kill = 0; kill < kills; ++kill) {
        WindowId board = 0;
        const Resumed resumed = resume(harness, homeScore, clock, &board);
        toQuestion.push_back(resumed.startToQuestionMs);
        toBoard.push_back(resumed.startToBoardMs);
        right += resumed.right;
        if (!resumed.right)
            wrong << QStringLiteral("kill %1: %2").arg(kill).arg(resumed.seen);
        // A goal typed and the game clock started or stopped, then the kill
        // at a random moment; the last kill of the run after a restart.
        harness.key(board, QStringLiteral("Tab KP_Add 1 shift+Tab s"));
        homeScore = QString::number(homeScore.toInt() + 1);
        clock.toggle();
        QThread::msleep(quint64(random.bounded(300, 3000)));
        harness.killApp();
        if (kill == kills - 2)
            simulateRestart(path);
    }
    const auto ms = [](std::vector<double> v, double share) {
        return Bench::number(Bench::percentile(std::move(v), share), 0);
    };
    Bench::row(QStringLiteral("Kill and resume, the real program"),
               QStringLiteral("%1 events (%2 kB), %3 kills (SIGKILL) at random moments, the "
                              "last after a simulated restart; Xvfb 1600x1000, no window manager")
                   .arg(events)
                   .arg(bytes / 1024)
                   .arg(kills),
               QStringLiteral("start to resumed board painted: median %1 ms, max %2 ms (start to "
                              "the question: median %3 ms); %4 of %5 resumed boards right%6")
                   .arg(ms(toBoard, 0.5), ms(toBoard, 1.0), ms(toQuestion, 0.5))
                   .arg(right)
                   .arg(kills)
                   .arg(wrong.isEmpty() ? QString() : QStringLiteral(": ") + wrong.join("; ")),
               QStringLiteral("all right"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    QCommandLineOption kills(QStringLiteral("kills"), QStringLiteral("Kills per size."),
                             QStringLiteral("n"), QStringLiteral("7"));
    parser.addOption(kills);
    QCommandLineOption sizes(QStringLiteral("events"), QStringLiteral("Journal sizes."),
                             QStringLiteral("n,n,..."), QStringLiteral("1000,10000,100000"));
    parser.addOption(sizes);
    parser.process(app);
    QRandomGenerator random(2026);
    for (const QString &events : parser.value(sizes).split(u','))
        killAndResume(QStringLiteral(VANTRELL_BINARY), events.toInt(), parser.value(kills).toInt(),
                      random);
    return 0;
}
