#include "harness.h"

#include <QtTest>

#include <memory>

using BoardGeometry::FigureSet;
using E2e::Harness;

namespace {

// Pixels of the picture inside the rectangle that have exactly this colour.
int pixelsOf(const QImage &image, const QRect &rect, const QColor &colour)
{
    int count = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    }
    return count;
}

// The width of the pixels of exactly this colour inside the rectangle.
int inkWidth(const QImage &image, const QRect &rect, const QColor &colour)
{
    int first = -1;
    int last = -1;
    const QRect inside = rect.intersected(image.rect());
    for (int x = inside.left(); x <= inside.right(); ++x) {
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            if (image.pixelColor(x, y) != colour)
                continue;
            first = first < 0 ? x : first;
            last = x;
            break;
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

QRect twips(int left, int top, int width, int height, const QSize &window)
{
    const double x = double(window.width()) / 632 / 15;
    const double y = double(window.height()) / 453 / 15;
    return QRect(int(left * x), int(top * y), int(width * x), int(height * y));
}

} // namespace

// The board filling windows from its design size up to a 4K screen, every
// clock still readable; and a colour set of the operator's where it belongs.
class TestE2eLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Harness> m_harness;
    E2e::WindowId m_window = 0;

    void start(const QByteArray &store, bool framed = false)
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(m_harness->startDisplay(), qPrintable(m_harness->lastError()));
        if (framed)
            QVERIFY2(m_harness->startWindowManager(), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->writeSettingsFile(store));
        m_window = m_harness->openBoard();
        QVERIFY2(m_window != 0, qPrintable(m_harness->lastError()));
    }
    void keys(const QString &keysyms)
    {
        QVERIFY2(m_harness->key(m_window, keysyms), qPrintable(m_harness->lastError()));
    }

private slots:
    void cleanup() { m_harness.reset(); }

    void everyClockReadsAtEverySize()
    {
        start(QByteArray());
        // A time on every penalty clock, typed field by field with Tab from
        // the game clock (the focus order runs through all six).
        keys(QStringLiteral("Tab Tab Tab Tab Tab"));
        for (const char *time : {"1 period 1 0", "2 period 2 0", "3 period 3 0", "4 period 4 0",
                                 "5 period 5 0", "6 period 0 6"})
            keys(QLatin1String(time) + QStringLiteral(" Return Tab"));
        const QList<QPair<FigureSet, QString>> expected = {
            {FigureSet::GameClock, "20:00"},    {FigureSet::ShotClock, " 2:00"},
            {FigureSet::HomeScore, " 0"},       {FigureSet::VisitorScore, " 0"},
            {FigureSet::HomePenalty1, "1:10"},  {FigureSet::VisitorPenalty1, "2:20"},
            {FigureSet::HomePenalty2, "3:30"},  {FigureSet::VisitorPenalty2, "4:40"},
            {FigureSet::HomePenalty3, "5:50"},  {FigureSet::VisitorPenalty3, "6:06"},
        };
        for (const QSize size : {QSize(632, 453), QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160)}) {
            QVERIFY2(m_harness->resize(m_window, size), qPrintable(m_harness->lastError()));
            for (const auto &[set, text] : expected) {
                QString seen;
                QVERIFY2(m_harness->waitForText(m_window, set, text, 5000, &seen),
                         qPrintable(QStringLiteral("%1x%2: wanted \"%3\", %4")
                                        .arg(size.width()).arg(size.height()).arg(text, seen)));
            }
            m_harness->saveShot(m_harness->grab(m_window),
                                QStringLiteral("layout-%1x%2").arg(size.width()).arg(size.height()));
        }
    }

    // A window manager frames the board only after it shows. At the design
    // size a name opens at its own size: set as the "Penalty" captions are,
    // it reads exactly as wide as they do.
    void framedNamesOpenAtTheirSize()
    {
        start("[TextSettings]\nHomeText=Penalty\nTeamSize=16\n"
              "[ColorSettings]\nHomeColor=65535\nBorderColor=16776960\n",
              true);
        const QColor name(255, 255, 0), caption(0, 255, 255);
        QImage board;
        int names = 0;
        int captions = 0;
        E2e::waitUntil([&] {
            board = m_harness->grab(m_window);
            names = inkWidth(board, twips(480, 360, 1920, 600, board.size()), name);
            captions = inkWidth(board, twips(360, 2520, 2055, 375, board.size()), caption);
            return names > 0 && names == captions;
        }, 5000, 200);
        m_harness->saveShot(board, QStringLiteral("layout-framed-names"));
        QCOMPARE(board.size(), QSize(632, 453));
        QVERIFY(captions > 40);
        QCOMPARE(names, captions);
    }

    void coloursStandWhereTheyBelong()
    {
        start("[ColorSettings]\nFormBack=32768\nLEDBack=8388608\nTimeColor=65535\nScoreColor=16711935\n"
              "BorderColor=65280\nLEDSelected=255\nLEDSelectedWidth=4\nHomeColor=16776960\n"
              "VisitorColor=8421376\n");
        const QColor formBack(0, 128, 0), ledBack(0, 0, 128), time(255, 255, 0), score(255, 0, 255),
            border(0, 255, 0), selected(255, 0, 0), home(0, 255, 255), visitor(0, 128, 128);
        BoardReader::BoardColours colours;
        colours.clockLit = time;
        colours.scoreLit = score;
        colours.figureBack = ledBack;
        colours.dotLit = border;
        colours.dotBack = ledBack;
        QString seen;
        QVERIFY2(m_harness->waitForText(m_window, FigureSet::ShotClock, QStringLiteral(" 2:00"), 5000,
                                        &seen, colours),
                 qPrintable(seen));
        QCOMPARE(m_harness->readText(m_window, FigureSet::HomeScore, colours), QStringLiteral(" 0"));

        const QImage board = m_harness->grab(m_window);
        m_harness->saveShot(board, QStringLiteral("layout-colours"));
        const QSize size = board.size();
        // Window background outside the frame, boxes inside it.
        QCOMPARE(board.pixelColor(2, 2), formBack);
        QCOMPARE(board.pixelColor(twips(2640 + 60, 240 + 60, 1, 1, size).topLeft()), ledBack);
        QCOMPARE(board.pixelColor(twips(3173 + 1500, 2160 + 10, 1, 1, size).topLeft()), formBack);
        // The game clock field is selected: a frame of the highlight colour.
        QCOMPARE(board.pixelColor(twips(2640, 240 + 800, 1, 1, size).topLeft() - QPoint(2, 0)), selected);
        // The frame around the board, and the text of captions and names.
        QVERIFY(pixelsOf(board, twips(120, 3000, 120, 600, size), border) > 20);
        QVERIFY(pixelsOf(board, twips(360, 2520, 2055, 375, size), border) > 20);
        QVERIFY(pixelsOf(board, twips(480, 360, 1920, 600, size), home) > 20);
        QVERIFY(pixelsOf(board, twips(7080, 360, 1925, 600, size), visitor) > 20);
        QCOMPARE(pixelsOf(board, board.rect(), QColor(64, 64, 64)), 0);
    }
};

QTEST_GUILESS_MAIN(TestE2eLayout)
#include "tst_e2e_layout.moc"
