// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
#include "board/labelcontrol.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "help/frmhelp.h"
#include "input/modshowdigits.h"
#include "record/frmrecord.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using BoardGeometry::FigureSet;

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
    // Each character as Qt names its key; '\n' is Enter, '#' Delete.
    void type(const QString &keys)
    {
        for (QChar c : keys)
            press(c == u'#' ? Qt::Key_Delete : QTest::asciiToKey(c == u'\n' ? '\r' : c.toLatin1()));
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
    QRect highlight() const
    {
        auto *shape = control("shpObjectSelected");
        return shape->isVisibleTo(m_board.get()) ? shape->geometry() : QRect();
    }

private slots:
    void init()
    {
        m_time = FakeTimeSource{};
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>(nullptr, FakePlayers::unheard(), m_time);
        m_board->show();
        QApplication::setActiveWindow(m_board.get());
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
    }
    void cleanup() { m_board.reset(); }

    // The board opens on the game clock field, its highlight beneath the box;
    // Tab goes round the eleven fields, Shift+Tab comes back one.
    void tabAndShiftTabFollowTheFocusOrder()
    {
        QCOMPARE(m_board->selectedField(), control("TimeBack"));
        QCOMPARE(highlight(), control("TimeBack")->geometry().adjusted(0, 0, 1, 1));
        press(Qt::Key_Tab);
        QCOMPARE(m_board->selectedField(), control("HomeBack"));
        for (int i = 0; i < 10; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(m_board->selectedField(), control("TimeBack"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_board->selectedField(), control("PenaltyTV3"));
    }

    // A click on a field's figures or on its caption selects the field.
    void clicksSelectFields()
    {
        settingsRecord().LEDSelectedWidth = 3;
        click("pledPenaltyTV2", 1);
        QCOMPARE(highlight(), control("PenaltyTV2")->geometry().adjusted(-3, -3, 4, 4));
        click("lblGoalH");
        QCOMPARE(m_board->selectedField(), control("picGoalBack"));
    }

    // Each field takes the limit of its own clock; a penalty keeps whole
    // seconds, rounded half to even.
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
        const auto clock = [](const char *name, const char *field, FigureSet set, const char *keys,
                              const char *shown) {
            QTest::newRow(name) << field << keys << set << shown;
        };
        // Each limit at its edge and just over it.
        clock("the game clock's limit", "TimeBack", FigureSet::GameClock, "99.59\n", "99:59");
        clock("the game clock over it", "TimeBack", FigureSet::GameClock, "99.60\n", "20:00");
        clock("the shot clock's limit", "ShotClockBack", FigureSet::ShotClock, "9.59\n", " 9:59");
        clock("the shot clock over it", "ShotClockBack", FigureSet::ShotClock, "1\n9.60\n",
              " 1:00");
        penalty("the penalty's limit", "9.59\n", "9:59");
        penalty("575.5 s rounds to 576", "9.355\n", "9:36");
        penalty("2.5 s rounds to 2", "0.025\n", "0:02");
        penalty("10 refused", "10\n", "");
        score("the score's limit, and 1 over it", "99\n+1", "99");
        score("score with the plus key", "+3", " 3");
        score("score minus 1 from 0 blanks", "-1", "");
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
        QTest::newRow("Enter") << 13 << QString("1.30\n") << QString("1:30");
        QTest::newRow("the clear key") << 46 << QString("1\n#") << QString();
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
        QVERIFY(m_board->game().isCounting(0));
        QCOMPARE(m_board->game().isCounting(1), shown.isEmpty());
    }

    void penaltyKeyStartsOnlyItsOwnClock()
    {
        select("PenaltyTV3");
        type("2\n");
        press(Qt::Key_I);
        for (qint16 slot = 0; slot <= 7; ++slot)
            QCOMPARE(m_board->game().isCounting(slot), slot == 6);
    }

    void goalKeysAndLamps()
    {
        select("picGoalBack");
        press(Qt::Key_Left);
        QCOMPARE(fill("shpGoalH"), settingsRecord().ScoreColor);
        // Put out again: the point stays.
        press(Qt::Key_Left);
        QCOMPARE(qint16(m_board->WhoGoal()), qint16(0));
        // A click on a lamp selects the goal field; lighting the other
        // team's lamp puts the first out.
        select("HomeBack");
        click("imgGoalCoverH");
        QCOMPARE(focused(), control("picGoalBack"));
        click("imgGoalCoverV");
        QCOMPARE(read(FigureSet::HomeScore) + read(FigureSet::VisitorScore), " 2 1");
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
        const qint32 back = settingsRecord().FormBack;
        QCOMPARE(fill("shpPenaltyR", 2), to == 1 ? 255 : back);
        QCOMPARE(fill("shpPenaltyG", 2), to == 2 ? 49152 : back);
        QCOMPARE(fill("shpPenaltyR", 3), back);
        // The selection stays where it was.
        QCOMPARE(highlight(), selected);
    }

    // A double-click is a click and then a double-click event, which the
    // board leaves alone.
    void aDoubleClickActsOnce()
    {
        click("imgGoalCoverH", -1, true);
        QCOMPARE(qint16(m_board->WhoGoal()), qint16(1));
        click("imgPGreen", 4, true);
        QCOMPARE(m_board->PenaltyMark(4), frmScoreBoard::MarkState::Green);
    }

    // F4 takes back what was typed into the field selected; typing left in
    // a field the operator moved away from waits there, and F4 undoes the
    // last change instead.
    void undoKeyTakesTypingOfTheFieldSelectedOnly_data()
    {
        QTest::addColumn<QString>("typedInto");
        QTest::addColumn<QString>("undoIn");
        QTest::addColumn<QString>("visitor");
        QTest::addColumn<QString>("entered");
        const auto row = [](const char *name, const char *typedInto, const char *undoIn,
                            const char *visitor, const char *entered) {
            QTest::newRow(name) << typedInto << undoIn << visitor << entered;
        };
        row("a score, in its field", "HomeBack", "HomeBack", " 2", " 0");
        row("a score, in another field", "HomeBack", "TimeBack", " 0", " 7");
        // Enter with nothing typed loads 0:00.
        row("a time, in its field", "TimeBack", "TimeBack", " 2", " 0.0");
        row("a time, in another field", "TimeBack", "HomeBack", " 0", " 7:00");
    }
    void undoKeyTakesTypingOfTheFieldSelectedOnly()
    {
        QFETCH(QString, typedInto);
        QFETCH(QString, undoIn);
        QFETCH(QString, visitor);
        QFETCH(QString, entered);
        select("VisitorBack");
        type("+2");
        select(typedInto);
        type("7");
        select(undoIn);
        press(Qt::Key_F4);
        QCOMPARE(read(FigureSet::VisitorScore), visitor);
        select(typedInto);
        type("\n");
        QCOMPARE(read(typedInto == "HomeBack" ? FigureSet::HomeScore : FigureSet::GameClock),
                 entered);
    }

    // Back from the options the board takes up the settings, and the field
    // that had the focus has it again.
    void functionKeysReachTheirWindows()
    {
        int helps = 0;
        QString displays;
        select("PenaltyTV2");
        frmScoreBoard *board = m_board.get();
        connect(board, &frmScoreBoard::helpWanted, board, [&] { ++helps; });
        connect(board, &frmScoreBoard::optionsWanted, board, [&] {
            control("HomeBack")->setFocus();
            settingsRecord().HomeText = "Reds";
        });
        connect(board, &frmScoreBoard::audienceToggleWanted, board, [&] { displays += "5"; });
        connect(board, &frmScoreBoard::displaysWanted, board, [&] { displays += "6"; });
        press(Qt::Key_F1);
        press(Qt::Key_F2);
        press(Qt::Key_F6);
        press(Qt::Key_F5);
        QCOMPARE(helps, 1);
        QCOMPARE(displays, QStringLiteral("65"));
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
        QTest::newRow("field digit") << 83 << int(Qt::Key_5) << false << false << true;
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
        QCOMPARE(m_board->game().isCounting(0), clockRuns);
        QCOMPARE(m_board->game().isCounting(1), clockRuns);
        QCOMPARE(m_board->game().timeEntry().EntryText, QString());
        QCOMPARE(help->rtbHelp()->verticalScrollBar()->value() > 0, scrolled);
        QTRY_COMPARE(help.isNull(), !helpOpen);
        delete help.data();
    }

    // The record window's log marks a change undone while it stands undone,
    // and its line says what the last undo took back, until a redo or a
    // new change.
    void recordWindowSaysWhatWasUndone()
    {
        Game &game = m_board->game();
        frmRecord record(game, nullptr);
        const QLabel *line = record.findChild<QLabel *>();
        const auto lampRow = [&record] {
            return record.findChild<QTableWidget *>()->item(0, 2)->text();
        };
        game.toggleLamp(GoalLamp::Home);
        game.undo();
        QCOMPARE(line->text(), QString::fromUtf8("Undone: goal, home 1 → 0"));
        QCOMPARE(lampRow(), QStringLiteral("Goal lamp (undone)"));
        game.redo();
        QCOMPARE(line->text(), QString());
        QCOMPARE(lampRow(), QStringLiteral("Goal lamp"));
        game.undo();
        game.clickMark(0, true);
        QCOMPARE(line->text(), QString());
    }
};

QTEST_MAIN(TestBoardKeys)
#include "tst_boardkeys.moc"
