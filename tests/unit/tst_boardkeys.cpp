// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
#include "board/labelcontrol.h"
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
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using BoardGeometry::FigureSet;
using modCount::IsCounting;

Q_DECLARE_METATYPE(FigureSet)

// The board driven as the operator drives it, read back off its picture.
class TestBoardKeys : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;

    BoardControl *control(const QString &name, int index = -1) const
    {
        return m_board->controlLayer().find(name, index);
    }
    qint32 fill(const char *shape, int index = -1) const
    {
        return static_cast<ShapeControl *>(control(shape, index))->fillColor();
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
    void select(const QString &field) { control(field)->setFocus(Qt::OtherFocusReason); }
    // Keys go where the keyboard sends them: to the focused widget.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused() ? focused() : m_board.get(), Qt::Key(key), modifiers);
    }
    // Digits, '.', '\n' Enter, '+' Shift and =, '-' minus, '#' Delete.
    void type(const QString &keys)
    {
        static const QHash<QChar, QPair<int, Qt::KeyboardModifiers>> special = {
            {u'\n', {Qt::Key_Return, {}}},
            {u'.', {Qt::Key_Period, {}}},
            {u'+', {Qt::Key_Plus, Qt::ShiftModifier}},
            {u'-', {Qt::Key_Minus, {}}},
            {u'#', {Qt::Key_Delete, {}}}};
        for (QChar c : keys) {
            const auto key = special.value(c, {Qt::Key_0 + c.digitValue(), {}});
            press(key.first, key.second);
        }
    }
    // Clicked where the operator clicks: on the window, at the control.
    void click(const char *name, int index = -1, bool twice = false)
    {
        const QWidget *area = control(name, index);
        const QPoint at = area->mapTo(m_board.get(), area->rect().center());
        if (twice)
            QTest::mouseDClick(m_board->windowHandle(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(m_board->windowHandle(), Qt::LeftButton, {}, at);
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
    void openBoard()
    {
        m_board.reset();
        m_board = std::make_unique<frmScoreBoard>();
        m_board->show();
        QApplication::setActiveWindow(m_board.get());
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        modCount::reset(&m_time);
        modShowDigits::reset();
        modGrabKeys::reset();
        resetSettingsRecord();
        openBoard();
    }
    void cleanup() { m_board.reset(); }

    void opensReadableInEitherDigitType_data()
    {
        QTest::addColumn<int>("ledType");
        QTest::newRow("lines") << 0;
        QTest::newRow("dots") << 1;
    }
    void opensReadableInEitherDigitType()
    {
        QFETCH(int, ledType);
        settingsRecord().LEDType = qint16(ledType);
        openBoard();
        // The game clock field is selected, its highlight beneath the box.
        QCOMPARE(focused(), control("TimeBack"));
        QCOMPARE(highlight(), control("TimeBack")->geometry().adjusted(0, 0, 1, 1));
        m_board->ClockTick();
        QCOMPARE(read(FigureSet::GameClock) + read(FigureSet::ShotClock) +
                     read(FigureSet::HomeScore),
                 "20:00 2:00 0");
        for (FigureSet set : BoardGeometry::penaltySets())
            QCOMPARE(read(set), QString());
    }

    // Tab goes round the eleven fields; Shift+Tab comes back one.
    void tabAndShiftTabFollowTheFocusOrder()
    {
        press(Qt::Key_Tab);
        QCOMPARE(m_board->selectedField(), control("HomeBack"));
        for (int i = 0; i < 10; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(m_board->selectedField(), control("TimeBack"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_board->selectedField(), control("PenaltyTV3"));
        QCOMPARE(focused(), control("PenaltyTV3"));
    }

    void clicksSelectFields_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("field");
        QTest::newRow("a penalty figure") << "pledPenaltyTV2" << 1 << "PenaltyTV2";
        QTest::newRow("a shot clock figure") << "pledShot" << 3 << "ShotClockBack";
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
        QCOMPARE(highlight(), control(field)->geometry().adjusted(-3, -3, 4, 4));
    }

    void typedEntries_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<FigureSet>("set");
        QTest::addColumn<QString>("shown");
        const auto penalty = [](const char *name, const char *keys, const char *shown) {
            QTest::newRow(name) << "PenaltyTV1" << keys << FigureSet::VisitorPenalty1 << shown;
        };
        const auto score = [](const char *name, const char *keys, const char *shown) {
            QTest::newRow(name) << "HomeBack" << keys << FigureSet::HomeScore << shown;
        };
        QTest::newRow("the game clock's limit") << "TimeBack"
                                                << "99.59\n"
                                                << FigureSet::GameClock << "99:59";
        penalty("575.5 s rounds to 576", "9.355\n", "9:36");
        penalty("2.5 s rounds to 2", "0.025\n", "0:02");
        penalty("10 refused", "10\n", "");
        score("score with Shift and =", "+3", " 3");
        score("score minus refused below -1", "+3-9", " 3");
        score("clear key blanks the score", "+3#", "");
    }
    void typedEntries()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(FigureSet, set);
        QFETCH(QString, shown);
        select(field);
        type(keys);
        QCOMPARE(read(set), shown);
    }

    // With Enter bound to the game clock's start, Enter in a penalty field
    // starts the clocks, then loads the typed time, which stays stopped. The
    // clear key acts before a command bound to it: cleared, then started.
    void keysBoundToStartStopInAPenaltyField_data()
    {
        QTest::addColumn<int>("startKey");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Enter") << 13 << "1.30\n"
                               << "1:30";
        QTest::newRow("the clear key") << 46 << "1\n#"
                                       << "";
    }
    void keysBoundToStartStopInAPenaltyField()
    {
        QFETCH(int, startKey);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        settingsRecord().StartStopClockKey = qint16(startKey);
        select("PenaltyTH1");
        type(keys);
        QCOMPARE(read(FigureSet::HomePenalty1), shown);
        QVERIFY(IsCounting(0));
        QCOMPARE(IsCounting(1), shown.isEmpty());
        if (shown.isEmpty())
            QCOMPARE(modCount::CountValue(1), ClockValue());
    }

    void penaltyKeyStartsOnlyItsOwnClock()
    {
        select("PenaltyTV3");
        type("2\n");
        QCOMPARE(read(FigureSet::VisitorPenalty3), QStringLiteral("2:00"));
        press(Qt::Key_I);
        for (qint16 slot = 0; slot <= 7; ++slot)
            QCOMPARE(IsCounting(slot), slot == 6);
        tickFor(1000);
        QCOMPARE(read(FigureSet::VisitorPenalty3), QStringLiteral("1:59"));
    }

    void goalKeysAndLamps()
    {
        select("picGoalBack");
        press(Qt::Key_Left);
        QCOMPARE(qint16(m_board->WhoGoal()), qint16(1));
        QCOMPARE(fill("shpGoalH"), settingsRecord().ScoreColor);
        // Put out again: the point stays.
        press(Qt::Key_Left);
        QCOMPARE(qint16(m_board->WhoGoal()), qint16(0));
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 1"));
        // A click on a lamp selects the goal field; lighting the other
        // team's lamp puts the first out.
        select("HomeBack");
        click("imgGoalCoverH");
        QCOMPARE(focused(), control("picGoalBack"));
        click("imgGoalCoverV");
        QCOMPARE(qint16(m_board->WhoGoal()), qint16(2));
        QCOMPARE(read(FigureSet::VisitorScore), QStringLiteral(" 1"));
        QCOMPARE(fill("shpGoalH"), settingsRecord().FormBack);
        QCOMPARE(fill("shpGoalV"), settingsRecord().ScoreColor);
    }

    void penaltyMarksFollowTheirClicks_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("green");
        QTest::addColumn<int>("to");
        QTest::newRow("dark, red clicked") << 0 << false << 1;
        QTest::newRow("dark, green clicked") << 0 << true << 2;
        QTest::newRow("red, red clicked") << 1 << false << 0;
        QTest::newRow("red, green clicked") << 1 << true << 2;
        QTest::newRow("green, red clicked") << 2 << false << 1;
        QTest::newRow("green, green clicked") << 2 << true << 0;
    }
    void penaltyMarksFollowTheirClicks()
    {
        QFETCH(int, from);
        QFETCH(bool, green);
        QFETCH(int, to);
        select("ShotClockBack");
        const QRect selected = highlight();
        m_board->setPenaltyMark(2, frmScoreBoard::MarkState(from));
        click(green ? "imgPGreen" : "imgPRed", 2);
        QCOMPARE(int(m_board->PenaltyMark(2)), to);
        const qint32 back = settingsRecord().FormBack;
        QCOMPARE(fill("shpPenaltyR", 2), to == 1 ? 255 : back);
        QCOMPARE(fill("shpPenaltyG", 2), to == 2 ? 49152 : back);
        QCOMPARE(fill("shpPenaltyR", 3), back);
        // The selection stays where it was.
        QCOMPARE(focused(), control("ShotClockBack"));
        QCOMPARE(highlight(), selected);
    }

    // A double-click is a click and then a double-click event, which the
    // board leaves alone.
    void aDoubleClickActsOnce()
    {
        click("imgGoalCoverH", -1, true);
        QCOMPARE(qint16(m_board->WhoGoal()), qint16(1));
        QCOMPARE(read(FigureSet::HomeScore), QStringLiteral(" 1"));
        click("imgPGreen", 4, true);
        QCOMPARE(m_board->PenaltyMark(4), frmScoreBoard::MarkState::Green);
    }

    void everyKeyIsDispatchedOnceWhateverItsModifiers()
    {
        QSignalSpy buzzers(m_board.get(), &frmScoreBoard::buzzerRequested);
        for (int field = 0; field < 11; ++field) {
            press(Qt::Key_B, field % 2 ? Qt::ShiftModifier : Qt::ControlModifier);
            press(Qt::Key_Tab);
        }
        QCOMPARE(buzzers.count(), 11);
        // With no field focused the window itself dispatches.
        focused()->clearFocus();
        m_board->setFocus();
        press(Qt::Key_B);
        QCOMPARE(buzzers.count(), 12);
    }

    // A NumLock release reaches the focused field, never the window: the
    // field imposes the policy again.
    void numLockReleaseOverAFieldImposesThePolicy()
    {
        struct FakeKeyboard : modGrabKeys::Keyboard
        {
            bool on = false;
            bool numLockOn() const override { return on; }
            void strokeNumLock() override { on = !on; }
        } keyboard;
        modGrabKeys::setKeyboard(&keyboard);
        settingsRecord().NumLockForce = 1;
        QTest::keyRelease(focused(), Qt::Key_NumLock);
        const bool imposed = keyboard.on;
        modGrabKeys::reset();
        QVERIFY(imposed);
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
        QCOMPARE(static_cast<LabelControl *>(control("lblHome"))->caption(),
                 QStringLiteral("Reds"));
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
        QTest::newRow("start key bound to Page Down")
            << 34 << int(Qt::Key_PageDown) << false << true << true;
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
        type("2\n");
        QPointer<frmHelp> help = new frmHelp(QString());
        help->rtbHelp()->setPlainText(QStringLiteral("A rule\n").repeated(500));
        BoardKeyRelay::install(help, m_board.get());
        help->show();
        QApplication::setActiveWindow(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QCOMPARE(focused(), help->rtbHelp());
        press(key);
        // The penalty start key would have started this one alone.
        QCOMPARE(IsCounting(0), clockRuns);
        QCOMPARE(IsCounting(1), clockRuns);
        QCOMPARE(read(FigureSet::HomePenalty1), QStringLiteral("2:00"));
        QCOMPARE(modCount::state().EntryText, QString());
        QCOMPARE(help->rtbHelp()->verticalScrollBar()->value() > 0, scrolled);
        QTRY_COMPARE(help.isNull(), !helpOpen);
        delete help.data();
    }
};

QTEST_MAIN(TestBoardKeys)
#include "tst_boardkeys.moc"
