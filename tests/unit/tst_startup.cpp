#include "app/startup.h"
#include "board/frmscoreboard.h"
#include "help/frmhelp.h"
#include "input/modgrabkeys.h"
#include "settings/frmsplash.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"
#include "timing/modcount.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

class TestStartUp : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    QTemporaryDir m_program;

    void writeManual(const QByteArray &bytes)
    {
        QFile file(m_program.filePath(frmHelp::FileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString helpText(const frmHelp &help) const { return help.rtbHelp()->toPlainText(); }

private slots:
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        QFile::remove(m_config.filePath(QStringLiteral("Vantrell/Vantrell.conf")));
        QFile::remove(m_program.filePath(frmHelp::FileName));
        resetSettingsRecord();
        modCount::reset();
        modGrabKeys::reset();
    }

    void splashPlace_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("8000 high") << QSize(12000, 8000) << QRect(0, 0, 12000, 8000) << QPoint(2850, 1060);
        QTest::newRow("4000 high stays on the screen") << QSize(12000, 4000) << QRect(0, 0, 12000, 4000)
                                                      << QPoint(2850, 0);
        QTest::newRow("below a top panel") << QSize(12000, 6000) << QRect(0, 450, 12000, 5550)
                                           << QPoint(2850, 450);
        QTest::newRow("a panel that is not in the way") << QSize(16200, 14400) << QRect(0, 450, 16200, 13950)
                                                        << QPoint(4950, 4260);
    }
    void splashPlace()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, available);
        QFETCH(QPoint, topLeft);
        QCOMPARE(splashTopLeft(screen, available, QSize(frmSplash::WidthTwips, frmSplash::HeightTwips)),
                 topLeft);
    }

    void splashShowsItsTextsAndReadsTheSettings()
    {
        QSettings file(m_config.filePath(QStringLiteral("Vantrell/Vantrell.conf")), QSettings::IniFormat);
        file.setValue(QStringLiteral("TextSettings/HomeText"), QStringLiteral("Reds"));
        file.sync();
        SettingsStore store;
        frmSplash splash(store, m_program.path());
        QCOMPARE(settingsRecord().HomeText, QStringLiteral("Reds"));
        const QList<QPair<QString, QString>> texts = {
            {"lblName", "Vantrell"},
            {"lblMadeBy", "by Orvalin"},
            {"lblVersion", "Version 1.0.3"},
            {"Label1", "Press ' F1 ' to view Help from the scoreboard."},
            {"Label2", "Press ' F2 ' to set Options from the scoreboard."},
            {"lblClick", "Click to continue."},
        };
        for (const auto &[name, text] : texts)
            QCOMPARE(splash.findChild<QLabel *>(name)->text(), text);
        QCOMPARE(splash.findChild<QPushButton *>(QStringLiteral("cmdOptions"))->text(), QStringLiteral("&Options"));
        QCOMPARE(splash.findChild<QPushButton *>(QStringLiteral("cmdHelp"))->text(), QStringLiteral("&Help"));
        QVERIFY(!splash.findChild<QLabel *>(QStringLiteral("picLogo"))->pixmap().isNull());
        QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblName"))->font().family(),
                 QStringLiteral("Times New Roman"));
    }

    void splashGoesOnOnceAndItsHintsDoNothing()
    {
        SettingsStore store;
        frmSplash splash(store, m_program.path());
        splash.show();
        QSignalSpy board(&splash, &frmSplash::scoreBoardWanted);
        QSignalSpy options(&splash, &frmSplash::optionsWanted);
        QSignalSpy help(&splash, &frmSplash::helpWanted);
        QSignalSpy closed(&splash, &frmSplash::closedWithoutBoard);
        QTest::keyClick(&splash, Qt::Key_F1);
        QTest::keyClick(&splash, Qt::Key_F2);
        QCOMPARE(help.count() + options.count() + board.count(), 0);
        QTest::mouseClick(splash.findChild<QPushButton *>(QStringLiteral("cmdHelp")), Qt::LeftButton);
        QCOMPARE(help.count(), 1);
        QWidget *label = splash.findChild<QLabel *>(QStringLiteral("Label2"));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
        splash.GoScore();
        QCOMPARE(board.count(), 1);
        QCOMPARE(closed.count(), 0);
    }

    void closingTheSplashEndsTheProgram()
    {
        SettingsStore store;
        frmSplash splash(store, m_program.path());
        splash.show();
        QSignalSpy closed(&splash, &frmSplash::closedWithoutBoard);
        splash.close();
        QCOMPARE(closed.count(), 1);
    }

    void startUpMakesOneBoard()
    {
        StartUp startUp(m_program.path());
        startUp.run();
        QVERIFY(startUp.splash());
        QVERIFY(startUp.board() == nullptr);
        QPointer<frmSplash> splash = startUp.splash();
        splash->GoScore();
        splash->GoScore();
        QVERIFY(startUp.board());
        QVERIFY(startUp.board()->isVisible());
        QTRY_VERIFY(splash.isNull());
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget *w) { return qobject_cast<frmScoreBoard *>(w) != nullptr; }),
                 1);
    }

    void helpLayout_data()
    {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<int>("wrap");
        QTest::newRow("design size") << QSize(11175, 9690) << QSize(11175, 9690) << QSize(10935, 9270) << 10485;
        QTest::newRow("too narrow") << QSize(1000, 5000) << QSize(2700, 5000) << QSize(2460, 4580) << 2010;
        QTest::newRow("too low") << QSize(5000, 300) << QSize(5000, 1700) << QSize(4760, 1280) << 4310;
        QTest::newRow("at the limits") << QSize(2700, 1700) << QSize(2700, 1700) << QSize(2460, 1280) << 2010;
    }
    void helpLayout()
    {
        QFETCH(QSize, outer);
        QFETCH(QSize, window);
        QFETCH(QSize, box);
        QFETCH(int, wrap);
        const HelpLayout layout = ::helpLayout(outer);
        QCOMPARE(layout.window, window);
        QCOMPARE(layout.box, box);
        QCOMPARE(layout.wrapWidth, wrap);
    }

    void helpShowsTheManualOrSaysItIsMissing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("no manual") << QByteArray() << frmHelp::MissingText;
        QTest::newRow("a manual in RTF") << QByteArray("{\\rtf1\\ansi {\\b Keys}\\par S starts the clock.}")
                                         << "Keys\nS starts the clock.";
        QTest::newRow("a manual without an RTF header") << QByteArray("Just text, {not} \\rtf.")
                                                        << "Just text, {not} \\rtf.";
    }
    void helpShowsTheManualOrSaysItIsMissing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        if (!file.isEmpty())
            writeManual(file);
        frmHelp help(m_program.path());
        QCOMPARE(help.windowTitle(), QStringLiteral("Vantrell Help"));
        QCOMPARE(helpText(help), text);
        QCOMPARE(help.rtbHelp()->textCursor().position(), 0);
    }

    void aManualThatCannotBeReadCountsAsMissing()
    {
        QVERIFY(QDir(m_program.path()).mkdir(frmHelp::FileName));
        frmHelp help(m_program.path());
        QCOMPARE(helpText(help), frmHelp::MissingText);
        QDir(m_program.path()).rmdir(frmHelp::FileName);
    }

    void oneHelpWindowReadAfreshAfterAClose()
    {
        writeManual("{\\rtf1 first}");
        QPointer<frmHelp> help = frmHelp::showHelp(m_program.path());
        help->showMinimized();
        QCOMPARE(frmHelp::showHelp(m_program.path()), help.data());
        QVERIFY(!help->isMinimized());
        writeManual("{\\rtf1 second}");
        QCOMPARE(helpText(*help), QStringLiteral("first"));
        help->close();
        QTRY_VERIFY(help.isNull());
        help = frmHelp::showHelp(m_program.path());
        QCOMPARE(helpText(*help), QStringLiteral("second"));
        help->close();
    }

    void helpTextFollowsTheWindow()
    {
        frmHelp help(m_program.path());
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        help.resize(500, 400);
        QTRY_COMPARE(help.size(), QSize(500, 400));
        const QSize outer = help.frameGeometry().size();
        QCOMPARE(help.rtbHelp()->width(), qMin(outer.width() - 16, 500 - 8));
        QCOMPARE(help.rtbHelp()->height(), qMin(outer.height() - 28, 400));
        QCOMPARE(help.rtbHelp()->lineWrapColumnOrWidth(), help.rtbHelp()->width() - 30);
        help.resize(50, 40);
        QTRY_VERIFY(help.frameGeometry().width() >= 180 && help.frameGeometry().height() >= 113);
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
