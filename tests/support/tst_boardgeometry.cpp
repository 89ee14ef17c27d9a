#include "boardgeometry.h"
#include "boardreader.h"
#include "syntheticboard.h"

#include <QtTest>

using namespace BoardGeometry;
using SevenSegment::BlankDigit;

Q_DECLARE_METATYPE(BoardGeometry::FigureSet)

namespace {

constexpr int Unreadable = SevenSegment::UnreadableDigit;

struct BoardState
{
    FigureSet set;
    QList<int> digits; // element order
    bool upperDot;
    bool lowerDot;
};

// Paints a whole board the size of a client area with the given sets shown
// and every other set dark.
QImage paintBoard(QSize client, const QList<BoardState> &shown)
{
    const BoardReader::BoardColours colours;
    QImage image(client, QImage::Format_RGB32);
    image.fill(QColor(64, 64, 64));
    QPainter painter(&image);
    for (FigureSet set : allSets()) {
        BoardState state{set, QList<int>(figureCount(set), BlankDigit), false, false};
        for (const BoardState &wanted : shown) {
            if (wanted.set == set)
                state = wanted;
        }
        painter.fillRect(containerRect(set, client.width(), client.height()), Qt::black);
        for (int index = 0; index < figureCount(set); ++index) {
            SyntheticBoard::paintDigit(painter,
                                       figureRect(set, index, client.width(), client.height()),
                                       state.digits.at(index), colours.litFor(set), Qt::black);
        }
        if (!hasColon(set))
            continue;
        SyntheticBoard::paintDot(painter,
                                 colonDotRect(set, ColonDot::Upper, client.width(),
                                              client.height()),
                                 state.upperDot, colours.dotLit, Qt::black);
        SyntheticBoard::paintDot(painter,
                                 colonDotRect(set, ColonDot::Lower, client.width(),
                                              client.height()),
                                 state.lowerDot, colours.dotLit, Qt::black);
    }
    return image;
}

} // namespace

class TestBoardGeometry : public QObject
{
    Q_OBJECT

private slots:
    void figurePlaces_data();
    void figurePlaces();
    void colonDotPlaces_data();
    void colonDotPlaces();
    void figuresStayInsideTheirBoxes_data();
    void figuresStayInsideTheirBoxes();
    void rendersText_data();
    void rendersText();
    void readsPaintedBoard_data();
    void readsPaintedBoard();
};

void TestBoardGeometry::figurePlaces_data()
{
    QTest::addColumn<FigureSet>("set");
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("expected");
    // Worked out by hand from the twip table: container and child each
    // rounded to whole pixels, S pixels high, round(0.56 S) wide.
    const QSize design(632, 453);
    QTest::addRow("game clock 0") << FigureSet::GameClock << 0 << design << QRect(184, 25, 53, 95);
    QTest::addRow("game clock 1") << FigureSet::GameClock << 1 << design << QRect(248, 25, 53, 95);
    QTest::addRow("game clock 2") << FigureSet::GameClock << 2 << design << QRect(328, 24, 53, 95);
    QTest::addRow("game clock 3") << FigureSet::GameClock << 3 << design << QRect(392, 24, 53, 95);
    QTest::addRow("shot clock 0") << FigureSet::ShotClock << 0 << design << QRect(197, 209, 45, 80);
    QTest::addRow("shot clock 3") << FigureSet::ShotClock << 3 << design << QRect(389, 209, 45, 80);
    QTest::addRow("home units") << FigureSet::HomeScore << 0 << design << QRect(88, 75, 42, 75);
    QTest::addRow("home tens") << FigureSet::HomeScore << 1 << design << QRect(32, 75, 42, 75);
    QTest::addRow("visitor units") << FigureSet::VisitorScore << 0 << design
                                   << QRect(560, 75, 42, 75);
    QTest::addRow("home penalty 1 seconds")
        << FigureSet::HomePenalty1 << 0 << design << QRect(127, 204, 31, 55);
    QTest::addRow("home penalty 1 minutes")
        << FigureSet::HomePenalty1 << 2 << design << QRect(28, 204, 31, 55);
    QTest::addRow("home penalty 2 tens") << FigureSet::HomePenalty2 << 1 << design
                                         << QRect(88, 276, 31, 55);
    QTest::addRow("visitor penalty 3 tens")
        << FigureSet::VisitorPenalty3 << 1 << design << QRect(536, 348, 31, 55);

    QTest::addRow("game clock 0, doubled")
        << FigureSet::GameClock << 0 << QSize(1264, 906) << QRect(368, 50, 106, 190);
    // Width alone grows: places spread out, figures keep their size.
    QTest::addRow("game clock 3, twice as wide")
        << FigureSet::GameClock << 3 << QSize(1264, 453) << QRect(784, 24, 53, 95);
    QTest::addRow("game clock 1, halved")
        << FigureSet::GameClock << 1 << QSize(316, 226) << QRect(124, 12, 26, 47);
    QTest::addRow("penalty at a tiny size")
        << FigureSet::HomePenalty1 << 0 << QSize(63, 9) << QRect(12, 4, 1, 1);
}

void TestBoardGeometry::figurePlaces()
{
    QFETCH(FigureSet, set);
    QFETCH(int, index);
    QFETCH(QSize, client);
    QFETCH(QRect, expected);
    QCOMPARE(figureRect(set, index, client.width(), client.height()), expected);
}

void TestBoardGeometry::colonDotPlaces_data()
{
    QTest::addColumn<FigureSet>("set");
    QTest::addColumn<int>("dot");
    QTest::addColumn<QRect>("expected");
    QTest::addRow("game clock upper") << FigureSet::GameClock << int(ColonDot::Upper)
                                      << QRect(308, 40, 13, 13);
    QTest::addRow("game clock lower") << FigureSet::GameClock << int(ColonDot::Lower)
                                      << QRect(308, 88, 13, 13);
    QTest::addRow("shot clock upper") << FigureSet::ShotClock << int(ColonDot::Upper)
                                      << QRect(309, 220, 13, 13);
    QTest::addRow("home penalty 1 lower") << FigureSet::HomePenalty1 << int(ColonDot::Lower)
                                          << QRect(68, 240, 11, 11);
    QTest::addRow("score has none") << FigureSet::HomeScore << int(ColonDot::Upper) << QRect();
}

void TestBoardGeometry::colonDotPlaces()
{
    QFETCH(FigureSet, set);
    QFETCH(int, dot);
    QFETCH(QRect, expected);
    QCOMPARE(colonDotRect(set, ColonDot(dot), 632, 453), expected);
}

void TestBoardGeometry::figuresStayInsideTheirBoxes_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addRow("design") << QSize(632, 453);
    QTest::addRow("full HD") << QSize(1920, 1080);
    QTest::addRow("doubled") << QSize(1264, 906);
    QTest::addRow("wide") << QSize(2400, 453);
}

void TestBoardGeometry::figuresStayInsideTheirBoxes()
{
    // A figure spilling out of its box would mean a typo in the table. Only
    // sizes at least as wide as they are tall (relative to the design) are
    // tried: on a tall window figures grow faster than their boxes widen.
    QFETCH(QSize, client);
    for (FigureSet set : allSets()) {
        const QRect box = containerRect(set, client.width(), client.height());
        for (const QRect &figure : figureRects(set, client.width(), client.height()))
            QVERIFY2(box.contains(figure), qPrintable(layout(set).label));
    }
}

void TestBoardGeometry::rendersText_data()
{
    QTest::addColumn<FigureSet>("set");
    QTest::addColumn<QList<int>>("digits");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("text");
    const int b = BlankDigit;
    QTest::addRow("clock minutes") << FigureSet::GameClock << QList<int>{2, 0, 0, 0} << true << true
                                   << "20:00";
    QTest::addRow("clock leading blank") << FigureSet::ShotClock << QList<int>{b, 5, 0, 7} << true
                                         << true << " 5:07";
    QTest::addRow("clock tenths") << FigureSet::GameClock << QList<int>{4, 5, 3, b} << false
                                  << true << "45.3";
    QTest::addRow("clock upper dot only") << FigureSet::GameClock << QList<int>{1, 2, 3, 4}
                                          << true << false << "12'34";
    QTest::addRow("clock colon off") << FigureSet::GameClock << QList<int>{1, 2, 3, 4} << false
                                     << false << "12 34";
    QTest::addRow("clock dark") << FigureSet::ShotClock << QList<int>{b, b, b, b} << false << false
                                << "";
    QTest::addRow("clock unreadable") << FigureSet::GameClock << QList<int>{Unreadable, 0, 0, 0}
                                      << true << true << "?0:00";
    QTest::addRow("score units only") << FigureSet::HomeScore << QList<int>{0, b} << false << false
                                      << " 0";
    QTest::addRow("score two digits") << FigureSet::VisitorScore << QList<int>{7, 4} << false
                                      << false << "47";
    QTest::addRow("penalty running") << FigureSet::HomePenalty2 << QList<int>{5, 4, 1} << true
                                     << true << "1:45";
    QTest::addRow("penalty under a minute")
        << FigureSet::VisitorPenalty1 << QList<int>{9, 0, b} << true << true << " :09";
    QTest::addRow("penalty dark") << FigureSet::VisitorPenalty3 << QList<int>{b, b, b} << false
                                  << false << "";
}

void TestBoardGeometry::rendersText()
{
    QFETCH(FigureSet, set);
    QFETCH(QList<int>, digits);
    QFETCH(bool, upper);
    QFETCH(bool, lower);
    QFETCH(QString, text);
    QCOMPARE(renderText(set, digits, upper, lower), text);
}

void TestBoardGeometry::readsPaintedBoard_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addRow("design") << QSize(632, 453);
    QTest::addRow("doubled") << QSize(1264, 906);
    QTest::addRow("wide") << QSize(1500, 453);
    QTest::addRow("small") << QSize(400, 300);
}

void TestBoardGeometry::readsPaintedBoard()
{
    QFETCH(QSize, client);
    const int b = BlankDigit;
    const QImage board = paintBoard(client, {
                                                {FigureSet::GameClock, {2, 0, 0, 0}, true, true},
                                                {FigureSet::ShotClock, {4, 5, 3, b}, false, true},
                                                {FigureSet::HomeScore, {0, b}, false, false},
                                                {FigureSet::VisitorScore, {8, 1}, false, false},
                                                {FigureSet::HomePenalty2, {9, 5, 1}, true, true},
                                                {FigureSet::VisitorPenalty3, {6, 3, b}, true,
                                                 false},
                                            });
    QCOMPARE(BoardReader::readText(board, FigureSet::GameClock), QStringLiteral("20:00"));
    QCOMPARE(BoardReader::readText(board, FigureSet::ShotClock), QStringLiteral("45.3"));
    QCOMPARE(BoardReader::readText(board, FigureSet::HomeScore), QStringLiteral(" 0"));
    QCOMPARE(BoardReader::readText(board, FigureSet::VisitorScore), QStringLiteral("18"));
    QCOMPARE(BoardReader::readText(board, FigureSet::HomePenalty2), QStringLiteral("1:59"));
    QCOMPARE(BoardReader::readText(board, FigureSet::VisitorPenalty3), QStringLiteral(" '36"));
    for (FigureSet set : {FigureSet::HomePenalty1, FigureSet::HomePenalty3,
                          FigureSet::VisitorPenalty1, FigureSet::VisitorPenalty2}) {
        const BoardReader::SetReading reading = BoardReader::readSet(board, set);
        QVERIFY2(reading.allBlank(), qPrintable(reading.describe()));
        QVERIFY(!reading.upperDot && !reading.lowerDot);
    }
}

QTEST_MAIN(TestBoardGeometry)
#include "tst_boardgeometry.moc"
