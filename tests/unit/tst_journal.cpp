// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "game/game.h"
#include "input/keydispatch.h"
#include "input/modshowdigits.h"
#include "record/gamelog.h"
#include "record/gamesheet.h"
#include "record/journal.h"
#include "record/savedgame.h"
#include "timing/modcount.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <mutex>
#include <thread>

#include <sys/stat.h>

using namespace modCount;
using Change = std::function<void(Game &)>;
Q_DECLARE_METATYPE(Change)

namespace {

// The fake clock with a name for the computer's run, which a test changes
// to stand for a restart.
struct BootedTime : FakeTimeSource
{
    QByteArray boot = "first-boot";
    QByteArray bootId() const override { return boot; }
};

JournalFormat::Stamp stampOf(const BootedTime &time)
{
    return {time.wall.toMSecsSinceEpoch(), time.boot, steadyMs(time.steady)};
}

// A game whose every event is written, as the journal writes it, to a
// buffer that the test reads back.
struct RecordedGame
{
    explicit RecordedGame(BootedTime &time)
        : time(time)
    {
        modCount::reset(&time);
        modShowDigits::reset();
        game.startUp();
        journal = JournalFormat::headerLine(stampOf(time));
        QObject::connect(&game, &Game::changed, [this](const GameEvent &event) {
            journal += JournalFormat::eventLine(event, stampOf(this->time));
            kinds.insert(int(event.kind));
        });
    }

    BootedTime &time;
    Game game;
    QByteArray journal;
    QSet<int> kinds;
};

SavedGame readBack(const QByteArray &journal)
{
    const std::optional<SavedGame> saved = SavedGames::read(journal);
    return saved ? *saved : SavedGame{};
}

// One random operator action, or a stretch of ticks.
void randomAction(RecordedGame &r, QRandomGenerator &random)
{
    Game &g = r.game;
    const auto slot = qint16(random.bounded(1, 7));
    switch (random.bounded(16)) {
    case 0:
        return g.startStopClock();
    case 1:
        return g.resetClock();
    case 2:
        return g.startStopShot();
    case 3:
        return g.resetShot();
    case 4:
        return g.switchClockTime();
    case 5:
        return g.startStopPenalty(slot);
    case 6:
        return g.clearPenalty(slot);
    case 7:
        return g.enterGameTime(ClockValue::fromTenths(random.bounded(0, 400)));
    case 8:
        return g.enterShotTime(ClockValue::fromTenths(random.bounded(0, 300)));
    case 9:
        return g.enterPenaltyTime(slot, ClockValue::fromSeconds(random.bounded(0, 90)));
    case 10:
        return g.scoreKey(random.bounded(2) ? FigureRowId::HomeScore : FigureRowId::VisitorScore,
                          random.bounded(2) ? qint16(KeyDispatch::EntryPlus)
                                            : qint16('0' + random.bounded(10)));
    case 11:
        return g.toggleLamp(GoalLamp(random.bounded(1, 3)));
    case 12:
        return g.clickMark(random.bounded(6), random.bounded(2));
    case 13:
        return random.bounded(2) ? g.soundBuzzer() : g.soundHorn();
    case 14:
        return g.optionsConfirmed(QStringLiteral("Reds \"1\""), QStringLiteral("Blues\n"));
    }
    for (int i = random.bounded(1, 80); i > 0; --i) {
        r.time.advanceMs(100);
        g.tick();
    }
}

} // namespace

class tst_journal : public QObject
{
    Q_OBJECT

private slots:
    // Replaying the journal gives the game the live run has, after every
    // event of a long random game: every kind of event is written and read.
    // A power cut anywhere in the last line leaves the game of the line
    // before; a file without a whole first line cannot be read.
    void replayGivesTheLiveGame()
    {
        BootedTime time;
        RecordedGame recorded(time);
        QRandomGenerator random(2026), cuts(7);
        for (int step = 0; step < 800; ++step) {
            const QByteArray &journal = recorded.journal;
            const qsizetype lastLine = journal.lastIndexOf('\n', journal.size() - 2) + 1;
            const auto cut =
                SavedGames::read(journal.left(cuts.bounded(int(lastLine), int(journal.size()))));
            QCOMPARE(cut.has_value(), lastLine > 0);
            if (cut && cut->game != readBack(journal.left(lastLine)).game)
                QFAIL(qPrintable(QStringLiteral("a cut reads past step %1").arg(step)));
            randomAction(recorded, random);
            if (readBack(journal).game != recorded.game.snapshot())
                QFAIL(qPrintable(QStringLiteral("replay differs after step %1").arg(step)));
        }
        recorded.game.announceResumed();
        QCOMPARE(readBack(recorded.journal).game, recorded.game.snapshot());
        QCOMPARE(recorded.kinds.size(), int(GameEventKind::Resumed) + 1);
        QCOMPARE(readBack(recorded.journal).homeName, QStringLiteral("Reds \"1\""));
    }

    // The game comes back as it would stand had the program never stopped.
    void resumeCarriesTheClocks_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::addColumn<int>("gapSeconds");
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("penalty");
        QTest::addColumn<bool>("shotRuns");
        // The game runs from 20:00 with a 1:30 penalty, 10 s before the stop.
        QTest::newRow("running, after a restart") << true << 30 << 11600 << 500 << false;
        QTest::newRow("game clock ran out meanwhile") << true << 1300 << 0 << 0 << false;
        // The shot clock runs with 5 s left; the game clock and penalty
        // start when it reaches zero, inside the gap.
        QTest::newRow("shot clock handed off meanwhile") << false << 20 << 11750 << 650 << true;
    }
    void resumeCarriesTheClocks()
    {
        QFETCH(bool, restart);
        QFETCH(int, gapSeconds);
        QFETCH(int, game);
        QFETCH(int, penalty);
        QFETCH(bool, shotRuns);
        BootedTime time;
        RecordedGame before(time);
        before.game.enterPenaltyTime(1, ClockValue::fromSeconds(90));
        before.game.startStopClock();
        time.advanceMs(10'000);
        before.game.tick();
        if (shotRuns) {
            before.game.startStopClock();
            before.game.enterShotTime(ClockValue::fromSeconds(5));
            before.game.startStopShot();
        }
        time.advanceMs(100);
        before.game.tick();
        time.advanceMs(gapSeconds * 1000 - 100);
        if (restart) {
            time.boot = "second-boot";
            time.steady = {7, 250};
        }
        RecordedGame after(time);
        QSignalSpy alarms(&after.game, &Game::buzzerSounded);
        QSignalSpy horns(&after.game, &Game::hornSounded);
        const SavedGame saved = readBack(before.journal);
        after.game.restore(SavedGames::carriedTo(saved, stampOf(time)));
        QCOMPARE(CountValue(GameSlot).raw() / ClockValue::PerTenth, qint64(game));
        QCOMPARE(CountValue(1).raw() / ClockValue::PerTenth, qint64(penalty));
        QCOMPARE(IsCounting(GameSlot), true);
        time.advanceMs(300);
        after.game.tick();
        QCOMPARE(alarms.count() + horns.count(), 0);
    }

    // Undo puts back what one change altered, in the game as it stands now
    // with the clocks run on; redo puts it back again. Each change is made
    // with the game clock and a penalty running.
    void undoAndRedoEachChange_data()
    {
        QTest::addColumn<Change>("change");
        const auto row = [](const char *name, Change change) {
            QTest::newRow(name) << change;
        };
        constexpr auto Home = FigureRowId::HomeScore;
        row("an accidental stop", [](Game &g) { g.startStopClock(); });
        row("R on a running clock", [](Game &g) { g.resetClock(); });
        row("0.0 typed", [](Game &g) { g.enterGameTime(ClockValue()); });
        row("a goal by the lamp", [](Game &g) { g.toggleLamp(GoalLamp::Visitor); });
        row("a score typed", [](Game &g) { g.scoreKey(Home, '7'), g.scoreKey(Home, 13); });
        row("a mark", [](Game &g) { g.clickMark(4, true); });
        row("time of day", [](Game &g) { g.switchClockTime(); });
        row("a penalty cleared", [](Game &g) { g.clearPenalty(1); });
        row("a penalty stopped alone", [](Game &g) { g.startStopPenalty(1); });
        row("the shot clock started", [](Game &g) { g.startStopShot(); });
        row("the shot clock's hand-off", [](Game &g) {
            g.startStopClock();
            g.enterShotTime(ClockValue::fromSeconds(2));
            g.startStopShot();
        });
    }
    void undoAndRedoEachChange()
    {
        QFETCH(Change, change);
        BootedTime time;
        RecordedGame recorded(time);
        Game &game = recorded.game;
        game.enterPenaltyTime(1, ClockValue::fromSeconds(90));
        game.startStopClock();
        time.advanceMs(5000);
        game.tick();
        const GameSnapshot before = game.snapshot();
        const bool handOff = QByteArray(QTest::currentDataTag()).contains("hand-off");
        change(game);
        const GameSnapshot after = game.snapshot();
        time.advanceMs(3000);
        game.tick();
        QSignalSpy alarms(&game, &Game::hornSounded);
        game.undo();
        // The hand-off goes with the shot clock's start that caused it.
        QCOMPARE(IsCounting(GameSlot), !handOff);
        if (handOff)
            game.undo(), game.undo();
        QVERIFY(game.snapshot() == before);
        QCOMPARE(readBack(recorded.journal).game, game.snapshot());
        if (!handOff) {
            game.redo();
            // A clock put back at zero has had its alarm: it sounds no more.
            GameSnapshot redone = game.snapshot();
            redone.gameZeroSeen = after.gameZeroSeen;
            QVERIFY(redone == after);
        }
        QCOMPARE(alarms.count(), 0);
    }

    // Characters typed and not yet entered go first; the change before them
    // stays until the next undo.
    void undoDiscardsTypingFirst()
    {
        BootedTime time;
        RecordedGame recorded(time);
        recorded.game.toggleLamp(GoalLamp::Home);
        recorded.game.scoreKey(FigureRowId::VisitorScore, '5');
        recorded.game.undo();
        QCOMPARE(recorded.game.lamp(), GoalLamp::Home);
        recorded.game.scoreKey(FigureRowId::VisitorScore, 13);
        QCOMPARE(recorded.game.row(FigureRowId::VisitorScore).caption(0), 0);
        recorded.game.undo();
        QCOMPARE(recorded.game.lamp(), GoalLamp::None);
        QCOMPARE(recorded.game.row(FigureRowId::HomeScore).caption(0), 0);
        // A new change ends what could be redone.
        recorded.game.clickMark(0, false);
        recorded.game.redo();
        QCOMPARE(recorded.game.lamp(), GoalLamp::None);
        // A new game starts from the game's length, with nothing to undo.
        recorded.game.enterGameTime(ClockValue::fromSeconds(600));
        recorded.game.startStopClock();
        recorded.game.newGame();
        recorded.game.undo();
        GameSnapshot fresh = GameSnapshot::startUp();
        fresh.gameLength = fresh.clocks[0].base = ClockValue::fromSeconds(600);
        QCOMPARE(recorded.game.snapshot(), fresh);
    }

    // The log read back from the journal names each change with its team,
    // its value and the game clock shown; the CSV quotes as RFC 4180 says,
    // with semicolons where decimals take a comma.
    void logAndCsv()
    {
        BootedTime time;
        RecordedGame recorded(time);
        recorded.game.startStopClock();
        time.advanceMs(12'300);
        recorded.game.tick();
        recorded.game.toggleLamp(GoalLamp::Visitor);
        recorded.game.enterPenaltyTime(5, ClockValue::fromSeconds(90));
        recorded.game.optionsConfirmed(QStringLiteral("Reds, \"A\""), QStringLiteral("Blues"));
        QList<LogRow> rows;
        for (const JournalEntry &entry : readBack(recorded.journal).events)
            rows << GameLog::row(entry.event, entry.stamp, "Home", "Visitor");
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].gameClock + rows[1].event + rows[1].team + rows[1].value,
                 QStringLiteral("19:47Goal lampVisitor1"));
        QCOMPARE(rows[2].team + rows[2].value, QStringLiteral("Home1:30"));
        const QByteArray english = GameLog::csv(rows, QLocale(QLocale::English));
        QVERIFY(english.startsWith("\xEF\xBB\xBF"
                                   "Date and time,Game clock,Event,Team,Value\r\n"));
        QVERIFY(english.endsWith(",19:47,Options,,\"Reds, \"\"A\"\" - Blues\"\r\n"));
        const QByteArray german = GameLog::csv(rows, QLocale(QLocale::German));
        QVERIFY(german.endsWith(";19:47;Options;;\"Reds, \"\"A\"\" - Blues\"\r\n"));
        QVERIFY(german.contains(";19:47;Goal lamp;Visitor;1\r\n"));
        // The sheet: the goal and the penalty with their game clock, names escaped.
        const QString sheet = GameSheet::html(readBack(recorded.journal), "Reds <b>", "Blues");
        QVERIFY(sheet.contains("<h1>Reds &lt;b&gt; - Blues</h1><h2>0 - 1</h2>"));
        QVERIFY(sheet.contains("<tr><td>19:47</td><td>Blues</td><td>0 - 1</td></tr></table>"));
        QVERIFY(sheet.contains("<tr><td>19:47</td><td>Reds &lt;b&gt;</td><td>1:30</td></tr>"));
    }

    // After a resume, undo and redo reach back into the game as it was.
    void undoReachesBeforeAResume()
    {
        BootedTime time;
        RecordedGame before(time);
        before.game.toggleLamp(GoalLamp::Home);
        before.game.clickMark(2, true);
        before.game.undo();
        const SavedGame saved = readBack(before.journal);
        RecordedGame after(time);
        after.game.restore(saved.game);
        QList<GameEvent> events;
        for (const JournalEntry &entry : saved.events)
            events << entry.event;
        after.game.resumeHistory(events);
        after.game.redo();
        QCOMPARE(after.game.mark(2), MarkState::Green);
        after.game.undo();
        after.game.undo();
        QCOMPARE(after.game.lamp(), GoalLamp::None);
    }

    void offers_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<int>("offer");
        const auto row = [](const char *name, const char *ending, ResumeOffer offer) {
            QTest::newRow(name) << QByteArray(ending) << int(offer);
        };
        row("not closed", "", ResumeOffer::ResumeByDefault);
        row("closed running", "closed", ResumeOffer::NewGameByDefault);
        row("closed at the game's length", "closed reset", ResumeOffer::None);
        row("closed stopped midway", "closed stopped", ResumeOffer::NewGameByDefault);
        row("closed at zero", "closed zero", ResumeOffer::None);
        row("set aside", "set-aside", ResumeOffer::None);
    }
    void offers()
    {
        QFETCH(QByteArray, ending);
        QFETCH(int, offer);
        BootedTime time;
        RecordedGame recorded(time);
        recorded.game.startStopClock();
        time.advanceMs(5000);
        recorded.game.tick();
        if (ending.contains("stopped") || ending.contains("reset"))
            recorded.game.startStopClock();
        if (ending.contains("reset"))
            recorded.game.resetClock();
        if (ending.contains("zero"))
            recorded.game.enterGameTime(ClockValue());
        const QString own =
            ending.startsWith("closed") ? JournalFormat::ClosedName : JournalFormat::SetAsideName;
        if (!ending.isEmpty())
            recorded.journal +=
                JournalFormat::stateLine(own, recorded.game.snapshot(), stampOf(time));
        QCOMPARE(int(SavedGames::offerFor(readBack(recorded.journal))), offer);
    }

    void damagedJournalsAreNotRead_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        const auto row = [](const char *name, const char *from, const char *to) {
            QTest::newRow(name) << QByteArray(from) << QByteArray(to);
        };
        row("a line damaged midway", "\"clock-stop\"", "\"clock-st");
        row("a newer version", "\"version\":1", "\"version\":2");
        row("another program's lines", "vantrell-game", "other");
        row("an unknown event", "clock-stop", "clock-melt");
        row("a score out of range", "\"home\":[1,-1]", "\"home\":[10,-1]");
        row("a value of the wrong type", "\"lamp\":1", "\"lamp\":true");
    }
    void damagedJournalsAreNotRead()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        BootedTime time;
        RecordedGame recorded(time);
        recorded.game.startStopClock();
        recorded.game.toggleLamp(GoalLamp::Home);
        recorded.game.startStopClock();
        recorded.game.toggleLamp(GoalLamp::Visitor);
        QVERIFY(SavedGames::read(recorded.journal));
        QVERIFY(recorded.journal.contains(from));
        QVERIFY(!SavedGames::read(recorded.journal.replace(from, to)));
    }

    // One program records in a folder at a time; a journal that cannot be
    // written stops the record, once, and never the game.
    void theFolderIsHeldAndFailuresAreToldOnce()
    {
        QTemporaryDir dir;
        BootedTime time;
        modCount::reset(&time);
        auto first = std::make_unique<Journal>(dir.path(), time);
        QVERIFY(first->claim());
        QVERIFY(first->recording());
        Journal second(dir.path(), time);
        QVERIFY(!second.claim());
        QVERIFY(!second.recording());
        first.reset();
        Journal third(dir.path(), time);
        QVERIFY(third.claim());

        QSignalSpy failed(&third, &Journal::failed);
        QVERIFY(third.continueFile(QStringLiteral("/dev/full")));
        Game game;
        QObject::connect(&game, &Game::changed, &third, &Journal::append);
        game.startStopClock();
        game.startStopClock();
        QCOMPARE(failed.count(), 1);
        QVERIFY(!third.recording());
    }

    // A slow disk holds up no change: the sync runs on a thread of its own,
    // at most once a second, and closing or destroying the journal waits
    // until the disk holds every line. A disk that refuses a sync stops the
    // record, told once on the journal's own thread.
    void theDiskIsSyncedAside_data()
    {
        QTest::addColumn<bool>("diskFails");
        QTest::newRow("a slow disk") << false;
        QTest::newRow("a failing disk") << true;
    }
    void theDiskIsSyncedAside()
    {
        QFETCH(bool, diskFails);
        QTemporaryDir dir;
        BootedTime time;
        modCount::reset(&time);
        std::mutex mutex;
        QList<QPair<quint64, qint64>> synced; // inode and size at each sync
        bool onCaller = false;
        QSemaphore entered, gate;
        const auto caller = std::this_thread::get_id();
        auto journal = std::make_unique<Journal>(dir.path(), time, [&](int fd) {
            struct stat st = {};
            ::fstat(fd, &st);
            std::unique_lock lock(mutex);
            synced.append({quint64(st.st_ino), qint64(st.st_size)});
            onCaller = onCaller || std::this_thread::get_id() == caller;
            if (synced.size() == 1) {
                lock.unlock();
                entered.release();
                gate.tryAcquire(1, 5000);
            }
            return !diskFails;
        });
        const auto syncs = [&] {
            std::lock_guard lock(mutex);
            return synced;
        };
        const auto onDisk = [](const QString &path) {
            struct stat st = {};
            ::stat(qPrintable(path), &st);
            return QPair<quint64, qint64>(st.st_ino, st.st_size);
        };
        QVERIFY(journal->claim());
        QSignalSpy failed(journal.get(), &Journal::failed);
        QThread *toldOn = nullptr;
        connect(journal.get(), &Journal::failed, [&] { toldOn = QThread::currentThread(); });
        Game game;
        QObject::connect(&game, &Game::changed, journal.get(), &Journal::append);
        game.startStopClock();
        QVERIFY(entered.tryAcquire(1, 5000));
        for (int i = 0; i < 5; ++i)
            game.toggleLamp(GoalLamp::Home);
        gate.release();
        if (diskFails) {
            QVERIFY(failed.wait());
            QCOMPARE(toldOn, QThread::currentThread());
            journal->close(game.snapshot());
            journal.reset();
            QCOMPARE(failed.count(), 1);
            return;
        }
        const QString first = journal->currentFile();
        journal->close(game.snapshot());
        QCOMPARE(syncs(), (QList{syncs().first(), onDisk(first)}));
        // The next game's first change waits out the second since the last sync.
        QElapsedTimer sinceClose;
        sinceClose.start();
        game.toggleLamp(GoalLamp::Visitor);
        QTRY_COMPARE(syncs().size(), 3);
        QVERIFY(sinceClose.elapsed() >= 900);
        game.toggleLamp(GoalLamp::Visitor);
        const QString next = journal->currentFile();
        journal.reset();
        QCOMPARE(syncs().last(), onDisk(next));
        QCOMPARE(failed.count(), 0);
        QVERIFY(!onCaller);
    }
};

QTEST_GUILESS_MAIN(tst_journal)
#include "tst_journal.moc"
