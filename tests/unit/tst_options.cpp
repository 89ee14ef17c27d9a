// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/imagecontrol.h"
#include "input/modgrabkeys.h"
#include "options/frmchoosekey.h"
#include "options/frmoptions.h"
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

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::deque<QString> m_files;
    bool m_answer = false;
    QStringList m_told;
    int m_beeps = 0;

    std::unique_ptr<frmOptions> dialog()
    {
        OptionsPlatform fake;
        fake.chooseFile = [this](QWidget *, const QString &filter, const QString &) {
            if (!filter.contains("*.wav") && !filter.contains("*.png"))
                return QString();
            const QString answer = m_files.front();
            m_files.pop_front();
            return answer;
        };
        fake.askYesNo = [this](QWidget *, const QString &, const QString &) {
            return m_answer;
        };
        fake.tell = [this](QWidget *, const QString &, const QString &text) {
            m_told << text;
        };
        fake.beep = [this] {
            ++m_beeps;
        };
        return std::make_unique<frmOptions>(*m_store, fake);
    }
    QString storePath() const { return m_dir->filePath("Vantrell/Vantrell.conf"); }
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
    static void moveWidth(const QWidget &dialog, WidthMove move)
    {
        auto *spinner = child<QScrollBar>(dialog, "scrLEDSelectedWidth");
        const QPoint up(spinner->width() / 2, 2);
        QWheelEvent wheel(up, spinner->mapToGlobal(up), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        if (move == WidthMove::UpKey)
            QTest::keyClick(spinner, Qt::Key_Up);
        else if (move == WidthMove::WheelUp)
            QApplication::sendEvent(spinner, &wheel);
        else
            QTest::mouseClick(spinner, Qt::LeftButton, {},
                              move == WidthMove::UpArrow ? up
                                                         : QPoint(up.x(), spinner->height() - 3));
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
        m_files.clear();
        m_told.clear();
        m_beeps = 0;
    }

    // Each stored policy ticks its option (one the dialog does not know ticks
    // none) and OK writes it back as it was; Cancel and the close box write nothing.
    void okWritesCancelDoesNot_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<int>("close"); // 0 OK, 1 Cancel, 2 close box
        QTest::newRow("normal") << 0 << "optNormal" << 0;
        QTest::newRow("keep on") << 1 << "optKeepOn" << 0;
        QTest::newRow("keep off") << 2 << "optKeepOff" << 0;
        QTest::newRow("unknown 7") << 7 << "" << 0;
        QTest::newRow("Cancel") << 0 << "optNormal" << 1;
        QTest::newRow("close box") << 0 << "optNormal" << 2;
    }
    void okWritesCancelDoesNot()
    {
        QFETCH(int, policy);
        QFETCH(QString, ticked);
        QFETCH(int, close);
        SettingsRecord &s = settingsRecord();
        s.NumLockForce = qint16(policy);
        s.HomePic = file("home.png");
        s.HomeText = QString(30, 'A');
        SettingsRecord expected = s;
        expected.TeamSize = Decimal4::fromSeconds(::teamNameSize(s.HomeText, s.VisitorText));
        auto options = dialog();
        for (const char *option : {"optNormal", "optKeepOn", "optKeepOff"})
            QCOMPARE(child<QRadioButton>(*options, option)->isChecked(), ticked == option);
        if (close) {
            expected = s;
            child<QLineEdit>(*options, "txtHomeText")->setText("Reds");
            child<QRadioButton>(*options, "optKeepOff")->setChecked(true);
        }
        close == 2 ? void(options->close()) : click(*options, close ? "cmdCancel" : "cmdOk");
        QCOMPARE(options->result(), int(close ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(settingsRecord(), expected);
        QCOMPARE(QFile::exists(storePath()), !close);
        QCOMPARE(m_told, QStringList());
    }

    // OK must not look as if it saved when nothing reached the store.
    void okSaysOnceWhenTheStoreCannotBeWritten()
    {
        file("Vantrell");
        auto options = dialog();
        click(*options, "cmdOk");
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(storePath()), qPrintable(m_told.first()));
    }

    // Reset colours and Reset keys ask first and touch only their own tab;
    // the clock switch keeps its key. The width spinner, left at 3, shows its
    // own value again on its next move.
    void resets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("yes");
        QTest::newRow("colours, Yes") << "cmdResetColors" << true;
        QTest::newRow("colours, No") << "cmdResetColors" << false;
        QTest::newRow("keys, Yes") << "cmdResetKeys" << true;
        QTest::newRow("keys, No") << "cmdResetKeys" << false;
    }
    void resets()
    {
        QFETCH(QString, button);
        QFETCH(bool, yes);
        SettingsRecord &s = settingsRecord();
        s.TimeColor = 0x00FF00;
        s.LEDSelectedWidth = 3;
        s.StartStopClockKey = 65;
        s.ClockSwitchKey = 75;
        s.NumLockForce = 1;
        m_answer = yes;
        auto options = dialog();
        click(*options, qPrintable(button));
        const bool colours = yes && button == "cmdResetColors",
                   keys = yes && button == "cmdResetKeys";
        QCOMPARE(options->swatch("picTimeC"), colours ? 255 : 0x00FF00);
        QCOMPARE(label(*options, "lblStartStopClock"), keys ? "S" : "A");
        QCOMPARE(label(*options, "lblClockSwitch"), QStringLiteral("K"));
        QCOMPARE(child<QRadioButton>(*options, "optNormal")->isChecked(), keys);
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().LEDSelectedWidth, qint16(colours ? 0 : 3));
        moveWidth(*options, WidthMove::UpArrow);
        QCOMPARE(label(*options, "lblLEDSelectedWidthValue"), QStringLiteral("4"));
    }

    // Up widens the highlight, whichever way the operator moves the spinner.
    void widthSpinnerShowsItsValue_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<WidthMove>("move");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up arrow from 0") << 0 << WidthMove::UpArrow << "1";
        QTest::newRow("down arrow from 2") << 2 << WidthMove::DownArrow << "1";
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
        QCOMPARE(label(*options, "lblLEDSelectedWidthValue"), shown);
    }

    // Typed or pasted, a name keeps twenty characters; a longer stored one is
    // shown whole.
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
        auto *visitor = child<QLineEdit>(*options, "txtVisitorText");
        QCOMPARE(visitor->text(), QString(30, 'V'));
        QGuiApplication::clipboard()->setText("Wolverhampton Wanderers");
        visitor->selectAll();
        QTest::keyClick(visitor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(visitor->text(), QStringLiteral("Wolverhampton Wander"));
    }

    // The chooser opens at the swatch's colour and, confirmed untouched, keeps it.
    void coloursComeFromTheChooser()
    {
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

    // A cancelled choice, or a file that is gone, changes nothing; a long file
    // name is shortened from the front, never clipped.
    void picturesAndSoundsChange()
    {
        const QString picture = m_dir->filePath("board.png");
        QImage(40, 20, QImage::Format_RGB32).save(picture);
        const QString sound = file("<b>MEGAPHONE WHISTLE AT THE PERIOD END.wav");
        auto options = dialog();
        m_files = {picture, QString(), m_dir->filePath("gone.png"), sound, QString()};
        for (int i = 0; i < 3; ++i)
            click(*options, "cmdChangeBoardPic");
        QCOMPARE(child<ImageControl>(*options, "imgBoardPicPreview")->picture().size(),
                 QSize(40, 20));
        auto *label = child<QLabel>(*options, "lblBFile");
        click(*options, "cmdBuzzerSound");
        click(*options, "cmdBuzzerSound");
        QVERIFY(label->text().endsWith("PERIOD END.wav"));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <=
                label->contentsRect().width());
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().BuzzerFile, sound);
    }

    // The keys as they stand by default: S R Z X C Delete I B G. A refused
    // key chooses "0".
    void captureAnswers_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("chosen");
        const auto row = [](const char *name, int key, const char *chosen, int current = 73,
                            int modifiers = 0) {
            QTest::newRow(name) << current << key << modifiers << chosen;
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
        row("F1", Qt::Key_F1, "0");
        row("F3", Qt::Key_F3, "114");
        row("Ctrl+Q is Ctrl first", Qt::Key_Q, "17", 73, Qt::ControlModifier);
    }
    void captureAnswers()
    {
        QFETCH(int, current);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, chosen);
        keyCapture().CurrentKey = qint16(current);
        frmChooseKey window(KeyWorkingCopies{83, 82, 90, 88, 67, 46, 73, 66, 71},
                            [this] { ++m_beeps; });
        window.show();
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

    // OK holds the focus and is the default; minimized, the dialog comes
    // straight back. Refused keys beep; a key taken binds the row.
    void okFocusAndKeyCapture()
    {
        auto options = dialog();
        options->show();
        QVERIFY(QTest::qWaitForWindowActive(options.get()));
        QCOMPARE(QApplication::focusWidget(), child(*options, "cmdOk"));
        QVERIFY(child<QPushButton>(*options, "cmdOk")->isDefault());
        options->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!options->isMinimized());
        pressWhenShown({}); // closed without a key: nothing changes
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
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
