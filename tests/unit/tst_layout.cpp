#include "board/colorref.h"
#include "board/fitpicture.h"
#include "board/frmscoreboard.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/modstretch.h"
#include "board/screenfit.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using modStretch::LayoutEntry;

namespace {

// The two team names are placed by the label step, not by the stretch.
bool placedByLabels(const BoardControl *control)
{
    return control->controlName() == QLatin1String("lblHome")
           || control->controlName() == QLatin1String("lblVisitor");
}

double fontOf(const BoardControl *control)
{
    const auto *label = qobject_cast<const LabelControl *>(control);
    return label ? label->fontSize() : 0;
}

double borderOf(const BoardControl *control)
{
    const auto *shape = qobject_cast<const ShapeControl *>(control);
    return shape ? shape->borderWidth() : 0;
}

// The extent of the pixels of one colour that a control shows on the board.
QSize inkOf(QWidget *board, const BoardControl *control, qint32 color)
{
    const QRect place(control->mapTo(board, QPoint()), control->size());
    const QImage image = board->grab(place).toImage();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == toQColor(color))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink.size();
}

int sizeOf(const BoardControl *control)
{
    const auto *figure = qobject_cast<const Segmora *>(control);
    return figure ? figure->ledSize() : 0;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;
    QTemporaryDir m_dir;

    const std::vector<LayoutEntry> &entries() const { return m_board->layoutRecord().LayoutTable; }
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

private slots:
    void init()
    {
        modCount::reset(&m_time);
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>();
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
    }
    void cleanup() { m_board.reset(); }

    // Resizes the window as the operator would and lets the resize arrive.
    void resizeTo(int width, int height)
    {
        m_board->resize(width, height);
        QTRY_COMPARE(m_board->size(), QSize(width, height));
    }

    void everyControlIsRecorded()
    {
        const int controls = m_board->controlLayer().count();
        QCOMPARE(int(entries().size()), controls + 1);
        QCOMPARE(entries()[size_t(controls - 1)].Control, m_board->controlLayer().controls().last());
        QCOMPARE(entries().back().Control, nullptr);
        QCOMPARE(m_board->layoutRecord().DesignWidth, 9480);
        QCOMPARE(m_board->layoutRecord().DesignHeight, 6795);
    }

    void stretchAtTheRecordedSizePutsEverythingBack()
    {
        resizeTo(1000, 700);
        resizeTo(632, 453);
        for (const LayoutEntry &entry : entries()) {
            if (!entry.Control || placedByLabels(entry.Control))
                continue;
            const BoardControl *c = entry.Control;
            const QByteArray name = c->objectName().toLatin1();
            QVERIFY2(c->twipLeft() == entry.Left && c->twipTop() == entry.Top, name);
            if (entry.Width)
                QVERIFY2(c->twipWidth() == entry.Width && c->twipHeight() == entry.Height, name);
            QVERIFY2(fontOf(c) == entry.FontSize && borderOf(c) == entry.BorderWidth, name);
            QVERIFY2(sizeOf(c) == entry.Size, name);
        }
    }

    void twiceTheWidthDoublesLeftsAndWidthsOnly()
    {
        resizeTo(1264, 453);
        for (const LayoutEntry &entry : entries()) {
            if (!entry.Control || placedByLabels(entry.Control))
                continue;
            const BoardControl *c = entry.Control;
            const QByteArray name = c->objectName().toLatin1();
            QVERIFY2(c->twipLeft() == 2.0 * entry.Left && c->twipTop() == entry.Top, name);
            if (entry.Width)
                QVERIFY2(c->twipWidth() == 2.0 * entry.Width && c->twipHeight() == entry.Height, name);
            QVERIFY2(fontOf(c) == entry.FontSize && borderOf(c) == entry.BorderWidth, name);
            QVERIFY2(sizeOf(c) == entry.Size, name);
        }
        // The clock colons widen with the window; a lit penalty colon stays
        // round beside the round marks.
        m_board->engine().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        const qint32 lit = settingsRecord().BorderColor;
        const QSize clockDot = inkOf(m_board.get(), control("Shape2", 0), lit);
        QVERIFY2(clockDot.width() > clockDot.height() * 3 / 2,
                 qPrintable(QString::number(clockDot.width())));
        const QSize penaltyDot = inkOf(m_board.get(), control("dotPenaltyTH1", 0), lit);
        QVERIFY(penaltyDot.height() > 5);
        QVERIFY2(qAbs(penaltyDot.width() - penaltyDot.height()) <= 1,
                 qPrintable(QString::number(penaltyDot.width())));
    }

    void shrinkingTowardsNothingKeepsEverySizeAtOneOrMore()
    {
        resizeTo(2, 2);
        for (const BoardControl *c : m_board->controlLayer().controls()) {
            const QByteArray name = c->objectName().toLatin1();
            QVERIFY2(c->twipWidth() >= 1 && c->twipHeight() >= 1, name);
            if (qobject_cast<const LabelControl *>(c))
                QVERIFY2(fontOf(c) >= 1, name);
            if (qobject_cast<const Segmora *>(c))
                QVERIFY2(sizeOf(c) >= 1, name);
            if (c->controlName() == QLatin1String("Shape3"))
                QVERIFY2(borderOf(c) >= 1, name);
        }
    }

    void aFourKWindowScalesLikeAnyOther()
    {
        resizeTo(3840, 2160);
        QCOMPARE(control("pledTime", 0)->height(), int(std::nearbyint(95.0 * 32400 / 6795)));
        const QImage board = m_board->grab().toImage();
        QCOMPARE(board.size(), QSize(3840, 2160));
        QCOMPARE(BoardReader::readText(board, BoardGeometry::FigureSet::GameClock), QStringLiteral("20:00"));
    }

    void fractionalPointsAreRecordedWhole()
    {
        const auto *goal = qobject_cast<LabelControl *>(control("lblGoalH"));
        for (const LayoutEntry &entry : entries()) {
            if (entry.Control == goal)
                QCOMPARE(entry.FontSize, 16);
        }
        resizeTo(700, 500);
        resizeTo(632, 453);
        QCOMPARE(goal->fontSize(), 16.0);
    }

    void teamNameSize_data()
    {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<double>("size");
        QTest::newRow("design outer size") << QSize(9600, 7200) << 24.0;
        QTest::newRow("twice the width alone") << QSize(19200, 7200) << 24.0;
        QTest::newRow("twice the height alone") << QSize(9600, 14400) << 24.0;
        QTest::newRow("twice both") << QSize(19200, 14400) << 48.0;
        QTest::newRow("design client size") << QSize(9480, 6795) << 24.0 * 6795 / 7200;
        QTest::newRow("wide 4K follows the height") << QSize(57600, 32400) << 108.0;
    }
    void teamNameSize()
    {
        QFETCH(QSize, outer);
        QFETCH(double, size);
        QCOMPARE(modStretch::scaledFontSize(24, outer), size);
    }

    void teamNamesFollowTheWindow()
    {
        resizeTo(1264, 906);
        const QSize outer = m_board->frameGeometry().size() * 15;
        const auto *home = qobject_cast<LabelControl *>(control("lblHome"));
        QCOMPARE(home->fontSize(), double(modStretch::roundHalfEven(modStretch::scaledFontSize(24, outer))));
        QVERIFY(home->fontSize() >= 45);
    }

    void teamNamesAreCentredAndPlain()
    {
        settingsRecord().HomeText = QStringLiteral("<b>Reds</b>");
        m_board->UpdateLabels();
        const auto *home = qobject_cast<LabelControl *>(control("lblHome"));
        const BoardControl *box = control("picHomeContainer");
        QCOMPARE(home->caption(), QStringLiteral("<b>Reds</b>"));
        QCOMPARE(home->twipLeft() + home->twipWidth() / 2, box->twipWidth() / 2);
        QCOMPARE(home->twipTop() + home->twipHeight() / 2, box->twipHeight() / 2);
        // Sized for the literal text, tags and all.
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(30);
        QVERIFY(home->twipWidth() > 15 * QFontMetricsF(font).horizontalAdvance(QStringLiteral("Reds")) * 2);
    }

    void fittedPlace_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QRectF>("place");
        const QSizeF box(3735, 1935);
        QTest::newRow("wide fills the width, centred vertically")
            << QSizeF(3000, 750) << QRectF(0, (1935 - 933.75) / 2, 3735, 933.75);
        QTest::newRow("tall fills the height, centred horizontally")
            << QSizeF(750, 3000) << QRectF((3735 - 483.75) / 2, 0, 483.75, 1935);
        QTest::newRow("same proportions fill the box") << QSizeF(7470, 3870) << QRectF(0, 0, 3735, 1935);
        QTest::newRow("no width") << QSizeF(0, 300) << QRectF();
        QTest::newRow("no height") << QSizeF(300, 0) << QRectF();
    }
    void fittedPlace()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QRectF, place);
        QCOMPARE(modGrabKeys::fittedPlace(picture, QSizeF(3735, 1935)), place);
    }

    // The framed board stays inside the screen's available area.
    void fitsInsideTheScreen_data()
    {
        QTest::addColumn<QRect>("client");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("fitted");
        const QRect design(60, 200, 632, 453);
        QTest::newRow("fits") << design << QRect(0, 0, 1920, 1080) << design;
        QTest::newRow("below the bottom") << QRect(60, 500, 632, 453) << QRect(0, 0, 960, 540)
                                          << QRect(60, 83, 632, 453);
        QTest::newRow("under a panel on the left") << design << QRect(100, 0, 1820, 1080)
                                                   << QRect(104, 200, 632, 453);
        QTest::newRow("scaled 1280 x 720") << design << QRect(0, 0, 640, 360)
                                           << QRect(60, 23, 464, 333);
        QTest::newRow("no room at all") << design << QRect(0, 0, 5, 20) << QRect(4, 23, 1, 1);
    }
    void fitsInsideTheScreen()
    {
        QFETCH(QRect, client);
        QFETCH(QRect, available);
        QFETCH(QRect, fitted);
        QCOMPARE(fitInside(client, QMargins(4, 23, 4, 4), available), fitted);
    }

    void boardPictureFollowsItsFile()
    {
        auto *image = qobject_cast<ImageControl *>(control("imgBoardPic"));
        settingsRecord().BoardPic = picture(QStringLiteral("wide.png"), QSize(200, 50));
        m_board->UpdateLabels();
        QCOMPARE(image->picture().size(), QSize(200, 50));
        QCOMPARE(image->twipWidth(), 3735.0);
        QCOMPARE(image->twipTop(), (1935 - 933.75) / 2);
        QVERIFY(image->isVisibleTo(m_board.get()));

        // A file that is gone keeps the picture there was.
        settingsRecord().BoardPic = m_dir.filePath(QStringLiteral("gone.png"));
        m_board->UpdateLabels();
        QCOMPARE(image->picture().size(), QSize(200, 50));

        // A file that is no picture, or is empty, leaves the box empty.
        for (const QByteArray &content : {QByteArray("not a picture at all"), QByteArray()}) {
            settingsRecord().BoardPic = picture(QStringLiteral("wide.png"), QSize(200, 50));
            m_board->UpdateLabels();
            QFile damaged(m_dir.filePath(QStringLiteral("damaged.jpg")));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(content);
            damaged.close();
            settingsRecord().BoardPic = damaged.fileName();
            m_board->UpdateLabels();
            QVERIFY(image->picture().isNull());
        }

        settingsRecord().BoardPic.clear();
        settingsRecord().BoardPic = picture(QStringLiteral("tall.png"), QSize(50, 200));
        m_board->UpdateLabels();
        QCOMPARE(image->twipHeight(), 1935.0);
        settingsRecord().BoardPic.clear();
        m_board->UpdateLabels();
        QVERIFY(image->picture().isNull());
    }

    void resizingDoesNotHideTheWindow()
    {
        int hides = 0;
        struct HideCounter : QObject
        {
            int *hides;
            explicit HideCounter(int *count) : hides(count) {}
            bool eventFilter(QObject *, QEvent *event) override
            {
                *hides += event->type() == QEvent::Hide;
                return false;
            }
        } counter(&hides);
        m_board->installEventFilter(&counter);
        resizeTo(900, 700);
        QCoreApplication::processEvents();
        QCOMPARE(hides, 0);
        QVERIFY(m_board->isVisible());
        QVERIFY(m_board->updatesEnabled());
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
