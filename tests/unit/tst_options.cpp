#include "board/imagecontrol.h"
#include "board/segmora.h"
#include "input/modgrabkeys.h"
#include "options/chopfilename.h"
#include "options/frmoptions.h"
#include "options/previewsize.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"

#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
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

class FakeKeyboard : public modGrabKeys::Keyboard
{
public:
    bool on = true;
    bool numLockOn() const override { return on; }
    void strokeNumLock() override { on = !on; }
};

} // namespace

Q_DECLARE_METATYPE(WidthMove)

class TestOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeKeyboard m_keyboard;
    std::deque<std::optional<QColor>> m_colors;
    std::deque<QString> m_files;
    QStringList m_filters;
    bool m_answer = false;
    QStringList m_questions;
    QStringList m_told;

    OptionsPlatform platform()
    {
        OptionsPlatform fake;
        fake.chooseColor = [this](QWidget *, const QColor &) {
            const auto color = m_colors.front();
            m_colors.pop_front();
            return color;
        };
        fake.chooseFile = [this](QWidget *, const QString &filter, const QString &) {
            m_filters << filter;
            const QString file = m_files.front();
            m_files.pop_front();
            return file;
        };
        fake.askYesNo = [this](QWidget *, const QString &title, const QString &) {
            m_questions << title;
            return m_answer;
        };
        fake.tell = [this](QWidget *, const QString &, const QString &message) { m_told << message; };
        fake.beep = [] {};
        return fake;
    }
    QString storePath() const { return m_dir->filePath(QStringLiteral("Vantrell/Vantrell.conf")); }
    QStringList storedKeys() const { return QSettings(storePath(), QSettings::IniFormat).allKeys(); }
    QString stored(const QString &key) const
    {
        return QSettings(storePath(), QSettings::IniFormat).value(key).toString();
    }
    QString file(const QString &name, const QByteArray &bytes = "x")
    {
        QFile out(m_dir->filePath(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return out.fileName();
    }
    template<typename T>
    static T *child(const QWidget &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QLatin1String(name));
        Q_ASSERT(found);
        return found;
    }
    static void click(const QWidget &dialog, const char *button)
    {
        child<QPushButton>(dialog, button)->click();
    }
    static void moveWidth(const QWidget &dialog, WidthMove move)
    {
        auto *spinner = child<QScrollBar>(dialog, "scrLEDSelectedWidth");
        const QPoint upArrow(spinner->width() / 2, 2);
        const QPoint downArrow(spinner->width() / 2, spinner->height() - 3);
        switch (move) {
        case WidthMove::UpArrow:
            return QTest::mouseClick(spinner, Qt::LeftButton, {}, upArrow);
        case WidthMove::DownArrow:
            return QTest::mouseClick(spinner, Qt::LeftButton, {}, downArrow);
        case WidthMove::UpKey:
            return QTest::keyClick(spinner, Qt::Key_Up);
        case WidthMove::WheelUp: {
            QWheelEvent wheel(upArrow, spinner->mapToGlobal(upArrow), {}, QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(spinner, &wheel);
            return;
        }
        }
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
        resetSettingsRecord();
        m_keyboard = FakeKeyboard{};
        modGrabKeys::reset(&m_keyboard);
        m_colors.clear();
        m_files.clear();
        m_filters.clear();
        m_questions.clear();
        m_told.clear();
    }
    void cleanup() { modGrabKeys::reset(); }

    void openAndOkWritesEverythingBack()
    {
        SettingsRecord &s = settingsRecord();
        s.LEDSelectedWidth = 1;
        s.PeriodColor = 0x123456;
        s.HomePic = file(QStringLiteral("home.png"));
        s.VisitorPic = QStringLiteral("/pictures/visitor.gif");
        s.HomeText = QString(30, QLatin1Char('A'));
        s.StartStopClockKey = 13;
        s.ClockSwitchKey = 75;
        s.BuzzerFile = QStringLiteral("/sounds/buzz.wav");
        s.NumLockForce = 7;
        s.LEDType = 1;
        const SettingsRecord before = s;
        {
            SettingsStore store;
            frmOptions dialog(store, platform());
            click(dialog, "cmdOk");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(m_told, QStringList());
        SettingsRecord expected = before;
        expected.TeamSize = Decimal4::fromSeconds(::teamNameSize(before.HomeText, before.VisitorText));
        QCOMPARE(settingsRecord(), expected);
        QCOMPARE(storedKeys().size(), 29);
        QCOMPARE(stored(QStringLiteral("ColorSettings/LEDSelectedWidth")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("ColorSettings/PeriodColor")), QString::number(0x123456));
        QCOMPARE(stored(QStringLiteral("PicSettings/HomePic")), before.HomePic);
        QCOMPARE(stored(QStringLiteral("PicSettings/VisitorPic")), before.VisitorPic);
        QCOMPARE(stored(QStringLiteral("TextSettings/HomeText")), before.HomeText);
        QCOMPARE(stored(QStringLiteral("KeySettings/NumLockForce")), QStringLiteral("7"));
        QCOMPARE(stored(QStringLiteral("PicSettings/LEDType")), QStringLiteral("1"));
    }

    // OK must not look as if it saved when nothing reached the store.
    void okSaysOnceWhenTheStoreCannotBeWritten()
    {
        QFile blocker(m_dir->filePath(QStringLiteral("Vantrell")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SettingsStore store;
        frmOptions dialog(store, platform());
        child<QLineEdit>(dialog, "txtHomeText")->setText(QStringLiteral("Reds"));
        click(dialog, "cmdOk");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
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
        SettingsStore store;
        frmOptions dialog(store, platform());
        m_colors.push_back(QColor(1, 2, 3));
        click(dialog, "cmdTimeC");
        child<QLineEdit>(dialog, "txtHomeText")->setText(QStringLiteral("Reds"));
        child<QRadioButton>(dialog, "optKeepOff")->setChecked(true);
        if (closeBox)
            dialog.close();
        else
            click(dialog, "cmdCancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(settingsRecord(), before);
        QVERIFY(!QFile::exists(storePath()));
        QVERIFY(m_keyboard.on);
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
        settingsRecord().PeriodColor = 7;
        settingsRecord().LEDSelectedWidth = 3;
        settingsRecord().HomeText = QStringLiteral("Reds");
        SettingsStore store;
        frmOptions dialog(store, platform());
        m_answer = yes;
        click(dialog, "cmdResetColors");
        QCOMPARE(m_questions, QStringList{"Reset Colors"});
        QCOMPARE(dialog.swatch(QStringLiteral("picTimeC")), yes ? 255 : 0x00FF00);
        QCOMPARE(dialog.swatch(QStringLiteral("picPeriodC")), yes ? 49152 : 7);
        QCOMPARE(child<QLabel>(dialog, "lblLEDSelectedWidthValue")->text(), yes ? "0" : "3");
        QVERIFY(!QFile::exists(storePath()));
        click(dialog, "cmdOk");
        QCOMPARE(settingsRecord().LEDSelectedWidth, qint16(yes ? 0 : 3));
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Reds"));
        // The spinner stayed at 3: its next move shows its own value again.
        moveWidth(dialog, WidthMove::UpArrow);
        QCOMPARE(child<QLabel>(dialog, "lblLEDSelectedWidthValue")->text(), QStringLiteral("4"));
    }

    // Up widens the highlight, whichever way the operator moves the spinner.
    void widthSpinnerShowsItsValue_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<WidthMove>("move");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up arrow from 0") << 0 << WidthMove::UpArrow << "1";
        QTest::newRow("up arrow from 2") << 2 << WidthMove::UpArrow << "3";
        QTest::newRow("up arrow at 5") << 5 << WidthMove::UpArrow << "5";
        QTest::newRow("down arrow from 2") << 2 << WidthMove::DownArrow << "1";
        QTest::newRow("down arrow at 0") << 0 << WidthMove::DownArrow << "0";
        QTest::newRow("Up key") << 2 << WidthMove::UpKey << "3";
        QTest::newRow("wheel up") << 2 << WidthMove::WheelUp << "3";
    }
    void widthSpinnerShowsItsValue()
    {
        QFETCH(int, stored);
        QFETCH(WidthMove, move);
        QFETCH(QString, shown);
        settingsRecord().LEDSelectedWidth = qint16(stored);
        SettingsStore store;
        frmOptions dialog(store, platform());
        moveWidth(dialog, move);
        QCOMPARE(child<QLabel>(dialog, "lblLEDSelectedWidthValue")->text(), shown);
    }

    void keepNumlockOffForcesAtOnce()
    {
        SettingsStore store;
        frmOptions dialog(store, platform());
        child<QRadioButton>(dialog, "optKeepOff")->setChecked(true);
        click(dialog, "cmdOk");
        QVERIFY(!m_keyboard.on);
        QCOMPARE(settingsRecord().NumLockForce, 2);
    }

    void outOfRangeValuesComeIntoRange()
    {
        settingsRecord().LEDType = 7;
        settingsRecord().LEDSelectedWidth = 900;
        settingsRecord().NumLockForce = -3;
        SettingsStore store;
        frmOptions dialog(store, platform());
        QCOMPARE(child<QComboBox>(dialog, "cmbLedType")->currentIndex(), 0);
        QCOMPARE(child<QLabel>(dialog, "lblLEDSelectedWidthValue")->text(), QStringLiteral("5"));
        for (const char *option : {"optNormal", "optKeepOn", "optKeepOff"})
            QVERIFY(!child<QRadioButton>(dialog, option)->isChecked());
    }

    void digitTypeDrivesThePreview()
    {
        SettingsStore store;
        frmOptions dialog(store, platform());
        child<QComboBox>(dialog, "cmbLedType")->setCurrentIndex(1);
        QCOMPARE(child<Segmora>(dialog, "pledPreview")->ledType(), Segmora::LedStyle::Dots);
    }

    void teamNameSize_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("visitor");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("both empty") << "" << "" << 60 << 60;
        QTest::newRow("too long even at 10") << "Wolverhampton Wanderers" << "Visitor" << 9 << 9;
        QTest::newRow("short names") << "Reds" << "Blues" << 10 << 30;
    }
    void teamNameSize()
    {
        QFETCH(QString, home);
        QFETCH(QString, visitor);
        QFETCH(int, low);
        QFETCH(int, high);
        SettingsStore store;
        frmOptions dialog(store, platform());
        child<QLineEdit>(dialog, "txtHomeText")->setText(home);
        child<QLineEdit>(dialog, "txtVisitorText")->setText(visitor);
        QVERIFY2(dialog.TempSize >= low && dialog.TempSize <= high, qPrintable(QString::number(dialog.TempSize)));
        QCOMPARE(dialog.TempSize, ::teamNameSize(home, visitor));
        // A longer name never gets a larger size.
        QVERIFY(::teamNameSize(home + QStringLiteral("WW"), visitor) <= dialog.TempSize);
    }

    void nameBoxesTakeTwentyCharacters()
    {
        settingsRecord().VisitorText = QString(30, QLatin1Char('V'));
        SettingsStore store;
        frmOptions dialog(store, platform());
        child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(2);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *home = child<QLineEdit>(dialog, "txtHomeText");
        home->selectAll();
        QTest::keyClicks(home, QStringLiteral("abcdefghijklmnopqrstuvwxy"));
        QCOMPARE(home->text(), QStringLiteral("abcdefghijklmnopqrst"));
        // A longer name pasted keeps its first twenty characters.
        QGuiApplication::clipboard()->setText(QStringLiteral("Wolverhampton Wanderers"));
        home->selectAll();
        QTest::keyClick(home, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(home->text(), QStringLiteral("Wolverhampton Wander"));
        // A longer stored name is shown whole, refuses more, and may shrink.
        auto *visitor = child<QLineEdit>(dialog, "txtVisitorText");
        QCOMPARE(visitor->text(), QString(30, QLatin1Char('V')));
        visitor->setFocus();
        visitor->end(false);
        QTest::keyClick(visitor, Qt::Key_X);
        QCOMPARE(visitor->text().size(), 30);
        QTest::keyClick(visitor, Qt::Key_Backspace);
        QCOMPARE(visitor->text().size(), 29);
        // Coming back from another window, the name box keeps the focus.
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), visitor);
        visitor->selectAll();
        QTest::keyClick(visitor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(visitor->text(), QStringLiteral("Wolverhampton Wander"));
    }

    void chopFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("shown");
        const QString sep = QStringLiteral(" ...") + QDir::separator();
        QTest::newRow("empty") << QString() << 50 << "[No File Selected]";
        const QString fifty = QStringLiteral("/") + QString(44, QLatin1Char('d')) + QStringLiteral("/a.wv");
        QTest::newRow("exactly 50 whole") << fifty << 50 << fifty;
        QTest::newRow("missing file loses its name")
            << QString(60, QLatin1Char('m')) << 50 << QString(45, QLatin1Char('m')) + sep;
        QTest::newRow("too short for the separator") << QString(60, QLatin1Char('m')) << 3 << QStringLiteral(" ..");
    }
    void chopFileName()
    {
        QFETCH(QString, path);
        QFETCH(int, length);
        QFETCH(QString, shown);
        QCOMPARE(ChopFileName(path, qint16(length)), shown);
    }

    void chopFileNameOfExistingFiles()
    {
        const QString sep = QStringLiteral(" ...") + QDir::separator();
        const QString folder = m_dir->filePath(QString(60, QLatin1Char('f')));
        QVERIFY(QDir().mkpath(folder));
        QFile eight(folder + QStringLiteral("/horn.wav"));
        QVERIFY(eight.open(QIODevice::WriteOnly));
        eight.close();
        const QString path = eight.fileName();
        QCOMPARE(ChopFileName(path, 50), path.left(37) + sep + QStringLiteral("horn.wav"));
        QCOMPARE(ChopFileName(path, 50).size(), 50);
        // A bare name longer than the room keeps its end.
        const QString longName = QString(70, QLatin1Char('n')) + QStringLiteral("end.wav");
        QFile named(m_dir->filePath(longName));
        QVERIFY(named.open(QIODevice::WriteOnly));
        named.close();
        const QString chopped = ChopFileName(named.fileName(), 50);
        QCOMPARE(chopped.size(), 50);
        QVERIFY(chopped.startsWith(sep));
        QVERIFY(chopped.endsWith(QStringLiteral("nnnend.wav")));
    }

    void coloursComeFromTheChooser()
    {
        SettingsStore store;
        frmOptions dialog(store, platform());
        m_colors.push_back(QColor(1, 2, 3));
        m_colors.push_back(std::nullopt);
        click(dialog, "cmdLedSelected");
        QCOMPARE(dialog.swatch(QStringLiteral("picLedSelected")), 1 + 2 * 256 + 3 * 65536);
        click(dialog, "cmdLedSelected");
        QCOMPARE(dialog.swatch(QStringLiteral("picLedSelected")), 1 + 2 * 256 + 3 * 65536);
        // The real chooser opens at the swatch's colour; confirmed untouched
        // it keeps it.
        settingsRecord().TimeColor = 0x3366CC;
        frmOptions real(store, OptionsPlatform::system());
        QColor opened;
        QTimer::singleShot(0, [&opened] {
            auto *chooser = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            opened = chooser->currentColor();
            chooser->accept();
        });
        click(real, "cmdTimeC");
        QCOMPARE(opened, QColor(0xCC, 0x66, 0x33));
        QCOMPARE(real.swatch(QStringLiteral("picTimeC")), 0x3366CC);
    }

    void picturesChangeAndClear()
    {
        const QString picture = m_dir->filePath(QStringLiteral("board.png"));
        QImage(40, 20, QImage::Format_RGB32).save(picture);
        SettingsStore store;
        frmOptions dialog(store, platform());
        auto *image = child<ImageControl>(dialog, "imgBoardPicPreview");
        m_files = {picture, QString(), m_dir->filePath(QStringLiteral("gone.png"))};
        click(dialog, "cmdChangeBoardPic");
        QVERIFY(m_filters.first().contains(QLatin1String("*.png")));
        QCOMPARE(dialog.BoardPicTemp, picture);
        QCOMPARE(image->picture().size(), QSize(40, 20));
        click(dialog, "cmdChangeBoardPic");
        click(dialog, "cmdChangeBoardPic");
        QCOMPARE(dialog.BoardPicTemp, picture);
        click(dialog, "cmdClearBoardPic");
        QVERIFY(dialog.BoardPicTemp.isEmpty());
        QVERIFY(image->picture().isNull());
    }

    void soundsChangeWithTheirLabels()
    {
        const QString sound = file(QStringLiteral("<b>MEGAPHONE WHISTLE AT THE PERIOD END.wav"));
        SettingsStore store;
        frmOptions dialog(store, platform());
        auto *label = child<QLabel>(dialog, "lblBFile");
        QCOMPARE(label->text(), QStringLiteral("[No File Selected]"));
        m_files = {sound, QString()};
        click(dialog, "cmdBuzzerSound");
        QCOMPARE(dialog.BuzzTemp, sound);
        // Too wide at fifty characters: shortened from the front, never clipped.
        QVERIFY(label->text().endsWith(QLatin1String("PERIOD END.wav")));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        click(dialog, "cmdBuzzerSound");
        QCOMPARE(dialog.BuzzTemp, sound);
        click(dialog, "cmdOk");
        QCOMPARE(settingsRecord().BuzzerFile, sound);
    }

    void okTakesTheFocusAndIsTheDefault()
    {
        SettingsStore store;
        frmOptions dialog(store, platform());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(dialog, "cmdOk"));
        QVERIFY(child<QPushButton>(dialog, "cmdOk")->isDefault());
        // Minimized by a window manager, it comes straight back.
        dialog.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!dialog.isMinimized());
        QVERIFY(dialog.isVisible());
        // A button the operator tabs to answers Enter.
        QTest::keyClick(&dialog, Qt::Key_Tab);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
