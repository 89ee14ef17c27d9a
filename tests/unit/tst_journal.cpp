// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "game/game.h"
#include "input/keydispatch.h"
#include "input/modshowdigits.h"
#include "input/virtualkeys.h"
#include "record/gamelog.h"
#include "record/gamesheet.h"
#include "record/journal.h"
#include "record/resumepolicy.h"
#include "record/savedgame.h"
#include "timing/modcount.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
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
        game.startUp();
        journal = JournalFormat::headerLine(stampOf(time));
        QObject::connect(&game, &Game::changed, [this](const GameEvent &event) {
            journal += JournalFormat::eventLine(event, stampOf(this->time));
            kinds.insert(int(event.kind));
        });
    }

    BootedTime &time;
    Game game{time};
    QByteArray journal;
    QSet<int> kinds;
};

// Each kind of field with one value changed.
void changeOne(ClockValue &value)
{
    value += ClockValue::fromTenths(1);
}
void changeOne(bool &flag)
{
    flag = !flag;
}
void changeOne(int &figure)
{
    figure = figure == 7 ? 8 : 7;
}
void changeOne(GoalLamp &lamp)
{
    lamp = GoalLamp::Visitor;
}
void changeOne(MarkState &mark)
{
    mark = MarkState::Green;
}
void changeOne(SlotState &slot)
{
    slot = {ClockValue::fromSeconds(42), ClockValue::fromTenths(3), true, SteadyInstant{7, 300}};
}
// A format and a match state with every field away from its default.
void changeOne(SharedFormat &format)
{
    format = MatchFormat{QStringLiteral("Odd"),
                         QStringLiteral("O"),
                         ClockValue::fromSeconds(601),
                         2,
                         ClockValue::fromSeconds(62),
                         ClockValue::fromSeconds(63),
                         false,
                         3,
                         4,
                         5,
                         6,
                         TimeoutsPer::Match,
                         ClockValue::fromSeconds(64),
                         ClockValue::fromSeconds(65),
                         false,
                         true};
}
void changeOne(MatchState &match)
{
    match = {MatchPhase::Timeout, 3, {2, 1}, 2, true, true, MatchResult::Draw};
}
template<typename T, size_t N> void changeOne(std::array<T, N> &items)
{
    changeOne(items[N - 1]);
}

SavedGame readBack(const QByteArray &journal)
{
    return SavedGames::read(journal).value_or(SavedGame{});
}

// One random operator action, or a stretch of ticks.
void randomAction(RecordedGame &r, QRandomGenerator &random)
{
    Game &g = r.game;
    const auto slot = qint16(random.bounded(1, 7));
    const std::function<void()> actions[] = {
        [&] { g.startStopClock(); },
        [&] { g.resetClock(); },
        [&] { g.startStopShot(); },
        [&] { g.resetShot(); },
        [&] { g.switchClockTime(); },
        [&] { g.startStopPenalty(slot); },
        [&] { g.clearPenalty(slot); },
        [&] { g.enterGameTime(ClockValue::fromTenths(random.bounded(0, 400))); },
        [&] { g.enterShotTime(ClockValue::fromTenths(random.bounded(0, 300))); },
        [&] { g.enterPenaltyTime(slot, ClockValue::fromSeconds(random.bounded(0, 90))); },
        [&] {
            g.scoreKey(random.bounded(2) ? FigureRowId::HomeScore : FigureRowId::VisitorScore,
                       random.bounded(2) ? qint16(KeyDispatch::EntryPlus)
                                         : qint16('0' + random.bounded(10)));
        },
        [&] { g.toggleLamp(GoalLamp(random.bounded(1, 3))); },
        [&] { g.clickMark(random.bounded(6), random.bounded(2)); },
        [&] { random.bounded(2) ? g.soundBuzzer() : g.soundHorn(); },
        [&] { g.optionsConfirmed(QStringLiteral("Reds \"1\""), QStringLiteral("Blues\n")); },
        [&] {
            for (int i = random.bounded(1, 80); i > 0; --i)
                r.time.advanceMs(100), g.tick();
        }};
    actions[random.bounded(16)]();
}

} // namespace

class tst_journal : public QObject
{
    Q_OBJECT

    BootedTime m_time;
    std::unique_ptr<RecordedGame> m_recorded; // a game begun afresh for each test

    Game &game() { return m_recorded->game; }
    QByteArray &journal() { return m_recorded->journal; }
    // The clocks run on for `ms`, then the game's tick reads them.
    void runFor(qint64 ms) { m_time.advanceMs(ms), game().tick(); }

private slots:
    void init()
    {
        m_time = BootedTime{};
        m_recorded = std::make_unique<RecordedGame>(m_time);
    }
    void cleanup() { m_recorded.reset(); }

    // Replaying the journal gives the game the live run has, after every
    // event of a long random game: every kind of event is written and read.
    // A power cut at any byte of the last lines loses at most the line it
    // cut, never gives a wrong value and never makes the file unreadable.
    void replayGivesTheLiveGame()
    {
        RecordedGame &recorded = *m_recorded;
        QRandomGenerator random(2026);
        for (int step = 0; step < 800; ++step) {
            randomAction(recorded, random);
            if (readBack(recorded.journal).game != recorded.game.snapshot())
                QFAIL(qPrintable(QStringLiteral("replay differs after step %1").arg(step)));
        }
        recorded.game.announceResumed();
        QCOMPARE(readBack(recorded.journal).game, recorded.game.snapshot());
        QCOMPARE(recorded.kinds.size(), int(GameEventKind::Resumed) + 1);
        QCOMPARE(readBack(recorded.journal).homeName, QStringLiteral("Reds \"1\""));

        const QByteArray &journal = recorded.journal;
        qsizetype from = journal.size() - 1;
        for (int line = 0; line < 4; ++line)
            from = journal.lastIndexOf('\n', from - 1);
        for (qsizetype cut = from + 1; cut <= journal.size(); ++cut) {
            const qsizetype whole = journal.lastIndexOf('\n', cut - 1) + 1;
            const auto read = SavedGames::read(journal.left(cut));
            if (!read || read->game != readBack(journal.left(whole)).game)
                QFAIL(qPrintable(QStringLiteral("a cut at byte %1 reads wrong").arg(cut)));
        }
    }

    // Two games in one process, each on its own clock: what one runs, loads
    // and has typed into it leaves the other as it was.
    void twoGamesSideBySide()
    {
        FakeTimeSource firstTime;
        FakeTimeSource otherTime;
        Game first(firstTime);
        Game second(otherTime);
        const KeyBindings keys;
        for (Game *game : {&first, &second})
            game->startUp();
        first.startStopClock();
        first.keyInField(FieldId::ShotClockBack, '5', keys);
        second.keyInField(FieldId::ShotClockBack, '3', keys);
        firstTime.advanceMs(2000);
        second.keyInField(FieldId::ShotClockBack, VirtualKey::Enter, keys);
        first.keyInField(FieldId::ShotClockBack, VirtualKey::Enter, keys);
        for (Game *game : {&first, &second})
            game->tick();
        QCOMPARE(first.clockValue(GameSlot), ClockValue::fromTenths(11980));
        QCOMPARE(second.clockValue(GameSlot), ClockValue::fromTenths(12000));
        QCOMPARE(first.clockValue(ShotSlot), ClockValue::fromSeconds(300));
        QCOMPARE(second.clockValue(ShotSlot), ClockValue::fromSeconds(180));
        QVERIFY(!second.isCounting(GameSlot));
    }

    // Every field of the game, changed alone, is written and read back.
    void everyFieldIsJournaled()
    {
        forEachGameField([](const char *name, auto member, GameFields::Carry) {
            const GameSnapshot before = GameSnapshot::startUp();
            GameSnapshot after = before;
            changeOne(after.*member);
            GameSnapshot read = before;
            QVERIFY(JournalFormat::applyChanges(read, JournalFormat::changes(after, &before)));
            QVERIFY2(read == after, name);
        });
    }

    // The game comes back as it would stand had the program never stopped.
    void resumeCarriesTheClocks_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::addColumn<int>("gapSeconds");
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("penalty");
        QTest::addColumn<bool>("shotRuns");
        QTest::addColumn<bool>("handedOff");
        // The game runs from 20:00 with a 1:30 penalty, 10 s before the stop.
        QTest::newRow("running, in the same boot") << false << 30 << 11600 << 500 << false << false;
        QTest::newRow("running, after a restart") << true << 30 << 11600 << 500 << false << false;
        QTest::newRow("game clock ran out meanwhile") << true << 1300 << 0 << 0 << false << false;
        // The shot clock runs with 5 s left; the game clock and penalty
        // start when it reaches zero, inside the gap, or 1 s before the
        // stop.
        QTest::newRow("shot clock handed off meanwhile")
            << false << 20 << 11750 << 650 << true << false;
        QTest::newRow("shot clock handed off, then a restart")
            << true << 20 << 11690 << 590 << true << true;
    }
    void resumeCarriesTheClocks()
    {
        QFETCH(bool, restart);
        QFETCH(int, gapSeconds);
        QFETCH(int, game);
        QFETCH(int, penalty);
        QFETCH(bool, shotRuns);
        QFETCH(bool, handedOff);
        RecordedGame &before = *m_recorded;
        before.game.enterPenaltyTime(1, ClockValue::fromSeconds(90));
        before.game.startStopClock();
        runFor(10'000);
        if (shotRuns) {
            before.game.startStopClock();
            before.game.enterShotTime(ClockValue::fromSeconds(5));
            before.game.startStopShot();
        }
        if (handedOff)
            runFor(5000), runFor(1000);
        runFor(100);
        m_time.advanceMs(gapSeconds * 1000 - 100);
        // In the same boot the steady clock is the truth, whatever the wall
        // clock was set to meanwhile.
        if (restart) {
            m_time.boot = "second-boot";
            m_time.steady = {7, 250};
        } else {
            m_time.wall = m_time.wall.addSecs(3600);
        }
        RecordedGame after(m_time);
        QSignalSpy alarms(&after.game, &Game::buzzerSounded);
        QSignalSpy horns(&after.game, &Game::hornSounded);
        const SavedGame saved = readBack(before.journal);
        after.game.restore(SavedGames::carriedTo(saved, stampOf(m_time)));
        QCOMPARE(after.game.clockValue(GameSlot).raw() / ClockValue::PerTenth, qint64(game));
        QCOMPARE(after.game.clockValue(1).raw() / ClockValue::PerTenth, qint64(penalty));
        QCOMPARE(after.game.isCounting(GameSlot), true);
        m_time.advanceMs(300);
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
        row("R on a running clock", [](Game &g) { g.resetClock(); });
        row("0.0 typed", [](Game &g) { g.enterGameTime(ClockValue()); });
        row("time of day", [](Game &g) { g.switchClockTime(); });
        row("a penalty cleared", [](Game &g) { g.clearPenalty(1); });
        row("a penalty stopped alone", [](Game &g) { g.startStopPenalty(1); });
        row("the shot clock started", [](Game &g) { g.startStopShot(); });
    }
    void undoAndRedoEachChange()
    {
        QFETCH(Change, change);
        game().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        game().startStopClock();
        runFor(5000);
        const GameSnapshot before = game().snapshot();
        change(game());
        const GameSnapshot after = game().snapshot();
        runFor(3000);
        QSignalSpy alarms(&game(), &Game::hornSounded);
        game().undo();
        QCOMPARE(game().snapshot(), before);
        QCOMPARE(readBack(journal()).game, game().snapshot());
        game().redo();
        // A clock put back at zero has had its alarm: it sounds no more.
        GameSnapshot redone = game().snapshot();
        redone.gameZeroSeen = after.gameZeroSeen;
        QCOMPARE(redone, after);
        QCOMPARE(alarms.count(), 0);
    }

    // The shot clock's hand-off goes with the start that caused it, whatever
    // the operator changed while the shot clock ran or after it ran out:
    // undone back past that start, the game clock and the penalty stand as
    // if it had never been started.
    void undoTakesTheHandOffAlong_data()
    {
        QTest::addColumn<Change>("meanwhile");
        QTest::addColumn<Change>("afterwards");
        QTest::addColumn<int>("changes");
        QTest::addColumn<bool>("redoFirst");
        const auto none = Change([](Game &) {});
        const auto goal = Change([](Game &g) { g.toggleLamp(GoalLamp::Home); });
        const auto penaltyAndMark = Change([](Game &g) {
            g.enterPenaltyTime(2, ClockValue::fromSeconds(60)), g.clickMark(0, false);
        });
        QTest::newRow("no change") << none << none << 0 << false;
        QTest::newRow("a goal after the hand-off") << none << goal << 1 << false;
        QTest::newRow("a goal while it ran") << goal << none << 1 << false;
        QTest::newRow("several, while it ran and after") << penaltyAndMark << goal << 3 << false;
        QTest::newRow("redone, then undone again") << goal << penaltyAndMark << 3 << true;
    }
    void undoTakesTheHandOffAlong()
    {
        QFETCH(Change, meanwhile);
        QFETCH(Change, afterwards);
        QFETCH(int, changes);
        QFETCH(bool, redoFirst);
        game().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        game().enterShotTime(ClockValue::fromSeconds(2));
        const GameSnapshot before = game().snapshot();
        game().startStopShot();
        meanwhile(game());
        runFor(2500);
        QVERIFY(game().isCounting(GameSlot));
        afterwards(game());
        runFor(1000);
        const auto undoAll = [&] {
            for (int i = 0; i <= changes; ++i)
                game().undo();
        };
        undoAll();
        if (redoFirst) {
            for (int i = 0; i <= changes; ++i)
                game().redo();
            QVERIFY(game().isCounting(GameSlot));
            undoAll();
        }
        QCOMPARE(game().isCounting(GameSlot), false);
        QCOMPARE(game().isCounting(1), false);
        QCOMPARE(game().clockValue(GameSlot), before.clocks[GameSlot].base);
        QCOMPARE(game().clockValue(1), ClockValue::fromSeconds(90));
    }

    // A new change ends what could be redone; a new game starts from the
    // game's length, with nothing to undo. (What F4 does to typing is the
    // board's keys' test.)
    void newChangesEndRedoAndANewGameEndsUndo()
    {
        game().toggleLamp(GoalLamp::Home);
        game().undo();
        game().clickMark(0, false);
        game().redo();
        QCOMPARE(game().lamp(), GoalLamp::None);
        game().enterGameTime(ClockValue::fromSeconds(600));
        game().startStopClock();
        game().newGame();
        game().undo();
        GameSnapshot fresh = GameSnapshot::startUp();
        fresh.gameLength = fresh.clocks[0].base = ClockValue::fromSeconds(600);
        QCOMPARE(game().snapshot(), fresh);
    }

    // The log read back from the journal names each change with its team,
    // in the names in force at the time, its value and the game clock
    // shown; the CSV quotes as RFC 4180 says, with semicolons where
    // decimals take a comma.
    void logAndCsv()
    {
        journal() = JournalFormat::headerLine(stampOf(m_time), "Reds <b>", "Blues");
        game().startStopClock();
        runFor(12'300);
        game().toggleLamp(GoalLamp::Visitor);
        game().optionsConfirmed(QStringLiteral("Reds, \"A\""), QStringLiteral("Greens"));
        game().enterPenaltyTime(5, ClockValue::fromSeconds(90));
        const QList<LogRow> rows = GameLog::rows(readBack(journal()).events);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].gameClock + rows[1].event + rows[1].team + rows[1].value,
                 QStringLiteral("19:48Goal lampBlues1"));
        QCOMPARE(rows[3].team + rows[3].value, QStringLiteral("Reds, \"A\"1:30"));
        const QByteArray english = GameLog::csv(rows, QLocale(QLocale::English));
        QVERIFY(english.startsWith("\xEF\xBB\xBF"
                                   "Date and time,Game clock,Event,Team,Value\r\n"));
        QVERIFY(english.contains(",19:48,Options,,\"Reds, \"\"A\"\" - Greens\"\r\n"));
        const QByteArray german = GameLog::csv(rows, QLocale(QLocale::German));
        QVERIFY(german.endsWith(";19:48;Penalty;\"Reds, \"\"A\"\"\";1:30\r\n"));
        QVERIFY(german.contains(";19:48;Goal lamp;Blues;1\r\n"));
        // The sheet: the goal and the penalty with their game clock and the
        // names of their time, the title in the last names, all escaped.
        const QString sheet = GameSheet::html(readBack(journal()));
        QVERIFY(sheet.contains("<h1>Reds, &quot;A&quot; - Greens</h1><h2>0 - 1</h2>"));
        QVERIFY(sheet.contains("<tr><td>19:48</td><td>Blues</td><td>0 - 1</td></tr></table>"));
        QVERIFY(sheet.contains("<tr><td>19:48</td><td>Reds, &quot;A&quot;</td><td>1:30</td></tr>"));
    }

    // The sheet is the result: the goals and penalties that stand after
    // every undo and redo, each goal at the time it was scored, agreeing
    // with the final score. The log is the history: a change undone stays,
    // marked.
    void sheetListsWhatStands_data()
    {
        QTest::addColumn<Change>("play");
        QTest::addColumn<QString>("goals");
        QTest::addColumn<QString>("penalties");
        QTest::addColumn<QString>("log");
        constexpr auto Home = FigureRowId::HomeScore;
        constexpr auto Visitor = FigureRowId::VisitorScore;
        const auto row = [](const char *name, const char *goals, const char *penalties,
                            const char *log, Change play) {
            QTest::newRow(name) << play << goals << penalties << log;
        };
        const auto lamp = Change([](Game &g) { g.toggleLamp(GoalLamp::Home); });
        row("the lamp", "19:50 H 1 - 0", "", "Goal lamp", lamp);
        row("the lamp undone", "", "", "Goal lamp (undone)|Undone",
            [lamp](Game &g) { lamp(g), g.undo(); });
        row("undone and redone", "19:50 H 1 - 0", "", "Goal lamp|Undone|Redone",
            [lamp](Game &g) { lamp(g), g.undo(), g.redo(); });
        row("typed up", "19:50 V 0 - 1|19:50 V 0 - 2|19:50 V 0 - 3", "", "Score",
            [](Game &g) { g.scoreKey(Visitor, '3'), g.scoreKey(Visitor, 13); });
        row("typed down as a correction", "19:50 H 1 - 0", "",
            "Goal lamp|Goal lamp|Goal lamp|Score", [lamp](Game &g) {
                lamp(g), g.lampOff(), lamp(g), g.scoreKey(Home, '1'), g.scoreKey(Home, 13);
            });
        row("plus, then minus", "19:50 H 1 - 0", "", "Score|Score", [](Game &g) {
            g.scoreKey(Home, '+'), g.scoreKey(Home, '2'), g.scoreKey(Home, '-'),
                g.scoreKey(Home, '1');
        });
        row("a penalty undone, another kept", "", "19:50 V 1:30", "Penalty (undone)|Undone|Penalty",
            [](Game &g) {
                g.enterPenaltyTime(1, ClockValue::fromSeconds(60)), g.undo(),
                    g.enterPenaltyTime(3, ClockValue::fromSeconds(90));
            });
    }
    void sheetListsWhatStands()
    {
        QFETCH(Change, play);
        QFETCH(QString, goals);
        QFETCH(QString, penalties);
        QFETCH(QString, log);
        journal() = JournalFormat::headerLine(stampOf(m_time), "H", "V");
        game().startStopClock();
        runFor(10'000);
        play(game());
        const SavedGame saved = readBack(journal());
        const QString sheet = GameSheet::html(saved);
        const auto listed = [&sheet](const char *from, const char *to) {
            const qsizetype start = sheet.indexOf(QLatin1String(from));
            const QString part = sheet.mid(start, sheet.indexOf(QLatin1String(to)) - start);
            QStringList lines;
            static const QRegularExpression line(
                "<tr><td>([^<]*)</td><td>([^<]*)</td><td>([^<]*)</td>");
            for (const auto &match : line.globalMatch(part))
                lines << match.captured(1) + ' ' + match.captured(2) + ' ' + match.captured(3);
            return lines.join('|');
        };
        QCOMPARE(listed("<h3>Goals", "<h3>Penalties"), goals);
        QCOMPARE(listed("<h3>Penalties", "\x7f"), penalties);
        const QString score = GameLog::scoreText(saved.game.home) + QStringLiteral(" - ") +
            GameLog::scoreText(saved.game.visitor);
        QVERIFY(sheet.contains(QStringLiteral("<h2>%1</h2>").arg(score)));
        QStringList events;
        for (const LogRow &row : GameLog::rows(saved.events).mid(1))
            events << GameLog::eventText(row);
        QCOMPARE(events.join('|'), log);
    }

    // A match in the log's words, each from the change's match and scores
    // before and after; the sheet gives the format, the result and the
    // points of each half.
    void matchInWords_data()
    {
        QTest::addColumn<Change>("play");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QStringList>("sheet");
        const auto point = [](GoalLamp team) {
            return [team](Game &g) {
                g.toggleLamp(team), g.startStopClock();
            };
        };
        const Change home = point(GoalLamp::Home);
        const Change visitor = point(GoalLamp::Visitor);
        QTest::newRow("a race won")
            << Change([=, this](Game &g) {
                   runFor(5000), home(g), runFor(5000), g.toggleLamp(GoalLamp::Visitor);
                   g.callTimeout(2), g.startStopClock(), home(g), home(g);
               })
            << QString::fromUtf8(
                   "Point H 1–0 at 55.0 · Break 0:30|"
                   "Point V 1–1 at 50.0 · Break 0:30 · Switch ends|Timeout V|"
                   "Point H 2–1 at 50.0 · Break 0:30|Point H 3–1 at 50.0 · H wins 3–1")
            << QStringList{"Format: Cup (2 × 1:00, race to 3, 1 timeouts a half, overtime 0:30)",
                           "Result: H wins 3–1",
                           "<h3>Half 1</h3><table",
                           "<td>50.0</td><td>H</td><td>3 - 1</td>",
                           "<h3>Half 2</h3><p>None.</p>",
                           "<td>50.0</td><td>V</td><td>Half 1</td>"};
        QTest::newRow("halftime, overtime, a draw")
            << Change([=, this](Game &g) {
                   runFor(61'000), g.startStopClock(), home(g), visitor(g), runFor(61'000);
                   g.startStopClock(), runFor(31'000);
               })
            << QString::fromUtf8("Halftime|Point H 1–0 at 1:00 · Break 0:30|"
                                 "Point V 1–1 at 1:00 · Break 0:30 · Switch ends|"
                                 "Overtime · Break 0:30|Draw 1–1")
            << QStringList{"Result: Draw 1–1", "<h3>Half 1</h3><p>None.</p>",
                           "<td>1:00</td><td>V</td><td>1 - 1</td></tr></table><h3>Overtime",
                           "<h3>Overtime</h3><p>None.</p><h3>Timeouts</h3><p>None.</p>"};
    }
    void matchInWords()
    {
        QFETCH(Change, play);
        QFETCH(QString, log);
        QFETCH(QStringList, sheet);
        journal() = JournalFormat::headerLine(stampOf(m_time), "H", "V");
        MatchFormat format;
        format.name = QStringLiteral("Cup");
        format.shortName = QStringLiteral("Cup");
        format.gameLength = format.halftime = ClockValue::fromSeconds(60);
        format.breakLength = format.overtime = ClockValue::fromSeconds(30);
        format.halves = 2;
        format.raceTo = 3;
        format.switchEvery = 2;
        format.timeouts = 1;
        QVERIFY(game().beginMatch(format));
        game().startStopClock();
        play(game());
        const SavedGame saved = readBack(journal());
        QStringList said;
        for (const LogRow &row : GameLog::rows(saved.events)) {
            if (row.event != GameLog::eventName(GameEventKind::MatchBegin) &&
                row.value.contains(QRegularExpression("[A-Z]")))
                said << row.value;
        }
        QCOMPARE(said.join('|'), log);
        const QString html = GameSheet::html(saved);
        for (const QString &part : sheet)
            QVERIFY2(html.contains(part.toHtmlEscaped().replace("&lt;", "<").replace("&gt;", ">")),
                     qPrintable(part));
    }

    // The undo's line says what it took back: the kind, the team or clock,
    // and the value before and after.
    void undoSaysWhatItTookBack_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("said");
        const auto row = [](const char *name, const char *said, Change change) {
            QTest::newRow(name) << change << QString::fromUtf8(said);
        };
        constexpr auto Visitor = FigureRowId::VisitorScore;
        row("a goal", "goal, home 3 → 2", [](Game &g) { g.toggleLamp(GoalLamp::Home); });
        row("a score typed", "score, visitor 4 → 0",
            [](Game &g) { g.scoreKey(Visitor, '+'), g.scoreKey(Visitor, '4'); });
        row("a penalty typed", "penalty, visitor penalty 2 1:30 → blank",
            [](Game &g) { g.enterPenaltyTime(4, ClockValue::fromSeconds(90)); });
        row("the game clock stopped", "game clock stopped, game clock stopped → running",
            [](Game &g) { g.startStopClock(); });
        row("the shot time typed", "shot time set, shot clock 0:46 → 2:00",
            [](Game &g) { g.enterShotTime(ClockValue::fromTenths(455)); });
        row("a mark", "penalty mark, visitor mark 2 green → off",
            [](Game &g) { g.clickMark(4, true); });
    }
    void undoSaysWhatItTookBack()
    {
        QFETCH(Change, change);
        QFETCH(QString, said);
        game().scoreKey(FigureRowId::HomeScore, '2');
        game().scoreKey(FigureRowId::HomeScore, 13);
        game().startStopClock();
        runFor(5000);
        change(game());
        game().undo();
        QCOMPARE(GameLog::rows(readBack(journal()).events).last().value, said);
    }

    // The log and the sheet give a clock as its figures show it.
    void clockTextAsTheBoardShowsIt_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<bool>("wholeSeconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("the game clock's limit") << 59990 << false << "99:59";
        QTest::newRow("a part second rounds up") << 11877 << false << "19:48";
        QTest::newRow("one minute") << 600 << false << "1:00";
        QTest::newRow("just under a minute") << 599 << false << "59.9";
        QTest::newRow("zero") << 0 << false << "0.0";
        QTest::newRow("the shot clock under a minute") << 455 << true << "0:46";
        QTest::newRow("the shot clock's limit") << 5990 << true << "9:59";
    }
    void clockTextAsTheBoardShowsIt()
    {
        QFETCH(int, tenths);
        QFETCH(bool, wholeSeconds);
        QFETCH(QString, text);
        QCOMPARE(GameLog::clockText(ClockValue::fromTenths(tenths), wholeSeconds), text);
    }

    // After a resume, undo and redo reach back into the game as it was.
    void undoReachesBeforeAResume()
    {
        RecordedGame &before = *m_recorded;
        before.game.toggleLamp(GoalLamp::Home);
        before.game.clickMark(2, true);
        before.game.undo();
        const SavedGame saved = readBack(before.journal);
        RecordedGame after(m_time);
        after.game.restore(saved.game);
        after.game.resumeHistory(ResumePolicy::undoableEvents(saved, stampOf(m_time)));
        after.game.redo();
        QCOMPARE(after.game.mark(2), MarkState::Green);
        after.game.undo();
        after.game.undo();
        QCOMPARE(after.game.lamp(), GoalLamp::None);
        // After a restart of the computer nothing before it can be undone.
        m_time.boot = "second-boot";
        QVERIFY(ResumePolicy::undoableEvents(saved, stampOf(m_time)).isEmpty());
    }

    void offers_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<int>("offer");
        const auto row = [](const char *name, const char *ending, ResumeOffer offer) {
            QTest::newRow(name) << QByteArray(ending) << int(offer);
        };
        row("not closed", "", ResumeOffer::ResumeByDefault);
        row("not closed, at zero", "zero", ResumeOffer::ResumeByDefault);
        row("no change made", "unchanged", ResumeOffer::None);
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
        if (ending != "unchanged")
            game().startStopClock(), runFor(5000);
        if (ending.contains("stopped") || ending.contains("reset"))
            game().startStopClock();
        if (ending.contains("reset"))
            game().resetClock();
        if (ending.contains("zero"))
            game().enterGameTime(ClockValue());
        const QString own =
            ending.startsWith("closed") ? JournalFormat::ClosedName : JournalFormat::SetAsideName;
        if (ending.startsWith("closed") || ending.startsWith("set-aside"))
            journal() += JournalFormat::stateLine(own, game().snapshot(), stampOf(m_time));
        QCOMPARE(int(SavedGames::offerFor(readBack(journal()))), offer);
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
        game().startStopClock();
        game().toggleLamp(GoalLamp::Home);
        game().startStopClock();
        game().toggleLamp(GoalLamp::Visitor);
        QVERIFY(!SavedGames::read(journal().replace(from, to)));
    }

    // The newest journal damaged is kept aside under a name no journal has,
    // a second one of the same name under another, and neither is offered.
    void aDamagedNewestJournalIsKeptAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("20261207-200000-000.jsonl");
        for (const char *kept : {".damaged", ".damaged-2"}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"format\n") > 0);
            file.close();
            const LastGame last = ResumePolicy::lastGame(dir.path(), stampOf(m_time), {}, {});
            QCOMPARE(last.damagedKeptAs, path + kept);
            QVERIFY(!last.offered());
        }
        QCOMPARE(ResumePolicy::lastGame(dir.path(), stampOf(m_time), {}, {}).path, QString());
    }

    // One program records in a folder at a time; a journal that cannot be
    // written stops the record, once, and never the game.
    void theFolderIsHeldAndFailuresAreToldOnce()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<Journal>(dir.path(), m_time);
        QVERIFY(first->claim());
        Journal second(dir.path(), m_time);
        QVERIFY(!second.claim());
        first.reset();
        Journal third(dir.path(), m_time);
        QVERIFY(third.claim());

        QSignalSpy failed(&third, &Journal::failed);
        QVERIFY(third.continueFile(QStringLiteral("/dev/full")));
        Game game(m_time);
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
        std::mutex mutex;
        QList<QPair<quint64, qint64>> synced; // inode and size at each sync
        bool onCaller = false;
        QSemaphore entered, gate;
        const auto caller = std::this_thread::get_id();
        auto journal = std::make_unique<Journal>(dir.path(), m_time, [&](int fd) {
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
        Game game(m_time);
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
