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
// opens again; an accidental reset is undone with F4.
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
                const QList<WindowId> windows = m_harness->visibleWindows("^Vantrell$");
                *question = 0;
                for (WindowId window : windows) {
                    if (m_harness->windowGeometry(window).width() > 500)
                        board = window;
                    else
                        *question = window;
                }
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
        QTest::qWait(4000);
        QVERIFY(m_harness->key(board, "z"));
        QTest::qWait(8000);
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
        double drift = driftFromUnbroken(board, started);
        QVERIFY2(qAbs(drift) < 0.3, qPrintable(QStringLiteral("resumed %1 s off").arg(drift)));
        // An accidental R, then F4: the clock runs on as if never reset.
        QVERIFY(m_harness->key(board, "r"));
        QVERIFY(m_harness->waitForText(board, FigureSet::GameClock, QStringLiteral("50.0"), 3000));
        QVERIFY(m_harness->key(board, "F4"));
        drift = driftFromUnbroken(board, started);
        QVERIFY2(qAbs(drift) < 0.3, qPrintable(QStringLiteral("undone %1 s off").arg(drift)));
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

    // The game sheet from the record window, through the file chooser, as
    // a PDF that becomes a picture with the game on it.
    void theGameSheetPrints()
    {
        const WindowId board = m_harness->openBoard();
        QVERIFY(board && m_harness->key(board, "Tab 7 Return F3"));
        const WindowId record = m_harness->waitForWindow("^Vantrell Game Record$", 5000);
        QVERIFY(record && m_harness->key(record, "Tab Tab Tab Tab space"));
        const WindowId chooser = m_harness->waitForWindow("^Save the game sheet as PDF$", 5000);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("sheet.pdf");
        QVERIFY(chooser && m_harness->key(chooser, "ctrl+a"));
        QVERIFY(m_harness->runXdotool({"type", pdf}) && m_harness->key(chooser, "Return"));
        QVERIFY(E2e::waitUntil([&] { return QFileInfo(pdf).size() > 0; }, 5000));
        QVERIFY(m_harness->run("pdftoppm",
                               {"-png", "-r", "40", "-singlefile", pdf, dir.filePath("sheet")}));
        const QImage page(dir.filePath("sheet.png"));
        int ink = 0;
        for (int y = 0; y < page.height() / 3; ++y)
            for (int x = 0; x < page.width(); ++x)
                ink += qGray(page.pixel(x, y)) < 128;
        QVERIFY2(ink > 200, qPrintable(QStringLiteral("%1 dark pixels").arg(ink)));
    }
};

QTEST_GUILESS_MAIN(tst_e2e_resume)
#include "tst_e2e_resume.moc"
