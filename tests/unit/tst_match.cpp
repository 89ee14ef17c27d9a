// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "game/game.h"
#include "game/matchstrip.h"
#include "input/keydispatch.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace modCount;

Q_DECLARE_METATYPE(MatchFormat)

namespace {

ClockValue minutes(int m, int s = 0)
{
    return ClockValue::fromSeconds(m * 60 + s);
}

// The shapes the shipped presets have, and two of their variants.
MatchFormat race7()
{
    MatchFormat f;
    f.name = QStringLiteral("Race to 7");
    f.shortName = QStringLiteral("R7");
    f.gameLength = minutes(15);
    f.breakLength = minutes(2);
    f.raceTo = 7;
    f.switchEvery = 4;
    f.timeouts = 1;
    f.timeoutLength = minutes(1);
    return f;
}

MatchFormat halves()
{
    MatchFormat f;
    f.name = QStringLiteral("Two halves");
    f.shortName = QStringLiteral("2x15");
    f.gameLength = minutes(15);
    f.halves = 2;
    f.halftime = minutes(5);
    f.breakLength = minutes(1);
    f.mercy = 7;
    f.timeouts = 1;
    return f;
}

MatchFormat timed()
{
    MatchFormat f;
    f.name = QStringLiteral("Timed");
    f.shortName = QStringLiteral("T12");
    f.gameLength = minutes(12);
    f.breakLength = minutes(1);
    f.mercy = 5;
    f.overtime = minutes(5);
    return f;
}

MatchFormat drawn()
{
    MatchFormat f = timed();
    f.overtime = {};
    return f;
}

MatchFormat waiting()
{
    MatchFormat f = race7();
    f.autoStart = false;
    return f;
}

MatchFormat running()
{
    MatchFormat f = race7();
    f.stopTime = false;
    f.releasePenalty = true;
    return f;
}

QString clockText(ClockValue value)
{
    const qint64 tenths = value.raw() / ClockValue::PerTenth;
    return QStringLiteral("%1:%2.%3")
        .arg(tenths / 600)
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

} // namespace

// A match played on a game by its events, on a fake clock.
class TestMatch : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<Game> m_game;
    QStringList m_refused;
    int m_buzzers = 0;

    void begin(const std::optional<MatchFormat> &format)
    {
        m_time = FakeTimeSource();
        m_game = std::make_unique<Game>(m_time);
        m_game->startUp();
        m_game->setTeamNames(QStringLiteral("Alpha"), QStringLiteral("Bravo"));
        m_refused.clear();
        m_buzzers = 0;
        connect(m_game.get(), &Game::matchRefused, this, [this](MatchRefusal why, int team) {
            m_refused << refusalText(why, team == 1 ? "Alpha" : "Bravo");
        });
        connect(m_game.get(), &Game::buzzerSounded, this, [this] { ++m_buzzers; });
        if (format)
            QVERIFY(m_game->beginMatch(*format));
    }

    // Steps: go (the start key), H and V (a lamp), T1 and T2 (a timeout),
    // u (undo), +H and +V (a score raised by +), pN=S (a penalty of S
    // seconds on slot N, started), end, new (a new game), wS (S seconds of ticks; wS.T adds
    // tenths), aMS (time passes with no tick).
    void play(const QString &script)
    {
        static const QRegularExpression wait(QStringLiteral("^w(\\d+)(?:\\.(\\d))?$"));
        static const QRegularExpression penalty(QStringLiteral("^p(\\d)=(\\d+)$"));
        static const QRegularExpression gap(QStringLiteral("^a(\\d+)$"));
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch w = wait.match(step);
            const QRegularExpressionMatch p = penalty.match(step);
            if (const QRegularExpressionMatch a = gap.match(step); a.hasMatch()) {
                m_time.advanceMs(a.captured(1).toInt());
            } else if (w.hasMatch()) {
                const int tenths = w.captured(1).toInt() * 10 + w.captured(2).toInt();
                for (int i = 0; i < tenths; ++i) {
                    m_time.advanceMs(100);
                    m_game->tick();
                }
            } else if (p.hasMatch()) {
                const auto slot = qint16(p.captured(1).toInt());
                m_game->enterPenaltyTime(slot, ClockValue::fromSeconds(p.captured(2).toInt()));
                m_game->startStopPenalty(slot);
            } else if (step == QLatin1String("go")) {
                m_game->startStopClock();
            } else if (step == QLatin1String("H") || step == QLatin1String("V")) {
                m_game->toggleLamp(step == QLatin1String("H") ? GoalLamp::Home : GoalLamp::Visitor);
            } else if (step.startsWith(QLatin1Char('T'))) {
                m_game->callTimeout(step.mid(1).toInt());
            } else if (step == QLatin1String("u")) {
                m_game->undo();
            } else if (step == QLatin1String("new")) {
                m_game->newGame();
            } else if (step == QLatin1String("end")) {
                m_game->endMatch();
            } else if (step.startsWith(QLatin1Char('+'))) {
                const auto team = step == QLatin1String("+H") ? FigureRowId::HomeScore
                                                              : FigureRowId::VisitorScore;
                m_game->scoreKey(team, KeyDispatch::EntryPlus);
                m_game->scoreKey(team, '1');
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
            }
        }
    }

    // What the board shows: the score, the strip, the two clocks ("+" while
    // one runs) and the penalty clocks that show a time.
    static QString board(const Game &game)
    {
        const GameSnapshot now = game.snapshot();
        QStringList shown{
            QStringLiteral("%1-%2").arg(scoreValue(now.home)).arg(scoreValue(now.visitor)),
            matchStrip(game).join(QStringLiteral(" · ")),
            clock(game, GameSlot) + QLatin1Char(' ') + clock(game, ShotSlot)};
        for (qint16 slot = FirstPenaltySlot; slot <= LastPenaltySlot; ++slot) {
            if (now.penaltyShown[size_t(slot - 1)])
                shown << QStringLiteral("p%1 ").arg(slot) + clock(game, slot);
        }
        return shown.join(QStringLiteral(" | "));
    }

    static QString clock(const Game &game, qint16 slot)
    {
        return clockText(game.clockValue(slot)) +
            (game.isCounting(slot) ? QStringLiteral("+") : QString());
    }

private slots:
    // Each format played by its events; the strip, the game clock ("+"
    // while it runs) and the shot clock as they stand at the end.
    void played_data()
    {
        QTest::addColumn<MatchFormat>("format");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<int>("buzzers");
        const QString sixPoints = QStringLiteral("go ") + QStringLiteral("H w120 ").repeated(6);
        const QString r7 = QStringLiteral("R7 · Race to 7 · Timeouts Alpha 1 – 1 Bravo");
        const QString tie = QStringLiteral("go H w60 V w60 w720");
        QTest::newRow("begun, waiting for the start key")
            << race7() << ""
            << "0-0 | " + r7 + " · Ready | 15:00.0 2:00.0"
            << "" << 0;
        QTest::newRow("a point stops the clock and starts the break")
            << race7() << "go w10 H w5"
            << "1-0 | " + r7 + " · Break | 14:50.0 1:55.0+"
            << "" << 0;
        QTest::newRow("the break's end starts the next point")
            << race7() << "go w10 H w120 w5"
            << "1-0 | " + r7 + " | 14:45.0+ 0:00.0"
            << "" << 0;
        QTest::newRow("ends switched after four points")
            << race7() << "go H w120 V w120 H w120 V"
            << "2-2 | " + r7 + " · Break · Switch ends | 15:00.0 2:00.0+"
            << "" << 0;
        QTest::newRow("the race won, and a lamp after it")
            << race7() << sixPoints + "H V"
            << "7-0 | " + r7 + " · Alpha wins 7–0 | 15:00.0 0:00.0"
            << "The match is over" << 1;
        QTest::newRow("a score raised by + counts toward the race")
            << race7() << sixPoints + "+H"
            << "7-0 | " + r7 + " · Alpha wins 7–0 | 15:00.0 0:00.0"
            << "" << 1;
        QTest::newRow("a score raised by + starts no break") << race7() << "go w1 +H"
                                                             << "1-0 | " + r7 + " | 14:59.0+ 2:00.0"
                                                             << "" << 0;
        QTest::newRow("a lamp in a break gives no point")
            << race7() << "go H V"
            << "1-0 | " + r7 + " · Break | 15:00.0 2:00.0+"
            << "No point: none is being played" << 0;
        QTest::newRow("the mercy rule")
            << halves() << QStringLiteral("go ") + QStringLiteral("H w60 ").repeated(6) + "H"
            << "7-0 | 2x15 · Half 1 · Timeouts Alpha 1 – 1 Bravo · Alpha wins 7–0 | 15:00.0 0:00.0"
            << "" << 1;
        QTest::newRow("the half's end into halftime")
            << halves() << "go w10 H w60 w890"
            << "1-0 | 2x15 · Half 2 · Timeouts Alpha 1 – 1 Bravo · Halftime | 15:00.0 5:00.0+"
            << "" << 1;
        QTest::newRow("halftime's end starts the second half")
            << halves() << "go w10 H w60 w890 w301"
            << "1-0 | 2x15 · Half 2 · Timeouts Alpha 1 – 1 Bravo | 14:59.0+ 0:00.0"
            << "" << 1;
        QTest::newRow("a point a tenth before the half's end")
            << halves() << "go w899.9 H"
            << "1-0 | 2x15 · Half 1 · Timeouts Alpha 1 – 1 Bravo · Break | 0:00.1 1:00.0+"
            << "" << 0;
        QTest::newRow("a point as the half ends, between two ticks")
            << halves() << "go w899.9 a100 H"
            << "0-0 | 2x15 · Half 2 · Timeouts Alpha 1 – 1 Bravo · Halftime | 15:00.0 5:00.0+"
            << "No point: none is being played" << 1;
        QTest::newRow("a tie into overtime")
            << timed() << tie << "1-1 | T12 · Overtime · Break | 5:00.0 1:00.0+"
            << "" << 1;
        QTest::newRow("a sudden-death point")
            << timed() << tie + " w63 V"
            << "1-2 | T12 · Overtime · Bravo wins 2–1 | 4:57.0 0:00.0"
            << "" << 2;
        QTest::newRow("a tie with no overtime")
            << drawn() << tie << "1-1 | T12 · Draw 1–1 | 0:00.0 0:00.0"
            << "" << 1;
        QTest::newRow("a timeout adds to the break")
            << race7() << "go H w30 T1"
            << "1-0 | R7 · Race to 7 · Timeouts Alpha 0 – 1 Bravo · Timeout Alpha | 15:00.0 2:30.0+"
            << "" << 0;
        QTest::newRow("timeouts refused in a point and when none is left")
            << race7() << "go T1 H T1 T1 T2"
            << "1-0 | R7 · Race to 7 · Timeouts Alpha 0 – 0 Bravo · Timeout Bravo | 15:00.0 4:00.0+"
            << "No timeout during a point; Alpha has no timeout left" << 0;
        QTest::newRow("the start key after the break")
            << waiting() << "go H w120"
            << "1-0 | " + r7 + " · Ready | 15:00.0 0:00.0"
            << "" << 0;
        QTest::newRow("the start key starts the point") << waiting() << "go H w120 go w2"
                                                        << "1-0 | " + r7 + " | 14:58.0+ 0:00.0"
                                                        << "" << 0;
        QTest::newRow("running time, a penalty released by the point")
            << running() << "go p3=60 p4=30 w10 H"
            << "1-0 | " + r7 + " · Break | 14:50.0+ 2:00.0+ | p3 0:50.0+"
            << "" << 0;
        QTest::newRow("ended early") << race7() << "go w10 H end"
                                     << "1-0 | " + r7 + " · Alpha wins 1–0 | 14:50.0 2:00.0"
                                     << "" << 0;
        QTest::newRow("undo of a point") << race7() << "go w10 H w5 u"
                                         << "0-0 | " + r7 + " | 14:45.0+ 2:00.0"
                                         << "" << 0;
        QTest::newRow("undo of a point after its break ran out")
            << race7() << "go w10 H w125 u"
            << "0-0 | " + r7 + " | 12:45.0+ 2:00.0"
            << "" << 0;
        QTest::newRow("undo of the point that won") << race7() << sixPoints + "H u"
                                                    << "6-0 | " + r7 + " | 15:00.0+ 0:00.0"
                                                    << "" << 1;
        QTest::newRow("undo of a timeout") << race7() << "go H w30 T1 u"
                                           << "1-0 | " + r7 + " · Break | 15:00.0 1:30.0+"
                                           << "" << 0;
        QTest::newRow("undo of an early end") << race7() << "go w10 end w2 u"
                                              << "0-0 | " + r7 + " | 14:48.0+ 2:00.0"
                                              << "" << 0;
        QTest::newRow("undo of a point after its half ended")
            << halves() << "go w10 H w60 w890 w100 u"
            << "0-0 | 2x15 · Half 2 · Timeouts Alpha 1 – 1 Bravo · Halftime | 15:00.0 2:20.0+"
            << "" << 1;
        QTest::newRow("a timeout before the first point waits for the start key")
            << race7() << "T1 w61"
            << "0-0 | R7 · Race to 7 · Timeouts Alpha 0 – 1 Bravo · Ready | 15:00.0 0:00.0"
            << "" << 0;
        QTest::newRow("a new game after a match is plain") << race7() << "go w10 H new"
                                                           << "0-0 |  | 20:00.0 2:00.0"
                                                           << "" << 0;
        QTest::newRow("no format: F8 and the lamp as ever") << MatchFormat{} << "T1 H H"
                                                            << "1-0 |  | 20:00.0 2:00.0"
                                                            << "" << 0;
    }

    void played()
    {
        QFETCH(MatchFormat, format);
        QFETCH(QString, script);
        QFETCH(QString, shown);
        QFETCH(QString, refused);
        QFETCH(int, buzzers);
        begin(format.name.isEmpty() ? std::nullopt : std::optional(format));
        play(script);
        QCOMPARE(board(*m_game), shown);
        QCOMPARE(m_refused.join(QStringLiteral("; ")), refused);
        QCOMPARE(m_buzzers, buzzers);
    }

    // A match killed in its break comes back by true time, with its half,
    // timeouts and points.
    void resumedMidBreak_data()
    {
        QTest::addColumn<MatchFormat>("format");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("gapSeconds");
        QTest::addColumn<QString>("shown");
        const QString timeout = QStringLiteral("go w10 H w30 T1 w30");
        QTest::newRow("still in the break")
            << halves() << timeout << 20
            << "1-0 | 2x15 · Half 1 · Timeouts Alpha 0 – 1 Bravo · Timeout Alpha | 14:50.0 0:40.0+";
        QTest::newRow("the break ran out while away")
            << halves() << timeout << 110
            << "1-0 | 2x15 · Half 1 · Timeouts Alpha 0 – 1 Bravo | 14:00.0+ 0:00.0";
        QTest::newRow("the half and halftime ran out while away")
            << halves() << "go w10" << 1200
            << "0-0 | 2x15 · Half 2 · Timeouts Alpha 1 – 1 Bravo | 14:50.0+ 0:00.0";
        QTest::newRow("waiting for the start key")
            << waiting() << timeout << 130
            << "1-0 | R7 · Race to 7 · Timeouts Alpha 0 – 1 Bravo · Ready | 14:50.0 0:00.0";
    }

    void resumedMidBreak()
    {
        QFETCH(MatchFormat, format);
        QFETCH(QString, script);
        QFETCH(int, gapSeconds);
        QFETCH(QString, shown);
        begin(format);
        play(script);
        const GameSnapshot kept = m_game->snapshot();
        m_time.advanceMs(gapSeconds * 1000);
        Game resumed(m_time);
        resumed.setTeamNames(QStringLiteral("Alpha"), QStringLiteral("Bravo"));
        resumed.restore(kept);
        QCOMPARE(board(resumed), shown);
    }
};

QTEST_GUILESS_MAIN(TestMatch)
#include "tst_match.moc"
