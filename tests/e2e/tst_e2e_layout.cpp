// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QtTest>

using E2e::Harness;

namespace {

// The width of the pixels of exactly this colour inside a place given in the
// board's twips.
int inkWidth(const QImage &image, int left, int top, int width, int height, const QColor &colour)
{
    const double x = double(image.width()) / 632 / 15;
    const double y = double(image.height()) / 453 / 15;
    const QRect inside = QRect(int(left * x), int(top * y), int(width * x), int(height * y))
                             .intersected(image.rect());
    int first = -1;
    int last = -1;
    for (int px = inside.left(); px <= inside.right(); ++px) {
        for (int py = inside.top(); py <= inside.bottom(); ++py) {
            if (image.pixelColor(px, py) == colour) {
                first = first < 0 ? px : first;
                last = px;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

} // namespace

// What only a window a window manager frames shows.
class TestE2eLayout : public QObject
{
    Q_OBJECT

private slots:
    // The frame comes only after the board shows, and the names are sized
    // for the framed window: at the design size a name set as the "Penalty"
    // captions are reads exactly as wide as they do.
    void framedBoard()
    {
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        QVERIFY2(harness.startWindowManager(), qPrintable(harness.lastError()));
        QVERIFY(
            harness.writeSettingsFile("[TextSettings]\nHomeText=Penalty\nTeamSize=16\n"
                                      "[ColorSettings]\nHomeColor=65535\nBorderColor=16776960\n"));
        const E2e::WindowId window = harness.openBoard();
        QVERIFY2(window != 0, qPrintable(harness.lastError()));
        const QColor name(255, 255, 0), caption(0, 255, 255);
        QImage board;
        int names = 0;
        int captions = 0;
        E2e::waitUntil(
            [&] {
                board = harness.grab(window);
                names = inkWidth(board, 480, 360, 1920, 600, name);
                captions = inkWidth(board, 360, 2520, 2055, 375, caption);
                return names > 0 && names == captions;
            },
            5000, 200);
        harness.saveShot(board, QStringLiteral("layout-framed-names"));
        QCOMPARE(board.size(), QSize(632, 453));
        QVERIFY(captions > 40);
        QCOMPARE(names, captions);
    }
};

QTEST_GUILESS_MAIN(TestE2eLayout)
#include "tst_e2e_layout.moc"
