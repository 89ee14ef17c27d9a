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

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace modCount;

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
        g.startStopClock();
        break;
    case 1:
        g.resetClock();
        break;
    case 2:
        g.startStopShot();
        break;
    case 3:
        g.resetShot();
        break;
    case 4:
        g.switchClockTime();
        break;
    case 5:
        g.startStopPenalty(slot);
        break;
    case 6:
        g.clearPenalty(slot);
        break;
    case 7:
        g.enterGameTime(ClockValue::fromTenths(random.bounded(0, 400)));
        break;
    case 8:
        g.enterShotTime(ClockValue::fromTenths(random.bounded(0, 300)));
        break;
    case 9:
        g.enterPenaltyTime(slot, ClockValue::fromSeconds(random.bounded(0, 90)));
        break;
    case 10:
        g.scoreKey(random.bounded(2) ? FigureRowId::HomeScore : FigureRowId::VisitorScore,
                   random.bounded(2) ? qint16(KeyDispatch::EntryPlus)
                                     : qint16('0' + random.bounded(10)));
        break;
    case 11:
        g.toggleLamp(GoalLamp(random.bounded(1, 3)));
        break;
    case 12:
        g.clickMark(random.bounded(6), random.bounded(2));
        break;
    case 13:
        random.bounded(2) ? g.soundBuzzer() : g.soundHorn();
        break;
    case 14:
        g.optionsConfirmed(QStringLiteral("Reds \"1\""), QStringLiteral("Blues\n"));
        break;
    default:
        for (int i = random.bounded(1, 80); i > 0; --i) {
            r.time.advanceMs(100);
            g.tick();
        }
    }
}

} // namespace

class tst_journal : public QObject
{
    Q_OBJECT

private slots:
    // Replaying the journal gives the game the live run has, after every
    // event of a long random game: every kind of event is written and read.
    void replayGivesTheLiveGame()
    {
        BootedTime time;
        RecordedGame recorded(time);
        QRandomGenerator random(2026);
        for (int step = 0; step < 800; ++step) {
            randomAction(recorded, random);
            const SavedGame saved = readBack(recorded.journal);
            if (saved.game != recorded.game.snapshot())
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
        QTest::addColumn<int>("shotTenths");
        QTest::addColumn<int>("gapSeconds");
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("penalty");
        QTest::addColumn<bool>("shotRuns");
        // The game runs from 20:00 with a 1:30 penalty, 10 s before the stop.
        QTest::newRow("running, same run") << false << 0 << 30 << 11600 << 500 << false;
        QTest::newRow("running, after a restart") << true << 0 << 30 << 11600 << 500 << false;
        QTest::newRow("game clock ran out meanwhile") << true << 0 << 1300 << 0 << 0 << false;
        // The shot clock runs with 5 s left; the game clock and penalty
        // start when it reaches zero, inside the gap.
        QTest::newRow("shot clock handed off meanwhile")
            << false << 50 << 20 << 11750 << 650 << true;
        QTest::newRow("handed off, after a restart") << true << 50 << 20 << 11750 << 650 << true;
    }
    void resumeCarriesTheClocks()
    {
        QFETCH(bool, restart);
        QFETCH(int, shotTenths);
        QFETCH(int, gapSeconds);
        QFETCH(int, game);
        QFETCH(int, penalty);
        QFETCH(bool, shotRuns);
        BootedTime time;
        {
            RecordedGame before(time);
            before.game.enterPenaltyTime(1, ClockValue::fromSeconds(90));
            before.game.startStopClock();
            time.advanceMs(10'000);
            before.game.tick();
            if (shotRuns) {
                before.game.startStopClock();
                before.game.enterShotTime(ClockValue::fromTenths(shotTenths));
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
    }

    // Undo puts back what one change altered, in the game as it stands now
    // with the clocks run on; redo puts it back again. Each change is made
    // with the game clock and a penalty running.
    void undoAndRedoEachChange()
    {
        using Change = std::function<void(Game &)>;
        const std::pair<const char *, Change> changes[] = {
            {"an accidental stop",
             [](Game &g) {
                 g.startStopClock();
             }},
            {"R on a running clock",
             [](Game &g) {
                 g.resetClock();
             }},
            {"0.0 typed",
             [](Game &g) {
                 g.enterGameTime(ClockValue());
             }},
            {"a goal by the lamp",
             [](Game &g) {
                 g.toggleLamp(GoalLamp::Visitor);
             }},
            {"a score typed",
             [](Game &g) {
                 g.scoreKey(FigureRowId::HomeScore, '7'), g.scoreKey(FigureRowId::HomeScore, 13);
             }},
            {"a mark",
             [](Game &g) {
                 g.clickMark(4, true);
             }},
            {"time of day",
             [](Game &g) {
                 g.switchClockTime();
             }},
            {"a penalty cleared",
             [](Game &g) {
                 g.clearPenalty(1);
             }},
            {"a penalty stopped alone",
             [](Game &g) {
                 g.startStopPenalty(1);
             }},
            {"the shot clock started",
             [](Game &g) {
                 g.startStopShot();
             }},
            {"the shot clock's hand-off",
             [](Game &g) {
                 g.startStopClock();
                 g.enterShotTime(ClockValue::fromSeconds(2));
                 g.startStopShot();
             }},
        };
        for (const auto &[name, change] : changes) {
            BootedTime time;
            RecordedGame recorded(time);
            Game &game = recorded.game;
            game.enterPenaltyTime(1, ClockValue::fromSeconds(90));
            game.startStopClock();
            time.advanceMs(5000);
            game.tick();
            const GameSnapshot before = game.snapshot();
            const bool handOff = QByteArray(name).contains("hand-off");
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
            QVERIFY2(game.snapshot() == before, name);
            QCOMPARE(readBack(recorded.journal).game, game.snapshot());
            if (!handOff) {
                game.redo();
                // A clock put back at zero has had its alarm: it sounds no more.
                GameSnapshot redone = game.snapshot();
                redone.gameZeroSeen = after.gameZeroSeen;
                QVERIFY2(redone == after, name);
            }
            QCOMPARE(alarms.count(), 0);
        }
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

    // Wherever a power cut ends the file, the game resumes from the last
    // whole line; a file without a whole first line cannot be read.
    void aJournalCutAnywhereResumesFromItsLastWholeLine()
    {
        BootedTime time;
        RecordedGame recorded(time);
        QRandomGenerator random(7);
        QList<qsizetype> ends{recorded.journal.size()};
        QList<GameSnapshot> states{recorded.game.snapshot()};
        while (states.size() < 200) {
            randomAction(recorded, random);
            if (recorded.journal.size() != ends.last()) {
                ends.append(recorded.journal.size());
                states.append(recorded.game.snapshot());
            }
        }
        qsizetype line = -1;
        for (qsizetype cut = 0; cut <= recorded.journal.size(); ++cut) {
            while (line + 1 < ends.size() && ends.at(line + 1) <= cut)
                ++line;
            const auto saved = SavedGames::read(recorded.journal.left(cut));
            QCOMPARE(saved.has_value(), line >= 0);
            if (saved && saved->game != states.at(line))
                QFAIL(qPrintable(QStringLiteral("cut at %1 reads the wrong line").arg(cut)));
        }
    }

    void damagedJournalsAreNotRead_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("a line damaged midway")
            << QByteArray("\"clock-stop\"") << QByteArray("\"clock-st");
        QTest::newRow("a newer version")
            << QByteArray("\"version\":1") << QByteArray("\"version\":2");
        QTest::newRow("another program's lines")
            << QByteArray("vantrell-game") << QByteArray("other");
        QTest::newRow("an unknown event") << QByteArray("clock-stop") << QByteArray("clock-melt");
        QTest::newRow("a score out of range")
            << QByteArray("\"home\":[1,-1]") << QByteArray("\"home\":[10,-1]");
        QTest::newRow("a value of the wrong type")
            << QByteArray("\"lamp\":1") << QByteArray("\"lamp\":true");
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
};

QTEST_GUILESS_MAIN(tst_journal)
#include "tst_journal.moc"
