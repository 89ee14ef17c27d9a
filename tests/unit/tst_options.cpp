// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/imagecontrol.h"
#include "input/modgrabkeys.h"
#include "options/chopfilename.h"
#include "options/frmchoosekey.h"
#include "options/frmoptions.h"
#include "options/previewsize.h"
#include "settings/settingsio.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDir>
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
// Rows of the key tab, counted from the top.
constexpr int StartStopClockRow = 1, HornRow = 3, BuzzerRow = 4;
} // namespace

// The settings store, and the options dialog and its key capture that edit
// it, with the platform's own dialogs answered by the test.
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
        const OptionsPlatform fake{
            {},
            [this](QWidget *, const QString &filter, const QString &) {
                if (!filter.contains("*.wav") && !filter.contains("*.png"))
                    return QString();
                const QString answer = m_files.front();
                m_files.pop_front();
                return answer;
            },
            [this](auto...) { return m_answer; },
            [this](QWidget *, const QString &, const QString &text) { m_told << text; },
            [this] { ++m_beeps; },
        };
        return std::make_unique<frmOptions>(*m_store, fake);
    }
    QString storePath() const { return m_dir->filePath("Vantrell/Vantrell.conf"); }
    // A file below the test's folder, holding `text`.
    QString file(const QString &name, const QByteArray &text = {})
    {
        QFile out(m_dir->filePath(name));
        QDir().mkpath(QFileInfo(out).path());
        out.open(QIODevice::WriteOnly);
        out.write(text);
        return out.fileName();
    }
    void writeStore(const QByteArray &text) { file("Vantrell/Vantrell.conf", text); }
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Reads into a record that still holds a value from before.
    static const SettingsRecord &read(SettingsStore &store)
    {
        settingsRecord().HomeText = QStringLiteral("left over from before");
        ReadSettings(store, QStringLiteral("/opt/vantrell"), modGrabKeys::applyPolicy);
        return settingsRecord();
    }
    static const SettingsRecord &read()
    {
        SettingsStore store;
        return read(store);
    }
    template<typename T = QWidget> static T *child(const QWidget &dialog, const char *name)
    {
        return dialog.findChild<T *>(QLatin1String(name));
    }
    static void click(const QWidget &w, const char *id) { child<QPushButton>(w, id)->click(); }
    static QString label(const QWidget &w, const char *id) { return child<QLabel>(w, id)->text(); }
    // By the spinner's upper arrow or by one turn of the wheel.
    static void moveWidthUp(const QWidget &dialog, bool wheel)
    {
        auto *spinner = child<QScrollBar>(dialog, "scrLEDSelectedWidth");
        const QPoint up(spinner->width() / 2, 2);
        QWheelEvent turn(up, spinner->mapToGlobal(up), {}, QPoint(0, 120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        if (wheel)
            QApplication::sendEvent(spinner, &turn);
        else
            QTest::mouseClick(spinner, Qt::LeftButton, {}, up);
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

    // OK writes every value back as it was, a stored name longer than the
    // box takes included, and a highlight width beyond 5 as 5; Cancel and
    // the close box write nothing, whatever was edited. The stored NumLock
    // policy 2 ticks its option.
    void okWritesCancelDoesNot_data()
    {
        QTest::addColumn<int>("close"); // 0 OK, 1 Cancel, 2 close box
        QTest::newRow("OK") << 0;
        QTest::newRow("Cancel") << 1;
        QTest::newRow("close box") << 2;
    }
    void okWritesCancelDoesNot()
    {
        QFETCH(int, close);
        SettingsRecord &s = settingsRecord();
        s.NumLockForce = 2;
        s.HomePic = file("home.png");
        s.HomeText = QString(30, 'A');
        s.LEDSelectedWidth = 900;
        SettingsRecord expected = s;
        expected.LEDSelectedWidth = 5;
        expected.TeamSize = Decimal4::fromSeconds(::teamNameSize(s.HomeText, s.VisitorText));
        auto options = dialog();
        QVERIFY(child<QRadioButton>(*options, "optKeepOff")->isChecked());
        if (close) {
            expected = s;
            child<QLineEdit>(*options, "txtHomeText")->setText("Reds");
            child<QRadioButton>(*options, "optKeepOn")->setChecked(true);
        }
        close == 2 ? void(options->close()) : click(*options, close ? "cmdCancel" : "cmdOk");
        QCOMPARE(options->result(), int(close ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(settingsRecord(), expected);
        QCOMPARE(QFile::exists(storePath()), !close);
        QCOMPARE(m_told, QStringList());
    }

    // A folder that cannot hold the store: the program runs on the defaults,
    // the sounds from its own folder, each under the other's name. OK takes
    // the values into the record and, as nothing reached the store, says so
    // once.
    void unwritableStore()
    {
        file("Vantrell");
        SettingsRecord expected;
        expected.BuzzerFile = QStringLiteral("/opt/vantrell/horn.wav");
        expected.HornFile = QStringLiteral("/opt/vantrell/buzzer.wav");
        QCOMPARE(read(), expected);
        auto options = dialog();
        child<QLineEdit>(*options, "txtHomeText")->setText("Reds");
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Reds"));
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(storePath()), qPrintable(m_told.first()));
    }

    // While IsKeyCode is "No" or missing, five bindings go back to their
    // defaults, once and for good; the other bindings stay.
    void keyUpgrade_data()
    {
        QTest::addColumn<QByteArray>("isKeyCode");
        QTest::addColumn<qint16>("startStop");
        QTest::newRow("missing upgrades") << QByteArray() << qint16(83);
        QTest::newRow("No upgrades") << QByteArray("IsKeyCode=No\n") << qint16(83);
        QTest::newRow("Yes skips") << QByteArray("IsKeyCode=Yes\n") << qint16(65);
    }
    void keyUpgrade()
    {
        QFETCH(QByteArray, isKeyCode);
        QFETCH(qint16, startStop);
        writeStore("[KeySettings]\nStartStopClockKey=65\nClockSwitchKey=70\n" + isKeyCode);
        QCOMPARE(read().StartStopClockKey, startStop);
        QCOMPARE(settingsRecord().ClockSwitchKey, qint16(70));
        const QByteArray afterFirst = contents(storePath());
        QVERIFY(afterFirst.contains("StartStopClockKey=" + QByteArray::number(startStop)));
        QCOMPARE(read().StartStopClockKey, startStop);
        QCOMPARE(contents(storePath()), afterFirst);
    }

    // Stored > read: out of range comes into range, what is no number falls
    // back, and the highlight falls back to the background just read.
    void storedValues_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"ColorSettings/TimeColor=12abc > TimeColor=255",
              "ColorSettings/TimeColor=99999999999999999999999 > TimeColor=16777215",
              "ColorSettings/TimeColor=-1 > TimeColor=0",
              "ColorSettings/TimeColor=2.5 > TimeColor=2",
              "ColorSettings/FormBack=12345 > LEDSelected=12345",
              "ColorSettings/LEDSelectedWidth=5000 > LEDSelectedWidth=2184",
              "KeySettings/SepTimeKey=70000 > SepTimeKey=32767",
              "KeySettings/SepTimeKey=I > SepTimeKey=73", "PicSettings/LEDType=7 > LEDType=0",
              "TextSettings/TeamSize=30.5 > TeamSize=305000",
              "TextSettings/TeamSize=1e9 > TeamSize=240000"})
            QTest::newRow(row) << QString(row);
    }
    void storedValues()
    {
        QFETCH(QString, row);
        const QStringList stored = row.section(" > ", 0, 0).split(u'=');
        const QStringList expected = row.section(" > ", 1).split(u'=');
        QSettings(storePath(), QSettings::IniFormat).setValue(stored[0], stored[1]);
        const SettingsRecord &r = read();
        const QHash<QString, qint64> fields = {
            {"TimeColor", r.TimeColor},   {"LEDSelected", r.LEDSelected},
            {"LEDType", r.LEDType},       {"LEDSelectedWidth", r.LEDSelectedWidth},
            {"SepTimeKey", r.SepTimeKey}, {"TeamSize", r.TeamSize.raw()}};
        QCOMPARE(fields.value(expected[0]), expected[1].toLongLong());
    }

    // Every field has a key of its own: distinct values, awkward texts
    // among them, survive a write and a fresh read.
    void writeThenReadRoundTrips()
    {
        PendingSettings pending;
        SettingsRecord &chosen = pending.values;
        using R = SettingsRecord;
        int n = 0;
        for (qint32 R::*colour :
             {&R::TimeColor, &R::LEDBack, &R::ScoreColor, &R::PeriodColor, &R::FormBack,
              &R::LEDSelected, &R::BorderColor, &R::HomeColor, &R::VisitorColor})
            chosen.*colour = ++n;
        for (qint16 R::*key :
             {&R::StartStopClockKey, &R::ResetClockKey, &R::ClearKey, &R::ClockSwitchKey,
              &R::SepTimeKey, &R::BuzzerKey, &R::HornKey, &R::ResetShotKey, &R::StartStopShotKey})
            chosen.*key = qint16(50 + ++n);
        for (QString R::*text : {&R::BuzzerFile, &R::HornFile, &R::HomeText, &R::VisitorText,
                                 &R::HomePic, &R::VisitorPic, &R::BoardPic})
            chosen.*text = QStringLiteral(" \"%1\", #%1; [x]=ü\n\\ ").arg(++n);
        chosen.VisitorText = QString(300, QChar(0x263A));
        chosen.HomePic = QStringLiteral("@Variant(nothing)");
        chosen.LEDType = 1;
        pending.selectedWidthShown = Decimal4::fromRaw(37999); // 3.7999 shows as 3
        pending.TempSize = 36;
        WriteSettings(*m_store, pending, modGrabKeys::applyPolicy);
        SettingsRecord expected = chosen;
        expected.LEDSelectedWidth = 3;
        expected.TeamSize = Decimal4::fromSeconds(36);
        QCOMPARE(settingsRecord(), expected);
        writeStore(contents(storePath()) + "[KeySettings]\nIsKeyCode=Yes\n");
        resetSettingsRecord();
        QCOMPARE(read(), expected);
    }

    // What can be read is used; a damaged file is first copied aside, and a
    // later damaged file does not overwrite that copy.
    void damagedStore_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged");
        const QByteArray good = "[ColorSettings]\nTimeColor=4096\n";
        QTest::newRow("garbage lines") << "no setting\n" + good << true;
        QTest::newRow("binary bytes") << good + QByteArray("\x01\xff\x00x\n", 5) << true;
        QTest::newRow("cut short") << good + "[KeySett" << true;
        QTest::newRow("notes, Windows line ends")
            << QByteArray("; a\n[ColorSettings]\r\nTimeColor=4096\r\n") << false;
    }
    void damagedStore()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        writeStore(text);
        SettingsStore store;
        QCOMPARE(store.damaged(), damaged);
        QCOMPARE(read(store).TimeColor, 4096);
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Home"));
        QCOMPARE(contents(storePath() + ".damaged"), damaged ? text : QByteArray());
        writeStore("[KeySettings]\nnew damage\n");
        SettingsStore again;
        read(again);
        QCOMPARE(again.copyOfDamaged(), storePath() + (damaged ? ".damaged.1" : ".damaged"));
    }

    // Reset colours and Reset keys ask first and touch only their own tab;
    // the clock switch keeps its key, here F2, which has no name. The width
    // spinner, left at 3, shows its own value again on its next move, and up
    // widens the highlight, by the arrow or by the wheel.
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
        s.ClockSwitchKey = 113;
        s.NumLockForce = 1;
        m_answer = yes;
        auto options = dialog();
        click(*options, qPrintable(button));
        const bool colours = yes && button == "cmdResetColors",
                   keys = yes && button == "cmdResetKeys";
        QCOMPARE(options->swatch("picTimeC"), colours ? 255 : 0x00FF00);
        QCOMPARE(label(*options, "lblStartStopClock"), keys ? "S" : "A");
        QCOMPARE(label(*options, "lblClockSwitch"), QString());
        QCOMPARE(child<QRadioButton>(*options, "optNormal")->isChecked(), keys);
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().LEDSelectedWidth, qint16(colours ? 0 : 3));
        moveWidthUp(*options, button == "cmdResetKeys");
        QCOMPARE(label(*options, "lblLEDSelectedWidthValue"), QStringLiteral("4"));
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

    // A cancelled choice, or a file that is gone, changes nothing. A long
    // file name shows its folder's beginning, " .../" and its bare name, in
    // fifty characters, shortened from the front until the label holds it.
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
        const QString bare = QFileInfo(sound).fileName();
        QCOMPARE(ChopFileName(sound, 50), sound.left(45 - bare.size()) + " .../" + bare);
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
        row("the start key", Qt::Key_S, "0");
        row("the reset key", Qt::Key_R, "0");
        row("the clock-switch key", Qt::Key_C, "0");
        row("the buzzer key", Qt::Key_B, "0");
        row("the horn key", Qt::Key_G, "0");
        row("the penalty key for another row", Qt::Key_I, "0", 66);
        row("the clear key", Qt::Key_Delete, "0");
        row("a shot clock key is shared", Qt::Key_Z, "90");
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
        click(*options, "cmdOk");
        QCOMPARE(settingsRecord().HornKey, qint16(116));
        QCOMPARE(settingsRecord().BuzzerKey, qint16(71));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
