// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/eventday.h"
#include "event/resultsexchange.h"
#include "event/schedulefile.h"
#include "event/scheduleimport.h"
#include "event/scheduleplay.h"
#include "game/gameevent.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList Formats{QStringLiteral("Race to 7"), QStringLiteral("Race to 5")};

// The matches as "14:30 F1 Alpha-Bravo", then each problem's text.
QString summary(const ScheduleImport::Result &read)
{
    QStringList said;
    for (const ScheduledMatch &m : read.matches)
        said << QStringLiteral("%1 %2 %3%4-%5 (%6)")
                    .arg(m.start.toString(QStringLiteral("HH:mm")), m.field,
                         m.group.isEmpty() ? QString() : m.group + QLatin1Char(' '), m.home,
                         m.visitor, m.format);
    for (const ScheduleImport::Problem &problem : read.problems)
        said << problem.text();
    if (!read.fileProblem.isEmpty())
        said << read.fileProblem;
    return said.join(QStringLiteral(" | "));
}

ScheduledMatch match(const QString &time, const QString &home, ScheduledState state)
{
    ScheduledMatch m;
    m.start = QDateTime::fromString(QStringLiteral("2026-06-13 ") + time, "yyyy-MM-dd HH:mm");
    m.field = QStringLiteral("F1");
    m.home = home;
    m.visitor = QStringLiteral("Zulu");
    m.state = state;
    return m;
}

} // namespace

// The day's schedule: read from a league secretary's CSV, kept in its file,
// played through match by match.
class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("read");
        const QByteArray header = "start,field,group,home,visitor,format\n";
        QTest::newRow("good lines, a group left empty")
            << header +
                "2026-06-13 14:30,F1,A,Alpha,Bravo,Race to 7\n"
                "2026-06-13 15:00,F2,,Charlie,Delta,Race to 5\n"
            << "14:30 F1 A Alpha-Bravo (Race to 7) | 15:00 F2 Charlie-Delta (Race to 5)";
        QTest::newRow("semicolons, a byte-order mark, quotes and blank lines")
            << QByteArray("\xEF\xBB\xBF"
                          "Home;Visitor;Date;Time;Field;Format\r\n\r\n"
                          "\"Alpha; \"\"the A\"\"\";Bravo;13.06.2026;14:30;F1;Race to 7\r\n")
            << "14:30 F1 Alpha; \"the A\"-Bravo (Race to 7)";
        QTest::newRow("a quoted line break counts its lines")
            << header +
                "2026-06-13 14:30,F1,A,\"Al\npha\",Bravo,Race to 7\n"
                "2026-06-13 14:30,F1,A,Alpha,Alpha,Race to 7\n"
            << "14:30 F1 A Al\npha-Bravo (Race to 7) | line 4: Alpha plays itself";
        QTest::newRow("every reason a line is refused")
            << header +
                "2026-06-13 14:30,F1,A,Alpha,Bravo,Race to 7\n"
                "2026-06-13,F1,A,Alpha,Bravo,Race to 7\n"
                "2026-06-13 15:00,F1,A,Alpha,Bravo,Race to 9\n"
                "2026-06-13 14:30,f1,A,alpha,bravo,Race to 7\n"
                "2026-06-13 16:00,F1,A,Bravo,BRAVO,Race to 7\n"
                "2026-06-13 16:30,F1,A,,Bravo,Race to 7\n"
                "2026-06-13 17:00,F1,A,Alpha\n"
            << "14:30 F1 A Alpha-Bravo (Race to 7)"
               " | line 3: the start \"2026-06-13\" is no date and time (as 2026-06-13 14:30)"
               " | line 4: no format is named \"Race to 9\" | line 5: the same match as line 2"
               " | line 6: Bravo plays itself | line 7: a team is not named"
               " | line 8: 4 columns of the header's 6";
        QTest::newRow("a column missing from the header")
            << QByteArray("start,field,home,format\n2026-06-13 14:30,F1,Alpha,Race to 7\n")
            << "the header names no column \"visitor\"";
        QTest::newRow("not UTF-8")
            << QByteArray("start\xFF,field\n") << "the file is not UTF-8 text";
        QTest::newRow("a quote never closed")
            << header + "2026-06-13 14:30,F1,A,\"Alpha,Bravo,Race to 7\n"
            << "line 2: a quote is opened and never closed";
        QTest::newRow("a field's results: their states and scores")
            << QByteArray("start,field,home,visitor,format,state,result\n"
                          "2026-06-13 14:30,F1,Alpha,Bravo,Race to 7,played,7\u2013 3\n"
                          "2026-06-13 15:00,F1,Alpha,Charlie,Race to 7,forfeit,0-7\n"
                          "2026-06-13 15:30,F1,Alpha,Delta,Race to 7,played,seven\n"
                          "2026-06-13 16:00,F1,Alpha,Echo,Race to 7,lost,\n")
            << "14:30 F1 Alpha-Bravo (Race to 7) | 15:00 F1 Alpha-Charlie (Race to 7)"
               " | line 4: the result \"seven\" is no score (as 7-3)"
               " | line 5: the state \"lost\" is none of to play, played, forfeit";
    }

    void read()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, read);
        QCOMPARE(summary(ScheduleImport::read(csv, Formats)), read);
    }

    // Importing again keeps every match played, forfeit or under way, and
    // takes the new list for the rest.
    void importKeepsWhatWasPlayed()
    {
        Schedule held;
        held.matches = {match("14:00", "Alpha", ScheduledState::Played),
                        match("15:00", "Bravo", ScheduledState::ToPlay),
                        match("16:00", "Charlie", ScheduledState::Forfeit)};
        const QList<ScheduledMatch> imported = {match("14:00", "Alpha", ScheduledState::ToPlay),
                                                match("15:30", "Delta", ScheduledState::ToPlay)};
        QStringList homes;
        for (const ScheduledMatch &m : ScheduleImport::merged(held, imported).matches)
            homes << m.home + QString::number(int(m.state));
        QCOMPARE(homes.join(u' '), QStringLiteral("Alpha2 Delta0 Charlie3"));
    }

    // Next match on a field: the first still to play there.
    void nextMatch_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("next");
        QTest::newRow("past the played, the forfeit and the one under way") << "F1" << 3;
        QTest::newRow("a field named in other letters") << "f2" << 4;
        QTest::newRow("a field with none left") << "F3" << -1;
    }

    void nextMatch()
    {
        QFETCH(QString, field);
        QFETCH(int, next);
        Schedule day;
        day.matches = {match("14:00", "A", ScheduledState::Played),
                       match("14:30", "B", ScheduledState::Forfeit),
                       match("15:00", "C", ScheduledState::UnderWay),
                       match("15:30", "D", ScheduledState::ToPlay),
                       match("16:00", "E", ScheduledState::ToPlay),
                       match("16:30", "F", ScheduledState::Played)};
        day.matches[4].field = QStringLiteral("F2");
        day.matches[5].field = QStringLiteral("F3");
        QCOMPARE(SchedulePlay::nextMatch(day, field).value_or(-1), next);
    }

    // A forfeit's score is the format's: the race to nil, else the mercy
    // lead, else 1-0; undoing a match end takes its result back out.
    void forfeitAndReopen()
    {
        Schedule day;
        day.matches = {match("14:00", "A", ScheduledState::ToPlay),
                       match("14:30", "B", ScheduledState::ToPlay),
                       match("15:00", "C", ScheduledState::ToPlay)};
        MatchFormat race;
        race.raceTo = 7;
        MatchFormat mercy;
        mercy.mercy = 5;
        SchedulePlay::forfeit(day, 0, 1, race);
        SchedulePlay::forfeit(day, 1, 2, mercy);
        SchedulePlay::forfeit(day, 2, 1, MatchFormat{});
        SchedulePlay::forfeit(day, 2, 2, race);
        QCOMPARE(day.matches[0].result, (ScheduledResult{7, 0, {}}));
        QCOMPARE(day.matches[1].result, (ScheduledResult{0, 5, {}}));
        QCOMPARE(day.matches[2].result, (ScheduledResult{1, 0, {}}));
        SchedulePlay::finish(day, 0, {3, 2, QStringLiteral("game.jsonl")});
        SchedulePlay::reopen(day, 0);
        QCOMPARE(day.matches[0].state, ScheduledState::UnderWay);
        QCOMPARE(day.matches[0].result, (ScheduledResult{0, 0, QStringLiteral("game.jsonl")}));
    }

    // Another field's results, exported there and merged here: a result
    // for a match to play is taken, one held alike is left, one held
    // otherwise is a conflict for the operator, and one for a match this
    // day does not hold is named.
    void mergeResults_data()
    {
        QTest::addColumn<int>("heldState");
        QTest::addColumn<int>("theirState");
        QTest::addColumn<QString>("theirTeam");
        QTest::addColumn<QString>("merged");
        const int toPlay = int(ScheduledState::ToPlay);
        const int played = int(ScheduledState::Played);
        const int forfeit = int(ScheduledState::Forfeit);
        QTest::newRow("taken for a match to play") << toPlay << played << "Alpha"
                                                   << "2 4-2 taken 1";
        QTest::newRow("held alike") << played << played << "Alpha"
                                    << "2 4-2 taken 0";
        QTest::newRow("held otherwise") << played << forfeit << "Alpha"
                                        << "2 4-2 conflict 3 4-2";
        QTest::newRow("their match still to play") << toPlay << toPlay << "Alpha"
                                                   << "0 0-0 taken 0";
        QTest::newRow("a match not held") << toPlay << played << "Xray"
                                          << "0 0-0 unknown Xray";
        QTest::newRow("under way here") << int(ScheduledState::UnderWay) << played << "Alpha"
                                        << "1 0-0 conflict 2 4-2";
    }

    void mergeResults()
    {
        QFETCH(int, heldState);
        QFETCH(int, theirState);
        QFETCH(QString, theirTeam);
        Schedule held;
        held.matches = {match("14:00", "Alpha", ScheduledState(heldState))};
        if (held.matches[0].state == ScheduledState::Played)
            held.matches[0].result = {4, 2, QStringLiteral("here.jsonl")};
        Schedule there;
        there.matches = {match("14:00", theirTeam, ScheduledState(theirState))};
        there.matches[0].format = Formats.first();
        there.matches[0].result = {4, 2, QStringLiteral("there.jsonl")};
        const auto read = ScheduleImport::read(ResultsExchange::csv(there), Formats);
        QCOMPARE(read.problems.size(), 0);
        const ResultsExchange::Merge merge = ResultsExchange::merge(held, read.matches);
        const ScheduledMatch &here = merge.schedule.matches.first();
        QString said = QStringLiteral("%1 %2-%3 ")
                           .arg(int(here.state))
                           .arg(here.result.home)
                           .arg(here.result.visitor);
        if (!merge.conflicts.isEmpty()) {
            const ScheduledMatch &theirs = merge.conflicts.first().theirs;
            said += QStringLiteral("conflict %1 %2-%3")
                        .arg(int(theirs.state))
                        .arg(theirs.result.home)
                        .arg(theirs.result.visitor);
        } else if (!merge.unknown.isEmpty()) {
            said += QStringLiteral("unknown ") + merge.unknown.first().home;
        } else {
            said += QStringLiteral("taken %1").arg(merge.taken);
        }
        QTEST(said, "merged");
        if (merge.conflicts.isEmpty())
            return;
        Schedule chosen = merge.schedule;
        ResultsExchange::takeTheirs(chosen, merge.conflicts.first());
        QCOMPARE(chosen.matches.first().state, ScheduledState(theirState));
        QCOMPARE(chosen.matches.first().result, (ScheduledResult{4, 2, {}}));
    }

    // The match the board plays, followed to its result: an end writes it
    // in, an end undone takes it out, a game closed unfinished leaves the
    // match to play, and a start after a resume finds the match by its
    // journal.
    void followsTheBoard_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("stands");
        QTest::newRow("ended") << "begin end"
                               << "2 3-1 game.jsonl";
        QTest::newRow("end undone") << "begin end undo"
                                    << "1 0-0 game.jsonl";
        QTest::newRow("closed unfinished") << "begin close"
                                           << "0 0-0 ";
        QTest::newRow("closed after its end") << "begin end close"
                                              << "2 3-1 game.jsonl";
        QTest::newRow("resumed in its journal") << "begin attach end"
                                                << "2 3-1 game.jsonl";
        QTest::newRow("another game at the start") << "begin other"
                                                   << "0 0-0 ";
        QTest::newRow("ended while closed") << "begin attachEnded"
                                            << "2 3-1 game.jsonl";
    }

    void followsTheBoard()
    {
        QFETCH(QString, steps);
        QTemporaryDir dir;
        EventDay event;
        Schedule day;
        day.matches = {match("14:00", "Alpha", ScheduledState::ToPlay)};
        QVERIFY(event.create(dir.filePath(QStringLiteral("day.json")), day));
        GameSnapshot playing;
        playing.match.phase = MatchPhase::Point;
        GameSnapshot ended = playing;
        ended.match.phase = MatchPhase::Ended;
        ended.home = {3, -1};
        ended.visitor = {1, -1};
        const QString journal = QStringLiteral("game.jsonl");
        for (const QString &step : steps.split(u' ')) {
            if (step == "begin")
                event.begun(0, journal);
            else if (step == "end")
                event.follow({GameEventKind::Lamp, 1, playing, ended, {}, {}});
            else if (step == "undo")
                event.follow({GameEventKind::Undo, -1, ended, playing, {}, {}});
            else if (step == "close")
                event.gameClosed();
            else if (step == "attach")
                event.attach(journal, playing);
            else if (step == "attachEnded")
                event.attach(journal, ended);
            else if (step == "other")
                event.attach(QStringLiteral("other.jsonl"), playing);
        }
        const auto held = ScheduleFile::load(event.path());
        QVERIFY(held);
        const ScheduledMatch &m = held->matches.first();
        QTEST(QStringLiteral("%1 %2-%3 %4")
                  .arg(int(m.state))
                  .arg(m.result.home)
                  .arg(m.result.visitor)
                  .arg(m.result.journal),
              "stands");
    }

    // The file gives back the schedule it was given, and refuses what is
    // not one.
    void file()
    {
        Schedule day;
        day.points = {2, 1, 0};
        day.field = QStringLiteral("F2");
        day.standingsEvery = 20;
        day.matches = {match("14:00", "Alpha, \"A\"", ScheduledState::Played)};
        day.matches[0].result = {4, 2, QStringLiteral("2026-06-13-1400.jsonl")};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("events/cup.json"));
        QVERIFY(ScheduleFile::save(path, day));
        QCOMPARE(ScheduleFile::load(path).value_or(Schedule{}), day);
        QString problem;
        QByteArray newer = ScheduleFile::write(day).replace("\"version\": 1", "\"version\": 2");
        QVERIFY(!ScheduleFile::read(newer, &problem));
        QCOMPARE(problem, QStringLiteral("a version this program does not read"));
        QByteArray bad = ScheduleFile::write(day).replace("\"state\": 2", "\"state\": 9");
        QVERIFY(!ScheduleFile::read(bad, &problem));
        QCOMPARE(problem, QStringLiteral("match 1 cannot be read"));
        QVERIFY(!ScheduleFile::read("[]", &problem));
        QCOMPARE(problem, QStringLiteral("not an event's schedule"));
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
