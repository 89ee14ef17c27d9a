// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QtTest>

using E2e::Harness;

// The real process from its start to its end, and its sounds on a real
// sound server.
class TestE2eStartUp : public QObject
{
    Q_OBJECT

private slots:
    // Two quick clicks on the splash: one board, and the splash gone.
    void splashLeadsToOneBoard()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay() && harness.startApp(), qPrintable(harness.lastError()));
        const E2e::WindowId splash = harness.waitForWindow(Harness::splashTitle(), 15000);
        QVERIFY2(splash != 0, qPrintable(harness.lastError() + harness.appLog()));
        QVERIFY(harness.visibleWindows(QStringLiteral("^Vantrell$")).isEmpty());
        QVERIFY(harness.click(splash, QPoint(40, 30)));
        harness.click(splash, QPoint(40, 30));
        const E2e::WindowId board = harness.waitForWindow(QStringLiteral("^Vantrell$"), 15000);
        QVERIFY(board != 0);
        QVERIFY(E2e::waitUntil(
            [&] { return harness.visibleWindows(Harness::splashTitle()).isEmpty(); }, 5000));
        QCOMPARE(harness.visibleWindows(QStringLiteral("^Vantrell$")).size(), 1);
        QVERIFY(harness.waitForText(board, BoardGeometry::FigureSet::GameClock,
                                    QStringLiteral("20:00"), 5000));
    }

    void closingEndsTheProgram_data()
    {
        QTest::addColumn<bool>("board");
        QTest::newRow("the splash") << false;
        QTest::newRow("the board, with help open") << true;
    }
    void closingEndsTheProgram()
    {
        QFETCH(bool, board);
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        E2e::WindowId window = 0;
        if (board) {
            window = harness.openBoard();
            QVERIFY(window != 0 && harness.key(window, QStringLiteral("F1")));
            QVERIFY(harness.waitForWindow(QStringLiteral("^Vantrell Help$"), 10000) != 0);
        } else {
            QVERIFY(harness.startApp());
            window = harness.waitForWindow(Harness::splashTitle(), 15000);
        }
        QVERIFY2(window != 0 && harness.requestClose(window), qPrintable(harness.lastError()));
        QVERIFY(harness.waitForAppExit(10000));
        QCOMPARE(harness.appExitCode(), 0);
    }

    // The buzzer key plays a stream; a second press meanwhile plays nothing;
    // once the end is reported the horn key plays.
    void soundsPlayOneAtATime()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay() && harness.startSoundServer(),
                 qPrintable(harness.lastError()));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY(board != 0);
        QVERIFY(harness.soundStreams().isEmpty());
        QVERIFY(harness.key(board, QStringLiteral("b")));
        QStringList first;
        QVERIFY(E2e::waitUntil([&] { return !(first = harness.soundStreams()).isEmpty(); }, 10000));
        QVERIFY(harness.key(board, QStringLiteral("b")));
        QTest::qWait(300);
        QCOMPARE(harness.soundStreams(), first);
        // horn.wav lasts 1.8 s; the null sink reports its end a little later.
        QVERIFY(E2e::waitUntil([&] { return harness.soundStreams() != first; }, 10000));
        QVERIFY(harness.key(board, QStringLiteral("g")));
        QVERIFY(E2e::waitUntil(
            [&] {
                const QStringList now = harness.soundStreams();
                return !now.isEmpty() && now != first;
            },
            10000));
    }
};

QTEST_GUILESS_MAIN(TestE2eStartUp)
#include "tst_e2e_startup.moc"
