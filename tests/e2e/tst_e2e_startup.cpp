#include "harness.h"

#include <QtTest>

using BoardGeometry::FigureSet;
using E2e::Harness;

namespace {

const QString HelpTitle = QStringLiteral("^Vantrell Help$");

// Rows of the picture with dark pixels on the light page: lines of text.
int textRows(const QImage &image)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 20; x < image.width() - 20; ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

} // namespace

// From a fresh start to the board, the manual and both sounds.
class TestE2eStartUp : public QObject
{
    Q_OBJECT

private slots:
    void splashLeadsToTheBoard()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        QVERIFY2(harness.startApp(), qPrintable(harness.lastError()));
        const E2e::WindowId splash = harness.waitForWindow(Harness::splashTitle(), 15000);
        QVERIFY2(splash != 0, qPrintable(harness.lastError()));
        QVERIFY(harness.visibleWindows(QStringLiteral("^Vantrell$")).isEmpty());
        harness.saveShot(harness.grab(splash), QStringLiteral("splash"));
        // Two quick clicks: one board.
        QVERIFY(harness.click(splash, QPoint(40, 30)));
        harness.click(splash, QPoint(40, 30));
        const E2e::WindowId board = harness.waitForWindow(QStringLiteral("^Vantrell$"), 15000);
        QVERIFY(board != 0);
        QVERIFY(E2e::waitUntil([&] { return harness.visibleWindows(Harness::splashTitle()).isEmpty(); }, 5000));
        QCOMPARE(harness.visibleWindows(QStringLiteral("^Vantrell$")).size(), 1);
        QVERIFY(harness.isAppRunning());
        QVERIFY(harness.waitForText(board, FigureSet::GameClock, QStringLiteral("20:00"), 5000));
    }

    void closingTheSplashEndsTheProgram()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        QVERIFY2(harness.startApp(), qPrintable(harness.lastError()));
        const E2e::WindowId splash = harness.waitForWindow(Harness::splashTitle(), 15000);
        QVERIFY(splash != 0);
        QVERIFY2(harness.requestClose(splash), qPrintable(harness.lastError()));
        QVERIFY(harness.waitForAppExit(10000));
        QCOMPARE(harness.appExitCode(), 0);
    }

    void closingTheBoardEndsTheProgramWithHelpOpen()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY(board != 0);
        QVERIFY(harness.key(board, QStringLiteral("F1")));
        QVERIFY(harness.waitForWindow(HelpTitle, 10000) != 0);
        QVERIFY2(harness.requestClose(board), qPrintable(harness.lastError()));
        QVERIFY(harness.waitForAppExit(10000));
    }

    void helpShowsTheManualOnce()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY(board != 0);
        QVERIFY(harness.key(board, QStringLiteral("F1")));
        const E2e::WindowId help = harness.waitForWindow(HelpTitle, 10000);
        QVERIFY(help != 0);
        QVERIFY(harness.key(board, QStringLiteral("F1")));
        QTest::qWait(500);
        QCOMPARE(harness.visibleWindows(HelpTitle).size(), 1);
        const QImage page = harness.grab(help);
        harness.saveShot(page, QStringLiteral("help-manual"));
        // The manual fills the page with lines of text.
        QVERIFY2(textRows(page) > 150, qPrintable(QString::number(textRows(page))));
    }

    void helpSaysWhenTheManualIsMissing()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY(harness.useProgramFolderWithout({QStringLiteral("vantrellhelpfile.rtf")}));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        const E2e::WindowId board = harness.openBoard();
        QVERIFY(board != 0);
        QVERIFY(harness.key(board, QStringLiteral("F1")));
        const E2e::WindowId help = harness.waitForWindow(HelpTitle, 10000);
        QVERIFY(help != 0);
        const QImage page = harness.grab(help);
        harness.saveShot(page, QStringLiteral("help-missing"));
        // One sentence, on a line or two.
        QVERIFY2(textRows(page) > 5 && textRows(page) < 50, qPrintable(QString::number(textRows(page))));
    }

    // The buzzer key plays a stream on the sound server; a second press
    // meanwhile plays nothing; once the end is reported the key plays again.
    void buzzerPlaysOnceAtATime()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        QVERIFY2(harness.startSoundServer(), qPrintable(harness.lastError()));
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
        QStringList second;
        QVERIFY(E2e::waitUntil([&] {
            second = harness.soundStreams();
            return !second.isEmpty() && second != first;
        }, 10000));
        QVERIFY(harness.isAppRunning());
    }
};

QTEST_GUILESS_MAIN(TestE2eStartUp)
#include "tst_e2e_startup.moc"
