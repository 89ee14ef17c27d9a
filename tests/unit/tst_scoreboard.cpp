#include "board/frmscoreboard.h"
#include "board/labelcontrol.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <memory>

using BoardGeometry::FigureSet;

class TestScoreBoard : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;

    QImage grabBoard(const QString &saveAs = {})
    {
        const QImage image = m_board->grab().toImage();
        if (!saveAs.isEmpty())
            image.save(QDir::current().filePath(saveAs + QStringLiteral(".png")));
        return image;
    }
    QString read(FigureSet set) { return BoardReader::readText(grabBoard(), set); }
    ShapeControl *shape(const char *name, int index = -1) const
    {
        return m_board->controlLayer().get<ShapeControl>(QLatin1String(name), index);
    }
    void tickFor(int ms)
    {
        for (int done = 0; done < ms; done += 100) {
            m_time.advanceMs(100);
            m_board->ClockTick();
        }
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>();
    }
    void cleanup() { m_board.reset(); }

    void opensAtTheDesignSize()
    {
        QCOMPARE(m_board->windowTitle(), QStringLiteral("Vantrell"));
        QCOMPARE(m_board->size(), QSize(632, 453));
        QVERIFY(m_board->tickActive());
        // Not yet framed, the window is measured with the design frame.
        const auto *home = m_board->controlLayer().get<LabelControl>(QStringLiteral("lblHome"));
        QCOMPARE(home->fontSize(), 24.0);
    }

    void controlsInCreationOrder()
    {
        const ControlLayer &layer = m_board->controlLayer();
        QStringList names;
        int figures = 0;
        for (const BoardControl *control : layer.controls()) {
            if (!names.contains(control->controlName()))
                names << control->controlName();
            figures += control->kind() == ControlKind::Segmora;
        }
        QCOMPARE(figures, 30);
        // Boxes first, the credit line last, the highlight before the frames.
        QCOMPARE(names.first(), QStringLiteral("TimeBack"));
        QCOMPARE(names.last(), QStringLiteral("lblCreatedBy"));
        QVERIFY(names.indexOf(QStringLiteral("PenaltyTV3")) < names.indexOf(QStringLiteral("pledTime")));
        QVERIFY(names.indexOf(QStringLiteral("shpObjectSelected")) < names.indexOf(QStringLiteral("Shape3")));
        QVERIFY(names.indexOf(QStringLiteral("imgPGreen")) < names.indexOf(QStringLiteral("shpObjectSelected")));
        QCOMPARE(layer.set(QStringLiteral("shpPenaltyR")).size(), 6);
        QCOMPARE(layer.set(QStringLiteral("pledTime")).size(), 4);
        QCOMPARE(layer.set(QStringLiteral("pledPenaltyTV3")).size(), 3);
        QCOMPARE(kindName(layer.find(QStringLiteral("Shape1"))->kind()), QStringLiteral("Shape"));
    }

    void figuresSitInsideTheirBoxes()
    {
        for (const BoardControl *control : m_board->controlLayer().controls()) {
            if (control->kind() != ControlKind::Segmora)
                continue;
            const QWidget *box = control->parentWidget();
            QVERIFY2(QRect(QPoint(), box->size()).contains(control->geometry()),
                     qPrintable(control->objectName()));
        }
    }

    void clickAreasCoverTheirMarks()
    {
        const ControlLayer &layer = m_board->controlLayer();
        for (int i = 0; i < frmScoreBoard::MarkCount; ++i) {
            QVERIFY(layer.find(QStringLiteral("imgPRed"), i)->geometry().contains(
                layer.find(QStringLiteral("shpPenaltyR"), i)->geometry().center()));
            QVERIFY(layer.find(QStringLiteral("imgPGreen"), i)->geometry().contains(
                layer.find(QStringLiteral("shpPenaltyG"), i)->geometry().center()));
        }
    }

    // The highlight lies beneath the field boxes so that only a frame of it
    // shows; shapes never take a click from what lies beneath them.
    void highlightLiesBeneathTheFields()
    {
        const QObjectList &stack = m_board->children();
        const auto *highlight = shape("shpObjectSelected");
        const int highlightAt = int(stack.indexOf(highlight));
        for (const char *field : {"TimeBack", "ShotClockBack", "HomeBack", "PenaltyTV3", "picGoalBack"})
            QVERIFY(highlightAt < stack.indexOf(m_board->controlLayer().find(QLatin1String(field))));
        QVERIFY(shape("Shape3")->testAttribute(Qt::WA_TransparentForMouseEvents));
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
        const QPoint insideTime = m_board->controlLayer().find(QStringLiteral("TimeBack"))->geometry().center();
        QWidget *hit = m_board->childAt(insideTime);
        while (hit && hit->parentWidget() != m_board.get())
            hit = hit->parentWidget();
        QVERIFY(hit);
        QCOMPARE(hit->objectName(), QStringLiteral("TimeBack"));
    }

    void boardReadsTheStartingClocks_data()
    {
        QTest::addColumn<int>("ledType");
        QTest::newRow("lines") << 0;
        QTest::newRow("dots") << 1;
    }
    void boardReadsTheStartingClocks()
    {
        QFETCH(int, ledType);
        settingsRecord().LEDType = qint16(ledType);
        m_board = std::make_unique<frmScoreBoard>();
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral("20:00"));
        QCOMPARE(read(FigureSet::ShotClock), QString());
        m_board->ClockTick();
        const QImage board = grabBoard(QStringLiteral("board-start-%1").arg(ledType));
        QCOMPARE(BoardReader::readText(board, FigureSet::ShotClock), QStringLiteral(" 2:00"));
        QCOMPARE(BoardReader::readText(board, FigureSet::HomeScore), QStringLiteral(" 0"));
        QCOMPARE(BoardReader::readText(board, FigureSet::VisitorScore), QStringLiteral(" 0"));
        for (FigureSet set : BoardGeometry::penaltySets())
            QCOMPARE(BoardReader::readText(board, set), QString());
    }

    void runningClocksReadOffTheBoard()
    {
        m_board->engine().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        m_board->engine().startStopClock();
        tickFor(65000);
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral("18:55"));
        QCOMPARE(read(FigureSet::HomePenalty1), QStringLiteral("0:25"));
        m_board->engine().enterGameTime(ClockValue::fromTenths(453));
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral("45.3"));
    }

    void clearPenaltyBlanksARunningPenaltyAndDarkensItsColon()
    {
        const SettingsRecord &settings = settingsRecord();
        m_board->engine().enterPenaltyTime(3, ClockValue::fromSeconds(120));
        QCOMPARE(shape("dotPenaltyTV1", 0)->fillColor(), settings.BorderColor);
        QCOMPARE(shape("dotPenaltyTV1", 1)->fillColor(), settings.BorderColor);
        m_board->engine().startStopPenalty(3);
        tickFor(1000);
        QCOMPARE(read(FigureSet::VisitorPenalty1), QStringLiteral("1:59"));
        m_board->engine().clearPenalty(3);
        QCOMPARE(read(FigureSet::VisitorPenalty1), QString());
        QCOMPARE(shape("dotPenaltyTV1", 0)->fillColor(), settings.LEDBack);
        QCOMPARE(shape("dotPenaltyTV1", 1)->fillColor(), settings.LEDBack);
        QVERIFY(!modCount::IsCounting(3));
        tickFor(1000);
        QCOMPARE(read(FigureSet::VisitorPenalty1), QString());
    }

    // A double-click is a click and then a double-click event, which the
    // board leaves alone; two separate clicks are two clicks.
    void aDoubleClickActsOnce()
    {
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
        QWindow *window = m_board->windowHandle();
        const auto centre = [this](const char *name, int index) {
            const QWidget *area = m_board->controlLayer().find(QLatin1String(name), index);
            return area->mapTo(m_board.get(), area->rect().center());
        };
        QTest::mouseDClick(window, Qt::LeftButton, {}, centre("imgGoalCoverH", -1));
        QCOMPARE(m_board->WhoGoal(), frmScoreBoard::GoalLamp::Home);
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 1"));
        QTest::mouseDClick(window, Qt::LeftButton, {}, centre("imgPGreen", 4));
        QCOMPARE(m_board->PenaltyMark(4), frmScoreBoard::MarkState::Green);
        QTest::mouseClick(window, Qt::LeftButton, {}, centre("imgPGreen", 4));
        QTest::mouseClick(window, Qt::LeftButton, {}, centre("imgPGreen", 4));
        QCOMPARE(m_board->PenaltyMark(4), frmScoreBoard::MarkState::Green);
        QTest::mouseClick(window, Qt::LeftButton, {}, centre("imgPGreen", 4));
        QCOMPARE(m_board->PenaltyMark(4), frmScoreBoard::MarkState::Dark);
    }

    void penaltyMarksPaintTheirState_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<qint32>("red");
        QTest::addColumn<qint32>("green");
        const qint32 back = SettingsRecord{}.FormBack;
        QTest::newRow("dark") << 0 << back << back;
        QTest::newRow("red") << 1 << qint32(255) << back;
        QTest::newRow("green") << 2 << back << qint32(49152);
    }
    void penaltyMarksPaintTheirState()
    {
        QFETCH(int, state);
        QFETCH(qint32, red);
        QFETCH(qint32, green);
        m_board->setPenaltyMark(4, frmScoreBoard::MarkState(state));
        QCOMPARE(shape("shpPenaltyR", 4)->fillColor(), red);
        QCOMPARE(shape("shpPenaltyG", 4)->fillColor(), green);
        QCOMPARE(shape("shpPenaltyR", 4)->borderColor(), settingsRecord().LEDBack);
        QCOMPARE(shape("shpPenaltyR", 3)->fillColor(), settingsRecord().FormBack);
    }

    // Steady play repaints only what changed: a tick that leaves every
    // figure as it was paints nothing.
    void aTickThatChangesNothingPaintsNothing()
    {
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
        m_board->ClockTick();
        QCoreApplication::processEvents();

        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        const QList<QWidget *> widgets = m_board->findChildren<QWidget *>();
        for (QWidget *widget : widgets)
            widget->installEventFilter(&counter);
        m_board->installEventFilter(&counter);
        m_board->ClockTick();
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);

        m_board->engine().startStopClock();
        tickFor(1000);
        QCoreApplication::processEvents();
        // 20:00 to 19:59 changes the four figures of the game clock.
        QCOMPARE(counter.paints, 4);
    }
};

QTEST_MAIN(TestScoreBoard)
#include "tst_scoreboard.moc"
