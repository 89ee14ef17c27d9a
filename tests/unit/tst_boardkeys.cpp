#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "help/frmhelp.h"
#include "input/modgrabkeys.h"
#include "input/modshowdigits.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using BoardGeometry::FigureSet;
using modCount::IsCounting;

class TestBoardKeys : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;

    BoardControl *control(const char *name, int index = -1) const
    {
        return m_board->controlLayer().find(QLatin1String(name), index);
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
    void select(const char *field)
    {
        control(field)->setFocus(Qt::OtherFocusReason);
        QCOMPARE(focused(), control(field));
    }
    // Keys go where the keyboard sends them: to the focused widget.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused() ? focused() : m_board.get(), Qt::Key(key), modifiers);
    }
    void type(const QString &keys)
    {
        for (QChar c : keys) {
            if (c == QLatin1Char('\n'))
                press(Qt::Key_Return);
            else if (c == QLatin1Char('.'))
                press(Qt::Key_Period);
            else
                press(Qt::Key_0 + c.digitValue());
        }
    }
    void click(const char *name, int index = -1)
    {
        QWidget *widget = control(name, index);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, widget->height() / 2));
    }
    QString read(FigureSet set) { return BoardReader::readText(m_board->grab().toImage(), set); }
    void tickFor(int ms)
    {
        for (int done = 0; done < ms; done += 100) {
            m_time.advanceMs(100);
            m_board->ClockTick();
        }
    }
    QRect highlight() const
    {
        auto *shape = control("shpObjectSelected");
        return shape->isVisibleTo(m_board.get()) ? shape->geometry() : QRect();
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        modShowDigits::reset();
        modGrabKeys::reset();
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>();
        m_board->show();
        QApplication::setActiveWindow(m_board.get());
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
    }
    void cleanup() { m_board.reset(); }

    void opensWithTheGameClockSelected()
    {
        QCOMPARE(focused(), control("TimeBack"));
        QCOMPARE(m_board->selectedField(), control("TimeBack"));
        // No margin: the highlight shows one pixel right and below the box.
        QCOMPARE(highlight(), control("TimeBack")->geometry().adjusted(0, 0, 1, 1));
    }

    void tabFollowsTheFocusOrder()
    {
        const QStringList order = {"HomeBack", "VisitorBack", "picGoalBack", "ShotClockBack",
                                   "PenaltyTH1", "PenaltyTV1", "PenaltyTH2", "PenaltyTV2",
                                   "PenaltyTH3", "PenaltyTV3", "TimeBack"};
        for (const QString &next : order) {
            press(Qt::Key_Tab);
            QCOMPARE(focused()->objectName(), next);
            QCOMPARE(m_board->selectedField(), focused());
        }
    }

    void clicksSelectFields_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("field");
        QTest::newRow("a penalty figure") << "pledPenaltyTV2" << 1 << "PenaltyTV2";
        QTest::newRow("a shot clock figure") << "pledShot" << 3 << "ShotClockBack";
        QTest::newRow("a score figure") << "pledVisitor" << 0 << "VisitorBack";
        QTest::newRow("Flag Hang") << "lblGoalH" << -1 << "picGoalBack";
        QTest::newRow("the box itself") << "HomeBack" << -1 << "HomeBack";
    }
    void clicksSelectFields()
    {
        QFETCH(QString, clicked);
        QFETCH(int, index);
        QFETCH(QString, field);
        settingsRecord().LEDSelectedWidth = 3;
        click(qPrintable(clicked), index);
        QCOMPARE(focused()->objectName(), field);
        const QRect box = control(qPrintable(field))->geometry();
        QCOMPARE(highlight(), box.adjusted(-3, -3, 4, 4));
    }

    void resizeHidesTheHighlightUntilAFieldGainsTheFocus()
    {
        m_board->resize(800, 600);
        QCoreApplication::processEvents();
        QCOMPARE(highlight(), QRect());
        press(Qt::Key_Tab);
        QCOMPARE(m_board->selectedField(), control("HomeBack"));
    }

    void typedGameTimeWhileRunningStopsEverything()
    {
        press(Qt::Key_S);
        QVERIFY(IsCounting(0));
        tickFor(3000);
        type(QStringLiteral("12\n"));
        for (qint16 slot = 0; slot <= 6; ++slot)
            QVERIFY(!IsCounting(slot));
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral("12:00"));
        press(Qt::Key_S);
        tickFor(5000);
        // Stop, start, stop between two ticks keeps the run counted once.
        press(Qt::Key_S);
        press(Qt::Key_S);
        press(Qt::Key_S);
        tickFor(100);
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral("11:55"));
        press(Qt::Key_R);
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral("12:00"));
    }

    void enterWithNothingTypedLoadsZero()
    {
        type(QStringLiteral("\n"));
        QCOMPARE(read(FigureSet::GameClock), QStringLiteral(" 0.0"));
        QCOMPARE(modCount::state().GameLength, ClockValue());
    }

    // With Enter bound to the game clock's start, Enter in a penalty field
    // starts the clocks, then loads the typed time, which stays stopped.
    void enterBoundToStartStopInAPenaltyField()
    {
        settingsRecord().StartStopClockKey = 13;
        select("PenaltyTH2");
        type(QStringLiteral("1.30\n"));
        QVERIFY(IsCounting(0));
        QVERIFY(IsCounting(1));
        QVERIFY(!IsCounting(2));
        QCOMPARE(read(FigureSet::HomePenalty2), QStringLiteral("1:30"));
    }

    // The clear key acts before any command bound to the same key.
    void clearKeyComesBeforeCommands()
    {
        settingsRecord().StartStopClockKey = 46;
        select("PenaltyTH1");
        type(QStringLiteral("1\n"));
        press(Qt::Key_Delete);
        QCOMPARE(read(FigureSet::HomePenalty1), QString());
        // Cleared first, then started with the others: running, at zero.
        QVERIFY(IsCounting(1));
        QVERIFY(IsCounting(0));
        QCOMPARE(modCount::CountValue(1), ClockValue());
    }

    void penaltyKeyStartsOnlyItsOwnClock()
    {
        select("PenaltyTV3");
        type(QStringLiteral("2\n"));
        press(Qt::Key_I);
        for (qint16 slot = 0; slot <= 7; ++slot)
            QCOMPARE(IsCounting(slot), slot == 6);
        tickFor(1000);
        QCOMPARE(read(FigureSet::VisitorPenalty3), QStringLiteral("1:59"));
        press(Qt::Key_I);
        QVERIFY(!IsCounting(6));
    }

    void penaltyEntriesRoundToWholeSecondsHalvesToEven_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("575.5 rounds to 576") << "9.355" << "9:36";
        QTest::newRow("0.5 rounds to 0") << "0.005" << "0:00";
        QTest::newRow("1.5 rounds to 2") << "0.015" << "0:02";
        QTest::newRow("2.5 rounds to 2") << "0.025" << "0:02";
        QTest::newRow("10 refused") << "10" << "";
        QTest::newRow("9.595 refused") << "9.595" << "";
    }
    void penaltyEntriesRoundToWholeSecondsHalvesToEven()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        select("PenaltyTV1");
        type(typed + QLatin1Char('\n'));
        QCOMPARE(read(FigureSet::VisitorPenalty1), shown);
    }

    void keypadTypesWithNumLockOnOnly()
    {
        select("ShotClockBack");
        for (int key : {Qt::Key_Period, Qt::Key_4, Qt::Key_5, Qt::Key_Enter})
            press(key, Qt::KeypadModifier);
        QCOMPARE(read(FigureSet::ShotClock), QStringLiteral("  :45"));
        // NumLock off: the keypad's 1 and Enter are End and Enter.
        press(Qt::Key_End, Qt::KeypadModifier);
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(read(FigureSet::ShotClock), QStringLiteral("  : 0"));
    }

    void scoreTypedWithShiftAndEquals()
    {
        select("HomeBack");
        press(Qt::Key_Plus, Qt::ShiftModifier);
        press(Qt::Key_3);
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 3"));
        press(Qt::Key_Minus);
        press(Qt::Key_9);
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 3"));
        press(Qt::Key_Delete);
        QCOMPARE(read(FigureSet::HomeScore), QString());
    }

    void typingIsKeptToItsField()
    {
        select("HomeBack");
        type(QStringLiteral("4"));
        select("VisitorBack");
        type(QStringLiteral("5\n"));
        QCOMPARE(read(FigureSet::VisitorScore), QStringLiteral(" 5"));
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 0"));
    }

    void leftArrowTwiceInTheGoalField()
    {
        select("picGoalBack");
        press(Qt::Key_Left);
        QCOMPARE(m_board->WhoGoal(), frmScoreBoard::GoalLamp::Home);
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 1"));
        auto *lamp = static_cast<ShapeControl *>(control("shpGoalH"));
        QCOMPARE(lamp->fillColor(), settingsRecord().ScoreColor);
        press(Qt::Key_Left);
        QCOMPARE(m_board->WhoGoal(), frmScoreBoard::GoalLamp::None);
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 1"));
        QCOMPARE(lamp->fillColor(), settingsRecord().FormBack);
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(m_board->WhoGoal(), frmScoreBoard::GoalLamp::None);
        QCOMPARE(read(FigureSet::VisitorScore), QStringLiteral(" 1"));
    }

    void homeLampLitThenVisitorLampClicked()
    {
        select("ShotClockBack");
        click("imgGoalCoverH");
        QCOMPARE(focused(), control("picGoalBack"));
        click("imgGoalCoverV");
        QCOMPARE(m_board->WhoGoal(), frmScoreBoard::GoalLamp::Visitor);
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 1"));
        QCOMPARE(read(FigureSet::VisitorScore), QStringLiteral(" 1"));
        QCOMPARE(static_cast<ShapeControl *>(control("shpGoalH"))->fillColor(), settingsRecord().FormBack);
        QCOMPARE(static_cast<ShapeControl *>(control("shpGoalV"))->fillColor(), settingsRecord().ScoreColor);
    }

    void homeLampOnNinetyNineStays()
    {
        select("HomeBack");
        type(QStringLiteral("99\n"));
        click("imgGoalCoverH");
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral("99"));
        QCOMPARE(m_board->WhoGoal(), frmScoreBoard::GoalLamp::Home);
    }

    void marksToggleWithoutMovingTheSelection()
    {
        select("ShotClockBack");
        const QRect selected = highlight();
        click("imgPRed", 2);
        QCOMPARE(m_board->PenaltyMark(2), frmScoreBoard::MarkState::Red);
        QCOMPARE(static_cast<ShapeControl *>(control("shpPenaltyR", 2))->fillColor(), 255);
        click("imgPGreen", 2);
        QCOMPARE(m_board->PenaltyMark(2), frmScoreBoard::MarkState::Green);
        QCOMPARE(static_cast<ShapeControl *>(control("shpPenaltyR", 2))->fillColor(), settingsRecord().FormBack);
        QCOMPARE(static_cast<ShapeControl *>(control("shpPenaltyG", 2))->fillColor(), 49152);
        click("imgPGreen", 2);
        QCOMPARE(m_board->PenaltyMark(2), frmScoreBoard::MarkState::Dark);
        QCOMPARE(focused(), control("ShotClockBack"));
        QCOMPARE(highlight(), selected);
    }

    void autoRepeatTogglesOnEveryRepeat()
    {
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent event(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"), repeat > 0);
            QApplication::sendEvent(focused(), &event);
        }
        QVERIFY(IsCounting(0));
    }

    void modifiersAreNeverExamined_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("plain") << int(Qt::NoModifier);
        QTest::newRow("Shift") << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl") << int(Qt::ControlModifier);
        QTest::newRow("Alt") << int(Qt::AltModifier);
    }
    void modifiersAreNeverExamined()
    {
        QFETCH(int, modifiers);
        press(Qt::Key_S, Qt::KeyboardModifiers(modifiers));
        QVERIFY(IsCounting(0));
    }

    void everyKeyIsDispatchedOnce()
    {
        QSignalSpy buzzers(m_board.get(), &frmScoreBoard::buzzerRequested);
        for (int field = 0; field < 11; ++field) {
            press(Qt::Key_B);
            press(Qt::Key_Tab);
        }
        QCOMPARE(buzzers.count(), 11);
        // With no field focused the window itself dispatches.
        focused()->clearFocus();
        m_board->setFocus();
        press(Qt::Key_B);
        QCOMPARE(buzzers.count(), 12);
    }

    void functionKeysReachTheirWindows()
    {
        int helps = 0;
        QWidget *focusWhileOpen = nullptr;
        select("PenaltyTV2");
        m_board->setWindows({[&](QWidget *parent) { helps += parent == m_board.get(); },
                             [&](QWidget *) {
                                 focusWhileOpen = focused();
                                 control("HomeBack")->setFocus();
                                 settingsRecord().HomeText = QStringLiteral("Reds");
                             }});
        press(Qt::Key_F1);
        QCOMPARE(helps, 1);
        press(Qt::Key_F2);
        QCOMPARE(focusWhileOpen, control("PenaltyTV2"));
        // Back from the dialog: settings applied, the same field selected.
        QCOMPARE(static_cast<LabelControl *>(control("lblHome"))->caption(), QStringLiteral("Reds"));
        QCOMPARE(focused(), control("PenaltyTV2"));
    }

    // From the help window the board's commands act as on the board, with
    // the keys they are bound to; nothing else reaches the board, and the
    // window keeps Escape and its scrolling keys even when they are bound.
    void helpWindowPassesTheBoardsCommandsOnly_data()
    {
        QTest::addColumn<int>("startStopKey");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("clockRuns");
        QTest::addColumn<bool>("scrolled");
        QTest::addColumn<bool>("helpOpen");
        QTest::newRow("start key") << 83 << int(Qt::Key_S) << true << false << true;
        QTest::newRow("start key bound to F3") << 114 << int(Qt::Key_F3) << true << false << true;
        QTest::newRow("field digit") << 83 << int(Qt::Key_5) << false << false << true;
        QTest::newRow("clear key") << 83 << int(Qt::Key_Delete) << false << false << true;
        QTest::newRow("penalty start key") << 83 << int(Qt::Key_I) << false << false << true;
        QTest::newRow("start key bound to Page Down") << 34 << int(Qt::Key_PageDown) << false << true << true;
        QTest::newRow("Escape") << 83 << int(Qt::Key_Escape) << false << false << false;
    }
    void helpWindowPassesTheBoardsCommandsOnly()
    {
        QFETCH(int, startStopKey);
        QFETCH(int, key);
        QFETCH(bool, clockRuns);
        QFETCH(bool, scrolled);
        QFETCH(bool, helpOpen);
        settingsRecord().StartStopClockKey = qint16(startStopKey);
        select("PenaltyTH1");
        type(QStringLiteral("2\n"));
        QPointer<frmHelp> help = new frmHelp(QString());
        help->rtbHelp()->setPlainText(QStringLiteral("A rule\n").repeated(500));
        BoardKeyRelay::install(help, m_board.get());
        help->show();
        QApplication::setActiveWindow(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QCOMPARE(focused(), help->rtbHelp());
        press(key);
        QCOMPARE(IsCounting(0), clockRuns);
        // The penalty start key would have started this one alone.
        QCOMPARE(IsCounting(1), clockRuns);
        QCOMPARE(read(FigureSet::HomePenalty1), QStringLiteral("2:00"));
        QCOMPARE(modCount::state().EntryText, QString());
        QCOMPARE(help->rtbHelp()->verticalScrollBar()->value() > 0, scrolled);
        QTRY_COMPARE(help.isNull(), !helpOpen);
        delete help.data();
    }

    // Any key, in any field, with any binding: the board stays whole.
    void randomKeysLeaveTheBoardConsistent()
    {
        QRandomGenerator random(20261207);
        const QList<int> keys = {Qt::Key_0, Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_Period,
                                 Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Return, Qt::Key_Space,
                                 Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Down,
                                 Qt::Key_S, Qt::Key_R, Qt::Key_Z, Qt::Key_X, Qt::Key_C,
                                 Qt::Key_I, Qt::Key_B, Qt::Key_G, Qt::Key_Tab, Qt::Key_Escape,
                                 Qt::Key_Backspace, Qt::Key_Equal};
        const QList<qint16> codes = {13, 46, 48, 49, 53, 187, 189, 190, 32, 83, 73, 8};
        const QList<qint16 SettingsRecord::*> bindings = {
            &SettingsRecord::StartStopClockKey, &SettingsRecord::ResetClockKey,
            &SettingsRecord::ClearKey, &SettingsRecord::SepTimeKey,
            &SettingsRecord::StartStopShotKey, &SettingsRecord::ResetShotKey};
        for (int round = 0; round < 3000; ++round) {
            if (round % 300 == 0)
                settingsRecord().*bindings[random.bounded(int(bindings.size()))]
                    = codes[random.bounded(int(codes.size()))];
            const Qt::KeyboardModifiers keypad = random.bounded(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier;
            press(keys[random.bounded(int(keys.size()))], keypad);
            if (round % 7 == 0)
                tickFor(100 * random.bounded(40));
        }
        for (const BoardControl *c : m_board->controlLayer().controls()) {
            if (const auto *figure = qobject_cast<const Segmora *>(c))
                QVERIFY2(figure->caption() >= -1 && figure->caption() <= 9, qPrintable(figure->objectName()));
        }
        for (qint16 slot = 0; slot <= 7; ++slot) {
            QVERIFY(modCount::CountValue(slot) >= ClockValue());
            QVERIFY(modCount::CountValue(slot) <= ClockValue::fromSeconds(slot == 0 ? 5999 : 599));
        }
        QVERIFY(int(m_board->WhoGoal()) >= 0 && int(m_board->WhoGoal()) <= 2);
    }
};

QTEST_MAIN(TestBoardKeys)
#include "tst_boardkeys.moc"
