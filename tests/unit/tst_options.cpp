// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/imagecontrol.h"
#include "input/modgrabkeys.h"
#include "options/frmchoosekey.h"
#include "options/frmoptions.h"
#include "options/keynames.h"
#include "options/previewsize.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QClipboard>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <deque>
#include <memory>

namespace {

enum class WidthMove { UpArrow, DownArrow, UpKey, WheelUp };

// Rows of the key tab, counted from the top.
constexpr int StartStopClockRow = 1, HornRow = 3, BuzzerRow = 4;

} // namespace

Q_DECLARE_METATYPE(WidthMove)

// The options dialog and its key capture, with the platform's own dialogs
// answered by the test.
class TestOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::deque<std::optional<QColor>> m_colors;
    std::deque<QString> m_files;
    bool m_answer = false;
    QStringList m_told;
    int m_beeps = 0;

    std::unique_ptr<frmOptions> dialog()
    {
        OptionsPlatform fake;
        fake.chooseColor = [this](QWidget *, const QColor &) {
            return take(m_colors);
        };
        fake.chooseFile = [this](QWidget *, const QString &filter, const QString &) {
            return filter.contains("*.wav") || filter.contains("*.png") ? take(m_files) : QString();
        };
        fake.askYesNo = [this](QWidget *, const QString &, const QString &) {
            return m_answer;
        };
        fake.tell = [this](QWidget *, const QString &, const QString &message) {
            m_told << message;
        };
        fake.beep = [this] {
            ++m_beeps;
        };
        return std::make_unique<frmOptions>(*m_store, fake);
    }
    template<typename T> static T take(std::deque<T> &answers)
    {
        const T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString storePath() const { return m_dir->filePath("Vantrell/Vantrell.conf"); }
    QString stored(const QString &key) const
    {
        return QSettings(storePath(), QSettings::IniFormat).value(key).toString();
    }
    QString file(const QString &name)
    {
        QFile out(m_dir->filePath(name));
        out.open(QIODevice::WriteOnly);
        return out.fileName();
    }
    template<typename T = QWidget> static T *child(const QWidget &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QLatin1String(name));
        Q_ASSERT(found);
        return found;
    }
    static void click(const QWidget &dialog, const char *button)
    {
        child<QPushButton>(dialog, button)->click();
    }
    static QString label(const QWidget &dialog, const char *name)
    {
        return child<QLabel>(dialog, name)->text();
    }
    static QString width(const QWidget &dialog)
    {
        return label(dialog, "lblLEDSelectedWidthValue");
    }
    static void moveWidth(const QWidget &dialog, WidthMove move)
    {
        auto *spinner = child<QScrollBar>(dialog, "scrLEDSelectedWidth");
        const QPoint upArrow(spinner->width() / 2, 2);
        QWheelEvent wheel(upArrow, spinner->mapToGlobal(upArrow), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        if (move == WidthMove::UpKey)
            QTest::keyClick(spinner, Qt::Key_Up);
        else if (move == WidthMove::WheelUp)
            QApplication::sendEvent(spinner, &wheel);
        else
            QTest::mouseClick(
                spinner, Qt::LeftButton, {},
                move == WidthMove::UpArrow ? upArrow : QPoint(upArrow.x(), spinner->height() - 3));
    }
    // Presses the keys in the capture window as soon as it shows.
    static void pressWhenShown(const QList<int> &keys)
    {
        QTimer::singleShot(0, [keys] {
            QWidget *window = QApplication::activeModalWidget();
            QVERIFY(window);
            for (int key : keys)
                QTest::keyClick(window, Qt::Key(key));
            if (window->isVisible())
                window->close();
        });
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
        m_store = std::make_unique<SettingsStore>();
        resetSettingsRecord();
        modGrabKeys::reset();
        keyCapture() = KeyCapture{};
        m_colors.clear();
        m_files.clear();
        m_told.clear();
        m_beeps = 0;
    }

    // Each stored policy ticks its option; one the dialog does not know
    // ticks none and is written back as it was.
    void okWritesEverythingBack_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("normal") << 0 << "optNormal";
        QTest::newRow("keep on") << 1 << "optKeepOn";
        QTest::newRow("keep off") << 2 << "optKeepOff";
        QTest::newRow("unknown 7") << 7 << "";
        QTest::newRow("unknown -3") << -3 << "";
    }
    void okWritesEverythingBack()
    {
        QFETCH(int, policy);
        QFETCH(QString, ticked);
        SettingsRecord &s = settingsRecord();
        s.NumLockForce = qint16(policy);
        s.LEDSelectedWidth = 1;
        s.HomePic = file("home.png");
        s.HomeText = QString(30, 'A');
        s.ClockSwitchKey = 75;
        s.LEDType = 1;
        SettingsRecord expected = s;
        expected.TeamSize = Decimal4::fromSeconds(::teamNameSize(s.HomeText, s.VisitorText));
        auto options = dialog();
        for (const char *option : {"optNormal", "optKeepOn", "optKeepOff"})
            QCOMPARE(child<QRadioButton>(*options, option)->isChecked(), ticked == option);
        click(*options, "cmdOk");
        QCOMPARE(options->result(), int(QDialog::Accepted));
        QCOMPARE(m_told, QStringList());
        QCOMPARE(settingsRecord(), expected);
        QCOMPARE(stored("KeySettings/NumLockForce"), QString::number(policy));
        QCOMPARE(stored("TextSettings/HomeText"), expected.HomeText);
    }

    // OK must not look as if it saved when nothing reached the store.
    void okSaysOnceWhenTheStoreCannotBeWritten()
    {
        QFile blocker(m_dir->filePath("Vantrell"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto options = dialog();
        child<QLineEdit>(*options, "txtHomeText")->setText("Reds");
        click(*options, "cmdOk");
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(storePath()), qPrintable(m_told.first()));
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Reds"));
    }

    void cancelAndCloseWriteNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void cancelAndCloseWriteNothing()
    {
        QFETCH(bool, closeBox);
        const SettingsRecord before = settingsRecord();
        auto options = dialog();
        m_colors.push_back(QColor(1, 2, 3));
        click(*options, "cmdTimeC");
        child<QLineEdit>(*options, "txtHomeText")->setText("Reds");
        child<QRadioButton>(*options, "optKeepOff")->setChecked(true);
        closeBox ? void(options->close()) : click(*options, "cmdCancel");
        QCOMPARE(options->result(), int(QDialog::Rejected));
        QCOMPARE(settingsRecord(), before);
        QVERIFY(!QFile::exists(storePath()));
    }

    void resetColours_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void resetColours()
    {
        QFETCH(bool, yes);
        settingsRecord().TimeColor = 0x00FF00;
        settingsRecord().LEDSelectedWidth = 3;
        auto options = dialog();
        m_answer = yes;
        click(*options, "cmdResetColors");
        QCOMPARE(options->swatch("picTimeC"), yes ? 255 : 0x00FF00);
        QCOMPARE(width(*options), yes ? "0" : "3");
        QVERIFY(!QFile::exists(storePath()));
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().LEDSelectedWidth, qint16(yes ? 0 : 3));
        // The spinner stayed at 3: its next move shows its own value again.
        moveWidth(*options, WidthMove::UpArrow);
        QCOMPARE(width(*options), QStringLiteral("4"));
    }

    // Up widens the highlight, whichever way the operator moves the spinner.
    void widthSpinnerShowsItsValue_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<WidthMove>("move");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up arrow from 0") << 0 << WidthMove::UpArrow << "1";
        QTest::newRow("up arrow at 5") << 5 << WidthMove::UpArrow << "5";
        QTest::newRow("down arrow from 2") << 2 << WidthMove::DownArrow << "1";
        QTest::newRow("down arrow at 0") << 0 << WidthMove::DownArrow << "0";
        QTest::newRow("Up key") << 2 << WidthMove::UpKey << "3";
        QTest::newRow("wheel up") << 2 << WidthMove::WheelUp << "3";
        QTest::newRow("stored 900 is 5, down gives 4") << 900 << WidthMove::DownArrow << "4";
    }
    void widthSpinnerShowsItsValue()
    {
        QFETCH(int, stored);
        QFETCH(WidthMove, move);
        QFETCH(QString, shown);
        settingsRecord().LEDSelectedWidth = qint16(stored);
        auto options = dialog();
        moveWidth(*options, move);
        QCOMPARE(width(*options), shown);
    }

    void nameBoxesTakeTwentyCharacters()
    {
        settingsRecord().VisitorText = QString(30, 'V');
        auto options = dialog();
        child<QTabWidget>(*options, "SSTab1")->setCurrentIndex(2);
        options->show();
        QVERIFY(QTest::qWaitForWindowActive(options.get()));
        auto *home = child<QLineEdit>(*options, "txtHomeText");
        home->selectAll();
        QTest::keyClicks(home, "abcdefghijklmnopqrstuvwxy");
        QCOMPARE(home->text(), QStringLiteral("abcdefghijklmnopqrst"));
        // A longer stored name is shown whole, refuses more, and may shrink.
        auto *visitor = child<QLineEdit>(*options, "txtVisitorText");
        visitor->setFocus();
        visitor->end(false);
        QTest::keyClick(visitor, Qt::Key_X);
        QCOMPARE(visitor->text(), QString(30, 'V'));
        QTest::keyClick(visitor, Qt::Key_Backspace);
        QCOMPARE(visitor->text().size(), 29);
        // Coming back from another window, the name box keeps the focus; a
        // longer name pasted keeps its first twenty characters.
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        options->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(options.get()));
        QCOMPARE(QApplication::focusWidget(), visitor);
        QGuiApplication::clipboard()->setText("Wolverhampton Wanderers");
        visitor->selectAll();
        QTest::keyClick(visitor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(visitor->text(), QStringLiteral("Wolverhampton Wander"));
    }

    void coloursComeFromTheChooser()
    {
        auto options = dialog();
        m_colors = {QColor(1, 2, 3), std::nullopt};
        click(*options, "cmdLedSelected");
        click(*options, "cmdLedSelected");
        QCOMPARE(options->swatch("picLedSelected"), 1 + 2 * 256 + 3 * 65536);
        // The real chooser opens at the swatch's colour; confirmed untouched
        // it keeps it.
        settingsRecord().TimeColor = 0x3366CC;
        frmOptions real(*m_store, OptionsPlatform::system());
        QColor opened;
        QTimer::singleShot(0, [&opened] {
            auto *chooser = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            opened = chooser->currentColor();
            chooser->accept();
        });
        click(real, "cmdTimeC");
        QCOMPARE(opened, QColor(0xCC, 0x66, 0x33));
        QCOMPARE(real.swatch("picTimeC"), 0x3366CC);
    }

    // A cancelled choice, or a file that is gone, changes nothing.
    void picturesAndSoundsChange()
    {
        const QString picture = m_dir->filePath("board.png");
        QImage(40, 20, QImage::Format_RGB32).save(picture);
        const QString sound = file("<b>MEGAPHONE WHISTLE AT THE PERIOD END.wav");
        auto options = dialog();
        auto *image = child<ImageControl>(*options, "imgBoardPicPreview");
        m_files = {picture, QString(), m_dir->filePath("gone.png"), sound, QString()};
        for (int i = 0; i < 3; ++i)
            click(*options, "cmdChangeBoardPic");
        QCOMPARE(options->BoardPicTemp, picture);
        QCOMPARE(image->picture().size(), QSize(40, 20));
        click(*options, "cmdClearBoardPic");
        QVERIFY(options->BoardPicTemp.isEmpty() && image->picture().isNull());
        auto *label = child<QLabel>(*options, "lblBFile");
        QCOMPARE(label->text(), QStringLiteral("[No File Selected]"));
        click(*options, "cmdBuzzerSound");
        click(*options, "cmdBuzzerSound");
        // Too wide at fifty characters: shortened from the front, never clipped.
        QVERIFY(label->text().endsWith("PERIOD END.wav"));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <=
                label->contentsRect().width());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().BuzzerFile, sound);
    }

    void okTakesTheFocusAndIsTheDefault()
    {
        auto options = dialog();
        options->show();
        QVERIFY(QTest::qWaitForWindowExposed(options.get()));
        QCOMPARE(QApplication::focusWidget(), child(*options, "cmdOk"));
        QVERIFY(child<QPushButton>(*options, "cmdOk")->isDefault());
        // Minimized by a window manager, it comes straight back.
        options->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!options->isMinimized());
        QVERIFY(options->isVisible());
        // A button the operator tabs to answers Enter.
        QTest::keyClick(options.get(), Qt::Key_Tab);
        QTest::keyClick(options.get(), Qt::Key_Return);
        QCOMPARE(options->result(), int(QDialog::Rejected));
    }

    // F1 and F2 open help and the options: they have no name to bind.
    void functionKeyNames()
    {
        QCOMPARE(KeyCodeToStr(112), QString());
        QCOMPARE(KeyCodeToStr(113), QString());
        QCOMPARE(KeyCodeToStr(114), QStringLiteral("F3"));
        QCOMPARE(KeyCodeToStr(123), QStringLiteral("F12"));
    }

    // The keys as they stand by default: S R Z X C Delete I B G.
    void captureAnswers_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("chosen");
        const auto row = [](const char *name, int key, const char *chosen, int current = 73) {
            QTest::newRow(name) << current << key << 0 << chosen;
        };
        row("the row's own key", Qt::Key_I, "73");
        row("a free letter", Qt::Key_Q, "81");
        row("the start key", Qt::Key_S, "0");
        row("the reset key", Qt::Key_R, "0");
        row("the clock-switch key", Qt::Key_C, "0");
        row("the buzzer key", Qt::Key_B, "0");
        row("the horn key", Qt::Key_G, "0");
        row("the penalty key for another row", Qt::Key_I, "0", 66);
        row("the clear key", Qt::Key_Delete, "0");
        row("a shot clock key is shared", Qt::Key_Z, "90");
        row("the other shot clock key", Qt::Key_X, "88", 66);
        row("F1", Qt::Key_F1, "0");
        row("F2", Qt::Key_F2, "0");
        row("F3", Qt::Key_F3, "114");
        row("a key without a name", Qt::Key_5, "0");
        // Modifier keys pressed alone count as keys.
        row("Shift alone", Qt::Key_Shift, "0");
        row("Ctrl alone", Qt::Key_Control, "17");
        QTest::newRow("Ctrl+Q is Ctrl first")
            << 73 << int(Qt::Key_Q) << int(Qt::ControlModifier) << "17";
    }
    void captureAnswers()
    {
        QFETCH(int, current);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, chosen);
        const KeyWorkingCopies keys{83, 82, 90, 88, 67, 46, 73, 66, 71};
        keyCapture().CurrentKey = qint16(current);
        frmChooseKey window(keys, [this] { ++m_beeps; });
        window.show();
        // Minimized by a window manager, it comes straight back.
        window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!window.isMinimized());
        QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(keyCapture().ChosenKey, chosen);
        // A refused key leaves the window open with its red line, and beeps.
        const bool refused = chosen == "0";
        QCOMPARE(window.isVisible(), refused);
        QCOMPARE(window.refusalShown(), refused);
        QCOMPARE(m_beeps, refused ? 1 : 0);
    }

    void refusalsThenAKeyBindTheRow()
    {
        auto options = dialog();
        options->show();
        QVERIFY(QTest::qWaitForWindowActive(options.get()));
        // Closed without a key: nothing changes.
        pressWhenShown({});
        options->captureKey(StartStopClockRow);
        QCOMPARE(label(*options, "lblStartStopClock"), QStringLiteral("S"));
        pressWhenShown({Qt::Key_B, Qt::Key_F1, Qt::Key_Escape, Qt::Key_F5});
        options->captureKey(HornRow);
        QCOMPARE(m_beeps, 3);
        QCOMPARE(label(*options, "lblHorn"), QStringLiteral("F5"));
        // The refusal compares against what the dialog now holds.
        pressWhenShown({Qt::Key_F5, Qt::Key_G});
        options->captureKey(BuzzerRow);
        QCOMPARE(options->BuzzerKeyTemp, qint16(71));
        // Clicked as the operator does, the row's button takes the focus; once
        // the capture closes, Enter confirms the dialog and opens no capture.
        pressWhenShown({Qt::Key_H});
        QTest::mouseClick(child(*options, "cmdBuzzer"), Qt::LeftButton);
        QTRY_COMPARE(options->focusWidget(), child(*options, "cmdOk"));
        QTest::keyClick(options.get(), Qt::Key_Return);
        QCOMPARE(options->result(), int(QDialog::Accepted));
        QCOMPARE(settingsRecord().HornKey, qint16(116));
        QCOMPARE(settingsRecord().BuzzerKey, qint16(72));
    }

    // Reset gives each row its own key (the clock switch keeps its key) and
    // the normal NumLock mode; Cancel keeps the old bindings.
    void resetKeys_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void resetKeys()
    {
        QFETCH(bool, yes);
        settingsRecord().StartStopClockKey = 65;
        settingsRecord().ClockSwitchKey = 75;
        settingsRecord().NumLockForce = 1;
        const SettingsRecord before = settingsRecord();
        m_answer = yes;
        auto options = dialog();
        click(*options, "cmdResetKeys");
        QCOMPARE(label(*options, "lblStartStopClock"), yes ? "S" : "A");
        QCOMPARE(label(*options, "lblClockSwitch"), QStringLiteral("K"));
        QCOMPARE(child<QRadioButton>(*options, "optNormal")->isChecked(), yes);
        click(*options, "cmdCancel");
        QCOMPARE(settingsRecord(), before);
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
