#include "board/segmora.h"

#include "board/colorref.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

// Kept apart from the widget's own tables: the test reads the figure the way
// a viewer would, from pixels alone.
const QString DigitLetters[] = {
    QStringLiteral("abcdef"), QStringLiteral("bc"),   QStringLiteral("abdeg"),
    QStringLiteral("abcdg"),  QStringLiteral("bcfg"), QStringLiteral("acdfg"),
    QStringLiteral("acdefg"), QStringLiteral("abc"),  QStringLiteral("abcdefg"),
    QStringLiteral("abcdfg"),
};

struct Midpoint
{
    char letter;
    double x;
    double y;
};

constexpr Midpoint Midpoints[] = {
    {'a', 0.5, 0.1}, {'b', 0.8, 0.3}, {'c', 0.8, 0.7}, {'d', 0.5, 0.9},
    {'e', 0.2, 0.7}, {'f', 0.2, 0.3}, {'g', 0.5, 0.5},
};

// Far apart in every channel, and neither is a default.
constexpr qint32 Lit = 40 + 256 * 230 + 65536 * 250;
constexpr qint32 Back = 30 + 256 * 10 + 65536 * 60;

int distance(QRgb pixel, qint32 packed)
{
    const QColor colour = toQColor(packed);
    const int dr = qRed(pixel) - colour.red();
    const int dg = qGreen(pixel) - colour.green();
    const int db = qBlue(pixel) - colour.blue();
    return dr * dr + dg * dg + db * db;
}

bool looksLit(QRgb pixel)
{
    return distance(pixel, Lit) < distance(pixel, Back);
}

bool isExactly(QRgb pixel, qint32 packed)
{
    return (pixel & 0xFFFFFF) == (toQColor(packed).rgb() & 0xFFFFFF);
}

// The pixel holding the midpoint and every pixel whose centre lies within
// max(1, 0.04 W) of it: all a digit reader may look at.
QList<QPoint> samplePixels(const QSize &box, const Midpoint &midpoint)
{
    const double cx = midpoint.x * box.width();
    const double cy = midpoint.y * box.height();
    const double radius = qMax(1.0, 0.04 * box.width());
    QList<QPoint> pixels{QPoint(int(std::floor(cx)), int(std::floor(cy)))};
    for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y) {
        for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x) {
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
                pixels.append(QPoint(x, y));
        }
    }
    return pixels;
}

struct Reading
{
    QString letters;
    QStringList faults;
};

// A segment is lit when the pixel at its midpoint looks lit. Beyond that,
// every sampled pixel of a lit segment must be exactly the lit colour, and
// every sampled pixel of an unlit one must look unlit yet not be bare
// background, since dark segments show as a faint ghost.
Reading readFigure(const QImage &image)
{
    Reading reading;
    for (const Midpoint &midpoint : Midpoints) {
        const QList<QPoint> pixels = samplePixels(image.size(), midpoint);
        const bool lit = looksLit(image.pixel(pixels.first()));
        if (lit)
            reading.letters += QLatin1Char(midpoint.letter);
        for (const QPoint &at : pixels) {
            const QRgb pixel = image.pixel(at);
            const bool fine = lit ? isExactly(pixel, Lit)
                                  : !looksLit(pixel) && !isExactly(pixel, Back);
            if (!fine) {
                reading.faults << QStringLiteral("%1 %2 at (%3,%4): %5")
                                      .arg(QLatin1Char(midpoint.letter))
                                      .arg(QLatin1String(lit ? "lit" : "unlit"))
                                      .arg(at.x())
                                      .arg(at.y())
                                      .arg(QColor(pixel).name());
            }
        }
    }
    return reading;
}

// Runs of lit-looking pixels along one centre line, corner to corner.
int litRuns(const QImage &image, QPointF from, QPointF to)
{
    const int steps = int(std::ceil(std::hypot(to.x() - from.x(), to.y() - from.y())));
    int runs = 0;
    bool inRun = false;
    for (int step = 0; step <= steps; ++step) {
        const QPointF at = from + (to - from) * (double(step) / steps);
        const bool lit = looksLit(image.pixel(qMin(int(at.x()), image.width() - 1),
                                              qMin(int(at.y()), image.height() - 1)));
        runs += lit && !inRun;
        inRun = lit;
    }
    return runs;
}

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *watched) { watched->installEventFilter(this); }

    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QImage render(Segmora &figure)
{
    return figure.grab().toImage();
}

} // namespace

class TestSegmora : public QObject
{
    Q_OBJECT

private slots:
    void readsBack_data();
    void readsBack();
    void otherLedTypesDrawAsLines();
    void dotsAreSeparateAndLinesSolid_data();
    void dotsAreSeparateAndLinesSolid();
    void ledSizeSetsPixelSize_data();
    void ledSizeSetsPixelSize();
    void twipSizeIsIgnored();
    void repaintsOnlyOnChange_data();
    void repaintsOnlyOnChange();
    void clickCarriesIndex_data();
    void clickCarriesIndex();
};

void TestSegmora::readsBack_data()
{
    QTest::addColumn<int>("ledType");
    QTest::addColumn<int>("ledSize");
    QTest::addColumn<int>("caption");
    QTest::addColumn<QString>("expected");

    const QList<int> outOfRange = {-1, -7, 10, 12345};
    for (const int type : {0, 1}) {
        const char *style = type == 0 ? "lines" : "dots";
        for (const int size : {20, 55, 95, 430}) {
            for (int digit = 0; digit <= 9; ++digit) {
                QTest::addRow("%s-%d-digit%d", style, size, digit)
                    << type << size << digit << DigitLetters[digit];
            }
            for (const int caption : outOfRange) {
                QTest::addRow("%s-%d-blank%d", style, size, caption)
                    << type << size << caption << QString();
            }
        }
    }
}

void TestSegmora::readsBack()
{
    QFETCH(int, ledType);
    QFETCH(int, ledSize);
    QFETCH(int, caption);
    QFETCH(QString, expected);

    QWidget board;
    Segmora figure(QStringLiteral("Digit"), 0, &board);
    figure.setLitColor(Lit);
    figure.setBackColor(Back);
    figure.setLedType(Segmora::LedStyle(ledType));
    figure.setLedSize(ledSize);
    figure.setCaption(caption);
    const QImage image = render(figure);

    QCOMPARE(figure.caption(), caption);
    const Reading reading = readFigure(image);
    QCOMPARE(reading.letters, expected);
    QVERIFY2(reading.faults.isEmpty(), qPrintable(reading.faults.join(QStringLiteral("; "))));
    QVERIFY(isExactly(image.pixel(0, 0), Back));
    QVERIFY(isExactly(image.pixel(image.width() - 1, image.height() - 1), Back));
}

void TestSegmora::otherLedTypesDrawAsLines()
{
    QWidget board;
    Segmora figure(QStringLiteral("Digit"), 0, &board);
    figure.setCaption(8);
    const QImage lines = render(figure);
    figure.setLedType(Segmora::LedStyle::Dots);
    const QImage dots = render(figure);
    figure.setLedType(Segmora::ledStyleFor(7));
    QCOMPARE(render(figure), lines);
    QVERIFY(dots != lines);
}

void TestSegmora::dotsAreSeparateAndLinesSolid_data()
{
    QTest::addColumn<int>("ledType");
    QTest::addColumn<int>("runs");

    QTest::newRow("lines") << int(Segmora::LedStyle::Segments) << 1;
    QTest::newRow("dots") << int(Segmora::LedStyle::Dots) << 3;
}

// Along each centre line of a lit 8, a bar is one stretch of light and a
// dotted segment is three.
void TestSegmora::dotsAreSeparateAndLinesSolid()
{
    QFETCH(int, ledType);
    QFETCH(int, runs);

    QWidget board;
    Segmora figure(QStringLiteral("Digit"), 0, &board);
    figure.setLitColor(Lit);
    figure.setBackColor(Back);
    figure.setLedType(Segmora::LedStyle(ledType));
    figure.setLedSize(430);
    figure.setCaption(8);
    const QImage image = render(figure);
    const double w = image.width();
    const double h = image.height();
    const QList<QPair<QPointF, QPointF>> lines = {
        {{0.2 * w, 0.1 * h}, {0.8 * w, 0.1 * h}}, {{0.8 * w, 0.1 * h}, {0.8 * w, 0.5 * h}},
        {{0.8 * w, 0.5 * h}, {0.8 * w, 0.9 * h}}, {{0.2 * w, 0.9 * h}, {0.8 * w, 0.9 * h}},
        {{0.2 * w, 0.5 * h}, {0.2 * w, 0.9 * h}}, {{0.2 * w, 0.1 * h}, {0.2 * w, 0.5 * h}},
        {{0.2 * w, 0.5 * h}, {0.8 * w, 0.5 * h}},
    };
    for (const auto &line : lines)
        QCOMPARE(litRuns(image, line.first, line.second), runs);
}

void TestSegmora::ledSizeSetsPixelSize_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("ledSize");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("20") << 20 << 20 << QSize(11, 20);
    QTest::newRow("55") << 55 << 55 << QSize(31, 55);
    QTest::newRow("95") << 95 << 95 << QSize(53, 95);
    QTest::newRow("430") << 430 << 430 << QSize(241, 430);
    QTest::newRow("zero") << 0 << 1 << QSize(1, 1);
    QTest::newRow("negative") << -40 << 1 << QSize(1, 1);
}

void TestSegmora::ledSizeSetsPixelSize()
{
    QFETCH(int, requested);
    QFETCH(int, ledSize);
    QFETCH(QSize, pixels);

    QWidget board;
    Segmora figure(QStringLiteral("Digit"), 0, &board);
    figure.setTwipLeft(150);
    figure.setTwipTop(300);
    figure.setLedSize(requested);

    QCOMPARE(figure.ledSize(), ledSize);
    QCOMPARE(figure.geometry(), QRect(QPoint(10, 20), pixels));
    QCOMPARE(figure.twipWidth(), 15.0 * pixels.width());
    QCOMPARE(figure.twipHeight(), 15.0 * pixels.height());
    QCOMPARE(figure.twipLeft(), 150.0);
    QCOMPARE(figure.twipTop(), 300.0);
}

void TestSegmora::twipSizeIsIgnored()
{
    QWidget board;
    Segmora figure(QStringLiteral("Digit"), 0, &board);
    QCOMPARE(figure.size(), QSize(53, 95));
    QCOMPARE(figure.twipWidth(), 795.0);
    QCOMPARE(figure.twipHeight(), 1425.0);

    figure.setTwipWidth(3000);
    figure.setTwipHeight(3000);
    QCOMPARE(figure.geometry(), QRect(0, 0, 53, 95));

    // Moving through the combined setter still keeps the figure's own size.
    figure.setTwipGeometry(450, 600, 9000, 9000);
    QCOMPARE(figure.geometry(), QRect(30, 40, 53, 95));
    QCOMPARE(figure.twipWidth(), 795.0);
}

void TestSegmora::repaintsOnlyOnChange_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("changed");

    QTest::newRow("caption") << QByteArray("caption") << QVariant(7);
    QTest::newRow("caption blank") << QByteArray("caption") << QVariant(-1);
    QTest::newRow("litColor") << QByteArray("litColor") << QVariant(65280);
    QTest::newRow("backColor") << QByteArray("backColor") << QVariant(8421504);
    QTest::newRow("ledType") << QByteArray("ledType") << QVariant(1);
    QTest::newRow("ledSize") << QByteArray("ledSize") << QVariant(120);
}

// Figures are refreshed many times a second with mostly unchanged values, so
// an unchanged value must cost nothing, and a change only this figure's paint.
void TestSegmora::repaintsOnlyOnChange()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, changed);

    QWidget board;
    board.resize(400, 400);
    auto *figure = new Segmora(QStringLiteral("Digit"), 4, &board);
    figure->setTwipLeft(300);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    PaintCounter figurePaints(figure);
    PaintCounter boardPaints(&board);
    QCoreApplication::processEvents();
    figurePaints.paints = 0;
    boardPaints.paints = 0;

    QVERIFY(figure->setProperty(property, figure->property(property)));
    QCoreApplication::processEvents();
    QCOMPARE(figurePaints.paints, 0);

    QVERIFY(figure->setProperty(property, changed));
    QCoreApplication::processEvents();
    QCOMPARE(figurePaints.paints, 1);
    QCOMPARE(boardPaints.paints, 0);
}

void TestSegmora::clickCarriesIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");

    QTest::newRow("left inside") << 5 << Qt::LeftButton << QPoint(20, 40) << 1;
    QTest::newRow("lone figure") << -1 << Qt::LeftButton << QPoint(20, 40) << 1;
    QTest::newRow("right button") << 5 << Qt::RightButton << QPoint(20, 40) << 0;
    QTest::newRow("dragged off") << 5 << Qt::LeftButton << QPoint(80, 40) << 0;
}

void TestSegmora::clickCarriesIndex()
{
    QFETCH(int, index);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);

    QWidget board;
    board.resize(200, 200);
    auto *figure = new Segmora(QStringLiteral("Digit"), index, &board);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QSignalSpy spy(figure, &Segmora::clicked);

    QTest::mousePress(figure, button, {}, QPoint(20, 40));
    QTest::mouseRelease(figure, button, {}, releaseAt);

    QCOMPARE(spy.count(), clicks);
    if (clicks > 0)
        QCOMPARE(spy.first().first().toInt(), index);
}

QTEST_MAIN(TestSegmora)
#include "tst_segmora.moc"
