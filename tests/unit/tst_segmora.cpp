// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/segmora.h"
#include "settings/colors.h"
#include "sevensegmentreader.h"

#include <QTest>

namespace {

// Far apart in every channel, and neither is a default.
constexpr qint32 Lit = 40 + 256 * 230 + 65536 * 250;
constexpr qint32 Back = 30 + 256 * 10 + 65536 * 60;

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

} // namespace

class TestSegmora : public QObject
{
    Q_OBJECT

private slots:
    // Read off the picture as a viewer would, in both styles, small and
    // large; a caption outside 0 to 9 shows blank.
    void readsBack_data()
    {
        QTest::addColumn<int>("ledType");
        QTest::addColumn<int>("ledSize");
        QTest::addColumn<int>("caption");
        for (const int type : {0, 1}) {
            for (const int size : {20, 430}) {
                for (int caption = -1; caption <= 10; ++caption)
                    QTest::addRow("%s-%d-%d", type ? "dots" : "lines", size, caption)
                        << type << size << caption;
            }
        }
    }
    void readsBack()
    {
        QFETCH(int, ledType);
        QFETCH(int, ledSize);
        QFETCH(int, caption);
        QWidget board;
        Segmora figure(QStringLiteral("Digit"), 0, &board);
        figure.setLitColor(Lit);
        figure.setBackColor(Back);
        figure.setLedType(Segmora::ledStyleFor(ledType));
        figure.setLedSize(ledSize);
        figure.setCaption(caption);
        const QImage image = figure.grab().toImage();
        QCOMPARE(SevenSegment::readFigure(image, image.rect(), toQColor(Lit), toQColor(Back)),
                 caption >= 0 && caption <= 9 ? caption : SevenSegment::BlankDigit);
    }

    void repaintsOnlyOnChange_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("changed");
        QTest::newRow("caption") << QByteArray("caption") << QVariant(7);
        QTest::newRow("ledType") << QByteArray("ledType") << QVariant(1);
    }
    // Figures are set ten times a second, mostly to what they show: that
    // must cost nothing, and a change only this figure's paint.
    void repaintsOnlyOnChange()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, changed);
        QWidget board;
        board.resize(400, 400);
        auto *figure = new Segmora(QStringLiteral("Digit"), 4, &board);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        PaintCounter figurePaints(figure);
        PaintCounter boardPaints(&board);
        QVERIFY(figure->setProperty(property, figure->property(property)));
        QCoreApplication::processEvents();
        QCOMPARE(figurePaints.paints, 0);
        QVERIFY(figure->setProperty(property, changed));
        QCoreApplication::processEvents();
        QCOMPARE(figurePaints.paints, 1);
        QCOMPARE(boardPaints.paints, 0);
    }
};

QTEST_MAIN(TestSegmora)
#include "tst_segmora.moc"
