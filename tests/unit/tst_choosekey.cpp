#include "input/modgrabkeys.h"
#include "options/frmchoosekey.h"
#include "options/frmoptions.h"
#include "options/keynames.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The row of each command on the key tab, top to bottom.
enum Row { SepTime, StartStopClock, ResetClock, Horn, Buzzer, ClockSwitch, Clear, ResetShot, StartStopShot };

} // namespace

class TestChooseKey : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_beeps = 0;

    KeyWorkingCopies defaults() const
    {
        KeyWorkingCopies keys;
        keys.StartStopClockKeyTemp = 83;
        keys.ResetClockKeyTemp = 82;
        keys.StartStopShotKeyTemp = 90;
        keys.ResetShotKeyTemp = 88;
        keys.ClockSwitchKeyTemp = 67;
        keys.ClearKeyTemp = 46;
        keys.SepTimeKeyTemp = 73;
        keys.BuzzerKeyTemp = 66;
        keys.HornKeyTemp = 71;
        return keys;
    }
    OptionsPlatform platform(bool answer = true)
    {
        OptionsPlatform fake;
        fake.askYesNo = [answer](QWidget *, const QString &, const QString &) { return answer; };
        fake.beep = [this] { ++m_beeps; };
        return fake;
    }
    // Presses the keys in the capture window as soon as it shows.
    static void pressWhenShown(const QList<QPair<int, int>> &keys)
    {
        QTimer::singleShot(0, [keys] {
            QWidget *window = QApplication::activeModalWidget();
            QVERIFY(window);
            for (const auto &[key, modifiers] : keys)
                QTest::keyClick(window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            if (window->isVisible())
                window->close();
        });
    }

private slots:
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        resetSettingsRecord();
        modGrabKeys::reset();
        keyCapture() = KeyCapture{};
        m_beeps = 0;
    }

    void keyNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("A") << 65 << "A";
        QTest::newRow("Z") << 90 << "Z";
        QTest::newRow("F3") << 114 << "F3";
        QTest::newRow("F12") << 123 << "F12";
        QTest::newRow("F1 cannot be bound") << 112 << "";
        QTest::newRow("F2 cannot be bound") << 113 << "";
        QTest::newRow("Ctrl") << 17 << "Ctrl";
        QTest::newRow("Shift") << 16 << "";
        QTest::newRow("Alt") << 18 << "";
        QTest::newRow("digit") << 49 << "";
        QTest::newRow("keypad digit") << 97 << "";
        QTest::newRow("keypad *") << 106 << "Numpad *";
        QTest::newRow("keypad /") << 111 << "Numpad /";
        QTest::newRow("keypad +") << 107 << "";
        QTest::newRow("arrow") << 37 << "";
        QTest::newRow("space") << 32 << "";
        QTest::newRow("Enter") << 13 << "Enter";
        QTest::newRow("Pause") << 19 << "Pause/Break";
        QTest::newRow("backslash") << 220 << "\\";
        QTest::newRow("quote") << 222 << "\"";
        QTest::newRow("minus cannot be bound") << 189 << "";
        QTest::newRow("negative") << -5 << "";
    }
    void keyNames()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(KeyCodeToStr(qint16(code)), name);
    }

    void captureAnswers_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the row's own key") << 73 << int(Qt::Key_I) << 0 << "73";
        QTest::newRow("a free letter") << 73 << int(Qt::Key_Q) << 0 << "81";
        QTest::newRow("another command's key") << 73 << int(Qt::Key_S) << 0 << "0";
        QTest::newRow("the clear key") << 73 << int(Qt::Key_Delete) << 0 << "0";
        QTest::newRow("a shot clock key is shared") << 73 << int(Qt::Key_Z) << 0 << "90";
        QTest::newRow("the other shot clock key") << 66 << int(Qt::Key_X) << 0 << "88";
        QTest::newRow("F1") << 73 << int(Qt::Key_F1) << 0 << "0";
        QTest::newRow("F2") << 73 << int(Qt::Key_F2) << 0 << "0";
        QTest::newRow("F3") << 73 << int(Qt::Key_F3) << 0 << "114";
        QTest::newRow("F12") << 73 << int(Qt::Key_F12) << 0 << "123";
        QTest::newRow("a digit") << 73 << int(Qt::Key_5) << 0 << "0";
        QTest::newRow("an arrow") << 73 << int(Qt::Key_Left) << 0 << "0";
        // Modifier keys pressed alone count as keys.
        QTest::newRow("Shift") << 73 << int(Qt::Key_Shift) << 0 << "0";
        QTest::newRow("Alt") << 73 << int(Qt::Key_Alt) << 0 << "0";
        QTest::newRow("Esc") << 73 << int(Qt::Key_Escape) << 0 << "0";
        QTest::newRow("Ctrl alone") << 73 << int(Qt::Key_Control) << 0 << "17";
        QTest::newRow("Ctrl+Q is Ctrl first") << 73 << int(Qt::Key_Q) << int(Qt::ControlModifier) << "17";
    }
    void captureAnswers()
    {
        QFETCH(int, current);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, chosen);
        const KeyWorkingCopies keys = defaults();
        keyCapture().KeyPurpose = QStringLiteral("start / stop an independent penalty clock");
        keyCapture().CurrentKey = qint16(current);
        frmChooseKey window(keys, [this] { ++m_beeps; });
        window.show();
        // Minimized by a window manager, it comes straight back.
        window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!window.isMinimized());
        QCOMPARE(window.windowTitle(), QStringLiteral("Choose Key"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblChoose"))->text(),
                 QStringLiteral("Press the key you would like to start / stop an independent penalty clock."));
        QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(keyCapture().ChosenKey, chosen);
        const bool refused = chosen == QLatin1String("0");
        // A refused key leaves the window open with its red line, and beeps.
        QCOMPARE(window.isVisible(), refused);
        QCOMPARE(window.refusalShown(), refused);
        QCOMPARE(m_beeps, refused ? 1 : 0);
    }

    void closingWithoutAKeyChangesNothing()
    {
        SettingsStore store;
        frmOptions dialog(store, platform());
        pressWhenShown({});
        dialog.captureKey(StartStopClock);
        QCOMPARE(dialog.StartStopClockKeyTemp, qint16(83));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblStartStopClock"))->text(), QStringLiteral("S"));
    }

    void refusalsThenAKeyBindTheRow()
    {
        SettingsStore store;
        frmOptions dialog(store, platform());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        pressWhenShown({{Qt::Key_B, 0}, {Qt::Key_F1, 0}, {Qt::Key_Escape, 0}, {Qt::Key_F5, 0}});
        dialog.captureKey(Horn);
        QCOMPARE(m_beeps, 3);
        QCOMPARE(dialog.HornKeyTemp, qint16(116));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblHorn"))->text(), QStringLiteral("F5"));
        // The refusal compares against what the dialog now holds.
        pressWhenShown({{Qt::Key_F5, 0}, {Qt::Key_G, 0}});
        dialog.captureKey(Buzzer);
        QCOMPARE(dialog.BuzzerKeyTemp, qint16(71));
        // Clicked as the operator does, the row's button takes the focus; once
        // the capture closes, Enter confirms the dialog and opens no capture.
        pressWhenShown({{Qt::Key_H, 0}});
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdBuzzer")), Qt::LeftButton);
        QCOMPARE(dialog.BuzzerKeyTemp, qint16(72));
        QTRY_COMPARE(dialog.focusWidget(), dialog.findChild<QPushButton *>(QStringLiteral("cmdOk")));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settingsRecord().HornKey, qint16(116));
        QCOMPARE(settingsRecord().BuzzerKey, qint16(72));
    }

    void resetKeysThenCancelKeepsTheOldBindings()
    {
        SettingsRecord &s = settingsRecord();
        s.StartStopClockKey = 65;
        s.ClockSwitchKey = 75;
        s.SepTimeKey = 79;
        s.NumLockForce = 1;
        const SettingsRecord before = s;
        SettingsStore store;
        frmOptions dialog(store, platform(true));
        dialog.findChild<QPushButton *>(QStringLiteral("cmdResetKeys"))->click();
        QStringList labels;
        for (const char *label : {"lblSepTime", "lblStartStopClock", "lblResetClock", "lblHorn", "lblBuzzer",
                                  "lblClockSwitch", "lblClear", "lblResetShot", "lblStartStopShot"})
            labels << dialog.findChild<QLabel *>(QLatin1String(label))->text();
        QCOMPARE(labels, (QStringList{"I", "S", "R", "G", "B", "K", "Delete", "X", "Z"}));
        QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("optNormal"))->isChecked());
        dialog.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        QCOMPARE(settingsRecord(), before);
    }

    void resetKeysAnsweredNoChangesNothing()
    {
        settingsRecord().StartStopClockKey = 65;
        SettingsStore store;
        frmOptions dialog(store, platform(false));
        dialog.findChild<QPushButton *>(QStringLiteral("cmdResetKeys"))->click();
        QCOMPARE(dialog.StartStopClockKeyTemp, qint16(65));
    }
};

QTEST_MAIN(TestChooseKey)
#include "tst_choosekey.moc"
