// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/modstretch.h"
#include "board/screenfit.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "game/matchstrip.h"
#include "settings/colors.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using modStretch::LayoutEntry;

namespace {

// The extent of the pixels of one colour that a control shows on the board.
QSize inkOf(QWidget *board, const BoardControl *control, qint32 color)
{
    const QImage image =
        board->grab(QRect(control->mapTo(board, QPoint()), control->size())).toImage();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == toQColor(color))
                ink |= QRect(x, y, 1, 1);
    return ink.size();
}

// What the stretch sets on a control besides its place: font, border, figure.
QList<double> sizesOf(const BoardControl *control)
{
    const auto *label = qobject_cast<const LabelControl *>(control);
    const auto *shape = qobject_cast<const ShapeControl *>(control);
    const auto *figure = qobject_cast<const Segmora *>(control);
    return {label ? label->fontSize() : 0, shape ? double(shape->borderWidth()) : 0,
            figure ? double(figure->ledSize()) : 0};
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;
    QTemporaryDir m_dir;

    BoardControl *control(const char *name, int index = -1) const
    {
        return m_board->controlLayer().find(QLatin1String(name), index);
    }
    QString picture(const QString &name, const QSize &size)
    {
        const QString path = m_dir.filePath(name);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        image.save(path);
        return path;
    }
    // Resizes the window as the operator would and lets the resize arrive.
    void resizeTo(int width, int height)
    {
        m_board->resize(width, height);
        QTRY_COMPARE(m_board->size(), QSize(width, height));
    }

private slots:
    void init()
    {
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>(nullptr, FakePlayers::unheard(), m_time);
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
    }
    void cleanup() { m_board.reset(); }

    // Places scale with the window from the record, so nothing drifts; the
    // sizes of fonts, borders and figures stay as recorded.
    void stretchFollowsTheRecord_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("across");
        QTest::newRow("back at the recorded size") << QSize(632, 453) << 1.0;
        QTest::newRow("twice the width") << QSize(1264, 453) << 2.0;
    }
    void stretchFollowsTheRecord()
    {
        QFETCH(QSize, size);
        QFETCH(double, across);
        resizeTo(1000, 700);
        resizeTo(size.width(), size.height());
        for (const LayoutEntry &e : m_board->layoutRecord().LayoutTable) {
            // The team names are placed by the label step.
            if (!e.Control || e.Control->controlName() == "lblHome" ||
                e.Control->controlName() == "lblVisitor")
                continue;
            const QList<double> place = {e.Control->twipLeft(), e.Control->twipTop(),
                                         e.Control->twipWidth(), e.Control->twipHeight()};
            const double width = e.Width ? across * e.Width : place[2];
            const double height = e.Width ? e.Height : place[3];
            const QList<double> recorded = {
                across * e.Left,    double(e.Top),         width,         height,
                double(e.FontSize), double(e.BorderWidth), double(e.Size)};
            QVERIFY2(place + sizesOf(e.Control) == recorded, qPrintable(e.Control->objectName()));
        }
    }

    // The clock colons widen with the window; a lit penalty colon stays
    // round beside the round marks.
    void colonsFollowTheirShape()
    {
        resizeTo(1264, 453);
        m_board->engine().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        const qint32 lit = settingsRecord().BorderColor;
        const QSize clockDot = inkOf(m_board.get(), control("Shape2", 0), lit);
        QVERIFY(clockDot.width() > clockDot.height() * 3 / 2);
        const QSize penaltyDot = inkOf(m_board.get(), control("dotPenaltyTH1", 0), lit);
        QVERIFY(penaltyDot.height() > 5);
        QVERIFY(qAbs(penaltyDot.width() - penaltyDot.height()) <= 1);
    }

    void extremeSizes()
    {
        resizeTo(2, 2);
        for (const BoardControl *c : m_board->controlLayer().controls()) {
            const QList<double> sizes = sizesOf(c);
            QVERIFY2(c->twipWidth() >= 1 && c->twipHeight() >= 1 &&
                         (!qobject_cast<const LabelControl *>(c) || sizes[0] >= 1) &&
                         (!qobject_cast<const Segmora *>(c) || sizes[2] >= 1),
                     qPrintable(c->objectName()));
        }
        QVERIFY(static_cast<ShapeControl *>(control("Shape3"))->borderWidth() >= 1);
        resizeTo(3840, 2160);
        QCOMPARE(
            BoardReader::readText(m_board->grab().toImage(), BoardGeometry::FigureSet::GameClock),
            "20:00");
    }

    void teamNamesFollowTheWindowCentredAndPlain()
    {
        settingsRecord().HomeText = QStringLiteral("<b>Reds</b>");
        m_board->UpdateLabels();
        const auto *home = qobject_cast<LabelControl *>(control("lblHome"));
        const BoardControl *box = control("picHomeContainer");
        QCOMPARE(home->twipLeft() + home->twipWidth() / 2, box->twipWidth() / 2);
        QCOMPARE(home->twipTop() + home->twipHeight() / 2, box->twipHeight() / 2);
        // Sized for the literal text, tags and all.
        const double tagged = home->twipWidth();
        settingsRecord().HomeText = QStringLiteral("Reds");
        m_board->UpdateLabels();
        QVERIFY(tagged > 2 * home->twipWidth());
        // The size follows the smaller of the window's two stretches.
        const double atDesign = home->fontSize();
        resizeTo(1264, 453);
        QCOMPARE(home->fontSize(), atDesign);
        resizeTo(1264, 906);
        QVERIFY(home->fontSize() >= 45);
    }

    // A match lays the board out above its strip, which says what the game
    // says, or for a while why a lamp gave nothing; a new game gives the
    // board its whole window back.
    void matchStripBelowTheBoard()
    {
        resizeTo(1264, 906);
        const BoardControl *frame = control("Shape3");
        const double frameHeight = frame->twipHeight();
        const auto *words = m_board->findChild<LabelControl *>("lblMatchStrip");
        QVERIFY(!words->isVisibleTo(m_board.get()));
        MatchFormat format;
        format.name = QStringLiteral("Cup");
        format.shortName = QStringLiteral("Cup");
        QVERIFY(m_board->game().beginMatch(format));
        QVERIFY(words->isVisibleTo(m_board.get()));
        QCOMPARE(words->caption(), matchStrip(m_board->game()).join(QStringLiteral(" \u00B7 ")));
        const auto *band = static_cast<const BoardControl *>(words->parentWidget());
        QVERIFY(frame->twipTop() + frame->twipHeight() <= band->twipTop());
        QCOMPARE(band->twipTop() + band->twipHeight(), 906 * TwipsPerPixel);
        QVERIFY(words->twipWidth() <= band->twipWidth());
        m_board->HomeLamp();
        QCOMPARE(words->caption(), refusalText(MatchRefusal::NoPoint, QString()));
        m_board->game().newGame();
        QVERIFY(!words->isVisibleTo(m_board.get()));
        QCOMPARE(frame->twipHeight(), frameHeight);
    }

    // The framed board stays inside the screen's available area.
    void fitsInsideTheScreen_data()
    {
        QTest::addColumn<QRect>("client");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("fitted");
        const QRect design(60, 200, 632, 453);
        QTest::newRow("below the bottom")
            << QRect(60, 500, 632, 453) << QRect(0, 0, 960, 540) << QRect(60, 83, 632, 453);
        QTest::newRow("scaled 1280 x 720")
            << design << QRect(0, 0, 640, 360) << QRect(60, 23, 464, 333);
        QTest::newRow("no room at all") << design << QRect(0, 0, 5, 20) << QRect(4, 23, 1, 1);
    }
    void fitsInsideTheScreen()
    {
        QFETCH(QRect, client);
        QFETCH(QRect, available);
        QFETCH(QRect, fitted);
        QCOMPARE(fitInside(client, QMargins(4, 23, 4, 4), available), fitted);
    }

    // Fitted to its box, aspect kept and centred, whichever way it is long.
    // A file that is gone keeps the picture there was; one that is no
    // picture, or no file named, leaves the box empty.
    void boardPictureFollowsItsFile()
    {
        auto *image = qobject_cast<ImageControl *>(control("imgBoardPic"));
        const double w = control("picBoardPicContainer")->twipWidth();
        const double h = control("picBoardPicContainer")->twipHeight();
        const auto show = [&](const QString &file) {
            settingsRecord().BoardPic = file;
            m_board->UpdateLabels();
            return QRectF(image->twipLeft(), image->twipTop(), image->twipWidth(),
                          image->twipHeight());
        };
        QCOMPARE(show(picture("tall.png", QSize(50, 200))), QRectF((w - h / 4) / 2, 0, h / 4, h));
        QCOMPARE(show(picture("wide.png", QSize(200, 50))), QRectF(0, (h - w / 4) / 2, w, w / 4));
        QVERIFY(image->isVisibleTo(m_board.get()));
        show(m_dir.filePath(QStringLiteral("gone.png")));
        QCOMPARE(image->picture().size(), QSize(200, 50));
        show(QFINDTESTDATA("tst_layout.cpp"));
        QVERIFY(image->picture().isNull());
        show(picture("wide.png", QSize(200, 50)));
        show(QString());
        QVERIFY(image->picture().isNull());
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
