#include "sevensegmentreader.h"
#include "syntheticboard.h"

#include <QtTest>

using namespace SevenSegment;

namespace {

const QColor Red(255, 0, 0);
const QColor Orange(255, 128, 0);
const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor WindowGrey(64, 64, 64);

SegmentMask maskOf(const QString &letters)
{
    SegmentMask mask = 0;
    for (QChar letter : letters)
        mask |= SegmentMask(1u << (letter.unicode() - u'a'));
    return mask;
}

QRect figureBox(int scale, QPoint origin = {7, 5})
{
    return {origin, QSize(qRound(0.56 * scale), scale)};
}

QImage canvas(const QRect &box, const QColor &fill)
{
    QImage image(box.right() + 9, box.bottom() + 7, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

} // namespace

class TestReader : public QObject
{
    Q_OBJECT

private slots:
    void digitTableIsStandard_data();
    void digitTableIsStandard();
    void readsPaintedDigits_data();
    void readsPaintedDigits();
    void readsOtherColours_data();
    void readsOtherColours();
    void reportsUnreadablePatterns_data();
    void reportsUnreadablePatterns();
    void colourDistanceDecidesLit_data();
    void colourDistanceDecidesLit();
    void neighboursDoNotLeak();
    void readsFromScreenGrabFormats_data();
    void readsFromScreenGrabFormats();
};

void TestReader::digitTableIsStandard_data()
{
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("letters");
    const char *standard[] = {"abcdef", "bc",      "abdeg", "abcdg",   "bcfg",
                              "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    for (int digit = 0; digit <= 9; ++digit)
        QTest::addRow("%d", digit) << digit << QString::fromLatin1(standard[digit]);
}

void TestReader::digitTableIsStandard()
{
    QFETCH(int, digit);
    QFETCH(QString, letters);
    QCOMPARE(segmentLetters(segmentsForDigit(digit)), letters);
    QCOMPARE(digitForSegments(maskOf(letters)), digit);
}

void TestReader::readsPaintedDigits_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("digit");
    QTest::addColumn<bool>("ghosts");
    // 55, 75, 80 and 95 are the board's own figure heights; 12 and 190 stand
    // for a window shrunk or blown up far past its design size.
    for (int scale : {12, 55, 75, 80, 95, 190}) {
        for (int digit = BlankDigit; digit <= 9; ++digit) {
            const QByteArray name = digit == BlankDigit ? QByteArray("blank")
                                                        : QByteArray::number(digit);
            QTest::addRow("S%d %s", scale, name.constData()) << scale << digit << true;
        }
    }
    QTest::addRow("S55 8 without ghosts") << 55 << 8 << false;
    QTest::addRow("S55 blank without ghosts") << 55 << int(BlankDigit) << false;
}

void TestReader::readsPaintedDigits()
{
    QFETCH(int, scale);
    QFETCH(int, digit);
    QFETCH(bool, ghosts);
    const QRect box = figureBox(scale);
    QImage image = canvas(box, WindowGrey);
    {
        QPainter painter(&image);
        SyntheticBoard::paintDigit(painter, box, digit, Red, Black, ghosts);
    }
    const FigureReading reading = readFigure(image, box, Red, Black);
    QCOMPARE(reading.describe(), digit == BlankDigit ? QStringLiteral("blank")
                                                     : QString::number(digit));
    QCOMPARE(reading.digit, digit);
    QCOMPARE(reading.segments, segmentsForDigit(digit));
}

void TestReader::readsOtherColours_data()
{
    QTest::addColumn<QColor>("lit");
    QTest::addColumn<QColor>("back");
    QTest::addRow("score orange on black") << Orange << Black;
    QTest::addRow("white on black") << White << Black;
    QTest::addRow("dark blue on yellow") << QColor(0, 0, 128) << QColor(255, 255, 0);
    // Close colours leave the ghost only a few levels from the back.
    QTest::addRow("red on dark red") << Red << QColor(96, 0, 0);
}

void TestReader::readsOtherColours()
{
    QFETCH(QColor, lit);
    QFETCH(QColor, back);
    const QRect box = figureBox(75);
    for (int digit = BlankDigit; digit <= 9; ++digit) {
        QImage image = canvas(box, WindowGrey);
        {
            QPainter painter(&image);
            SyntheticBoard::paintDigit(painter, box, digit, lit, back);
        }
        QCOMPARE(readFigure(image, box, lit, back).digit, digit);
    }
}

void TestReader::reportsUnreadablePatterns_data()
{
    QTest::addColumn<QString>("letters");
    QTest::addRow("top and bottom") << QStringLiteral("ad");
    QTest::addRow("middle bar") << QStringLiteral("g");
    QTest::addRow("both sides") << QStringLiteral("bcef");
    QTest::addRow("letter A") << QStringLiteral("abcefg");
    QTest::addRow("upside-down seven") << QStringLiteral("def");
}

void TestReader::reportsUnreadablePatterns()
{
    QFETCH(QString, letters);
    const QRect box = figureBox(80);
    QImage image = canvas(box, WindowGrey);
    {
        QPainter painter(&image);
        SyntheticBoard::paintFigure(painter, box, maskOf(letters), Red, Black);
    }
    const FigureReading reading = readFigure(image, box, Red, Black);
    QVERIFY(!reading.isReadable());
    QCOMPARE(reading.digit, UnreadableDigit);
    QCOMPARE(segmentLetters(reading.segments), letters);
    QCOMPARE(reading.describe(), QStringLiteral("unreadable (lit: %1)").arg(letters));
}

void TestReader::colourDistanceDecidesLit_data()
{
    QTest::addColumn<QColor>("pixel");
    QTest::addColumn<bool>("lit");
    QTest::addRow("lit colour") << Red << true;
    QTest::addRow("back colour") << Black << false;
    QTest::addRow("ghost, a tenth toward lit") << QColor(25, 0, 0) << false;
    QTest::addRow("antialiased edge below half") << QColor(120, 0, 0) << false;
    QTest::addRow("antialiased edge above half") << QColor(135, 0, 0) << true;
    QTest::addRow("window grey") << WindowGrey << false;
    QTest::addRow("orange against red") << Orange << true;
}

void TestReader::colourDistanceDecidesLit()
{
    QFETCH(QColor, pixel);
    QFETCH(bool, lit);
    QCOMPARE(looksLit(pixel.rgb(), Red, Black), lit);
}

void TestReader::neighboursDoNotLeak()
{
    // Figures of a set stand a few pixels apart; a lit neighbour must not
    // light the bars of a dark one.
    const QRect left = figureBox(95, {10, 10});
    const QRect middle = left.translated(left.width() + 2, 0);
    const QRect right = middle.translated(middle.width() + 2, 0);
    QImage image(right.right() + 10, right.bottom() + 10, QImage::Format_RGB32);
    image.fill(Black);
    {
        QPainter painter(&image);
        SyntheticBoard::paintDigit(painter, left, 8, Red, Black);
        SyntheticBoard::paintDigit(painter, middle, BlankDigit, Red, Black);
        SyntheticBoard::paintDigit(painter, right, 1, Red, Black);
    }
    const QList<FigureReading> readings = readFigures(image, {left, middle, right}, Red, Black);
    QCOMPARE(digitsOf(readings), QList<int>({8, BlankDigit, 1}));
}

void TestReader::readsFromScreenGrabFormats_data()
{
    QTest::addColumn<int>("format");
    QTest::addRow("RGB32") << int(QImage::Format_RGB32);
    QTest::addRow("ARGB32") << int(QImage::Format_ARGB32);
    QTest::addRow("RGB888") << int(QImage::Format_RGB888);
    QTest::addRow("indexed PNG palette") << int(QImage::Format_Indexed8);
}

void TestReader::readsFromScreenGrabFormats()
{
    // ImageMagick writes a palette PNG when a grab has few colours, so the
    // reader sees whatever format QImage loads it as.
    QFETCH(int, format);
    const QRect box = figureBox(55);
    QImage image = canvas(box, WindowGrey);
    {
        QPainter painter(&image);
        SyntheticBoard::paintDigit(painter, box, 2, Red, Black);
    }
    const QImage converted = image.convertToFormat(QImage::Format(format));
    QCOMPARE(readFigure(converted, box, Red, Black).digit, 2);
}

QTEST_MAIN(TestReader)
#include "tst_reader.moc"
