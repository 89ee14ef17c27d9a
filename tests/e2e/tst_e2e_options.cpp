#include "harness.h"

#include <QRegularExpression>
#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;

namespace {

// The "Start / Stop  Clock" row's button on the first tab of the options
// dialog, which has a fixed size and layout.
const QPoint StartStopClockRow(94, 85);

} // namespace

// A key rebound in the real dialog drives the board at once and is stored.
class TestE2eOptions : public QObject
{
    Q_OBJECT

private slots:
    void reboundKeyDrivesTheBoard()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY2(board != 0, qPrintable(harness.lastError()));

        QVERIFY(harness.key(board, QStringLiteral("F2")));
        const E2e::WindowId options = harness.waitForWindow(QStringLiteral("^Options$"), 10000);
        QVERIFY2(options != 0, qPrintable(harness.lastError()));
        harness.saveShot(harness.grab(options), QStringLiteral("options"));
        QVERIFY(harness.click(options, StartStopClockRow));
        const E2e::WindowId chooser = harness.waitForWindow(QStringLiteral("^Choose Key$"), 10000);
        QVERIFY2(chooser != 0, qPrintable(harness.lastError()));
        // A key another command has is refused; the window stays.
        QVERIFY(harness.key(chooser, QStringLiteral("r")));
        QTest::qWait(300);
        QCOMPARE(harness.visibleWindows(QStringLiteral("^Choose Key$")).size(), 1);
        QVERIFY2(harness.key(chooser, QStringLiteral("q")), qPrintable(harness.lastError()));
        QVERIFY(E2e::waitUntil([&] { return harness.visibleWindows(QStringLiteral("^Choose Key$")).isEmpty(); },
                               5000));
        // Enter confirms the dialog; the row's button does not open the capture again.
        QVERIFY(harness.key(options, QStringLiteral("Return")));
        QVERIFY(E2e::waitUntil([&] { return harness.visibleWindows(QStringLiteral("^Options$")).isEmpty(); },
                               5000));
        QCOMPARE(harness.setting(QStringLiteral("KeySettings/StartStopClockKey")).toString(),
                 QStringLiteral("81"));

        // S no longer starts the clock; Q does.
        QVERIFY(harness.key(board, QStringLiteral("s")));
        QTest::qWait(1500);
        QCOMPARE(harness.readText(board, FigureSet::GameClock), QStringLiteral("20:00"));
        QVERIFY(harness.key(board, QStringLiteral("q")));
        const QRegularExpression running(QStringLiteral("^19:5[0-9]$"));
        QString seen;
        QVERIFY2(E2e::waitUntil([&] { return running.match(seen = harness.readText(board, FigureSet::GameClock)).hasMatch(); },
                                8000),
                 qPrintable(seen));
    }
};

QTEST_GUILESS_MAIN(TestE2eOptions)
#include "tst_e2e_options.moc"
