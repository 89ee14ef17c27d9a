// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QElapsedTimer>
#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;
using E2e::WindowId;

namespace {

// Seconds as the board shows them below a minute: "42.7".
double shownSeconds(const QString &text)
{
    bool ok = false;
    const double seconds = text.trimmed().toDouble(&ok);
    return ok ? seconds : -1;
}

} // namespace

// A game ended by a kill or by the close box comes back when the board
// opens again.
class tst_e2e_resume : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;

    // The board and, while it is asked, the question: both are "Vantrell";
    // the board is the larger.
    WindowId openBoard(WindowId *question)
    {
        if (!m_harness->openBoard())
            return 0;
        WindowId board = 0;
        E2e::waitUntil(
            [&] {
                *question = 0;
                for (WindowId window : m_harness->visibleWindows("^Vantrell$"))
                    (m_harness->windowGeometry(window).width() > 500 ? board : *question) = window;
                return board && *question;
            },
            3000);
        return board;
    }

    // The running game clock, and how far it is from a clock that ran
    // without a break since `started` from 50.0 s.
    double driftFromUnbroken(WindowId board, const QElapsedTimer &started)
    {
        const qint64 before = started.elapsed();
        const double shown = shownSeconds(m_harness->readText(board, FigureSet::GameClock));
        const qint64 after = started.elapsed();
        const double earliest = 50.0 - after / 1000.0;
        const double latest = 50.0 - before / 1000.0;
        // The figures show tenths, cut down.
        return shown < earliest - 0.1 ? shown - earliest + 0.1
            : shown > latest          ? shown - latest
                                      : 0;
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(m_harness->startDisplay(QSize(1600, 1000)), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->startWindowManager());
    }
    void cleanup() { m_harness.reset(); }

    void aKilledGameResumesAndAClosedOneIsOfferedAgain()
    {
        WindowId question = 0;
        WindowId board = m_harness->openBoard();
        QVERIFY(board);
        // Home 3, visitor 1, shot clock stopped at 1:5x, game clock 50 s running.
        QVERIFY(m_harness->key(board, "0 period 5 0 Return Tab 3 Return Tab 1 Return z"));
        QVERIFY(m_harness->key(board, "s"));
        QElapsedTimer started;
        started.start();
        const auto gameClockReaches = [&](double seconds) {
            return E2e::waitUntil(
                [&] {
                    const double shown =
                        shownSeconds(m_harness->readText(board, FigureSet::GameClock));
                    return shown >= 0 && shown <= seconds;
                },
                15000, 100);
        };
        QVERIFY(gameClockReaches(46.0));
        QVERIFY(m_harness->key(board, "z"));
        QVERIFY(gameClockReaches(38.0));
        const QString shot = m_harness->readText(board, FigureSet::ShotClock);
        const double before = driftFromUnbroken(board, started);
        QVERIFY2(qAbs(before) < 0.3, qPrintable(QStringLiteral("%1 s off before").arg(before)));

        m_harness->killApp();
        board = openBoard(&question);
        QVERIFY2(question, "the killed game is offered");
        QVERIFY(m_harness->key(question, "Return"));
        QVERIFY(m_harness->waitForText(board, FigureSet::HomeScore, QStringLiteral(" 3"), 5000));
        QCOMPARE(m_harness->readText(board, FigureSet::VisitorScore), QStringLiteral(" 1"));
        QCOMPARE(m_harness->readText(board, FigureSet::ShotClock), shot);
        const double drift = driftFromUnbroken(board, started);
        QVERIFY2(qAbs(drift) < 0.3, qPrintable(QStringLiteral("resumed %1 s off").arg(drift)));
        // The record window takes the keyboard; the board's commands still act.
        QVERIFY(m_harness->key(board, "F3"));
        const WindowId record = m_harness->waitForWindow("^Vantrell Game Record$", 5000);
        QVERIFY(record && m_harness->key(record, "s"));
        const QString stopped = m_harness->readText(board, FigureSet::GameClock);
        QTest::qWait(300);
        QCOMPARE(m_harness->readText(board, FigureSet::GameClock), stopped);

        // Closed mid-game, it is offered again, a new game first.
        QVERIFY(m_harness->requestClose(board));
        QVERIFY(m_harness->waitForAppExit(5000));
        board = openBoard(&question);
        QVERIFY2(question, "the game closed mid-game is offered");
        QVERIFY(m_harness->key(question, "Return"));
        QVERIFY(m_harness->waitForText(board, FigureSet::GameClock, QStringLiteral("20:00"), 5000));
        QCOMPARE(m_harness->readText(board, FigureSet::HomeScore), QStringLiteral(" 0"));
    }

    // A league secretary's sheet: a goal given, another given and undone,
    // the PDF saved through the file chooser and read back as text.
    void theGameSheetPrints()
    {
        QVERIFY(m_harness->writeSettingsFile("[TextSettings]\nHomeText=Reds\nVisitorText=Blues\n"));
        const WindowId board = m_harness->openBoard();
        // The game clock at 12:34, then the goal field: Left is the home
        // lamp, Right the visitor's, F4 takes the last back.
        QVERIFY(board && m_harness->key(board, "1 2 period 3 4 Return Tab Tab Tab Left Right F4"));
        QVERIFY(m_harness->waitForText(board, FigureSet::VisitorScore, QStringLiteral(" 0"), 3000));
        const QString sheet = m_harness->gameSheetText(board);
        QVERIFY2(sheet.startsWith("Reds-Blues1-0Started"), qPrintable(sheet));
        QVERIFY2(sheet.contains("GoalsGameclockTeamScore12:34Reds1-0Penalties"), qPrintable(sheet));
    }
};

QTEST_GUILESS_MAIN(tst_e2e_resume)
#include "tst_e2e_resume.moc"
