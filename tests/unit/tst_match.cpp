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
        connect(m_game.get(), &Game::matchRefused, this,
                [this](MatchRefusal why, int team) { m_refused << refusalText(why, team == 1 ? "Alpha" : "Bravo"); });
        connect(m_game.get(), &Game::buzzerSounded, this, [this] { ++m_buzzers; });
        if (format)
            m_game->beginMatch(*format);
    }

    // Steps: go (the start key), H and V (a lamp), T1 and T2 (a timeout),
    // u (undo), +H and +V (a score raised by +), pN=S (a penalty of S
    // seconds on slot N, started), end, wS (S seconds of ticks; wS.T adds
    // tenths).
    void play(const QString &script)
    {
        static const QRegularExpression wait(QStringLiteral("^w(\\d+)(?:\\.(\\d))?$"));
        static const QRegularExpression penalty(QStringLiteral("^p(\\d)=(\\d+)$"));
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch w = wait.match(step);
            const QRegularExpressionMatch p = penalty.match(step);
            if (w.hasMatch()) {
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

    // What the board shows: the strip, the two clocks and whether the game
    // clock runs.
    QString board() const
    {
        return QStringLiteral("%1 | %2%3 %4")
            .arg(matchStrip(*m_game).join(QStringLiteral(" · ")),
                 clockText(m_game->clockValue(GameSlot)),
                 m_game->isCounting(GameSlot) ? QStringLiteral("+") : QString(),
                 clockText(m_game->clockValue(ShotSlot)));
    }

private slots:
    // Each format played by its events; the strip, the game clock ("+"
    // while it runs) and the shot clock as they stand at the end.
    void played_data()
    {
        QTest::addColumn<MatchFormat>("format");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("buzzers");
        const QString point = QStringLiteral("w10 H w120 ");
        QTest::newRow("begun: waits for the start key")
            << race7() << "" << "Race to 7 · Race to 7 · Timeouts Alpha 1 – 1 Bravo · Ready | 15:00.0 2:00.0" << 0;
    }

    void played()
    {
        QFETCH(MatchFormat, format);
        QFETCH(QString, script);
        QFETCH(QString, shown);
        QFETCH(int, buzzers);
        begin(format);
        play(script);
        QCOMPARE(board(), shown);
        QCOMPARE(m_buzzers, buzzers);
    }
};

QTEST_GUILESS_MAIN(TestMatch)
#include "tst_match.moc"
