// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/frmhelp.h"
#include "input/modgrabkeys.h"
#include "settings/frmsplash.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

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
    static QString helpText(const frmHelp &help) { return help.rtbHelp()->toPlainText(); }

private slots:
    void init()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QFile::remove(m_program.filePath(frmHelp::FileName));
        resetSettingsRecord();
        modCount::reset();
        modGrabKeys::reset();
    }

    // Centred a little above the middle of the free area, and kept on it.
    void splashPlace_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("8000 high")
            << QSize(12000, 8000) << QRect(0, 0, 12000, 8000) << QPoint(2850, 1060);
        QTest::newRow("4000 high stays on the screen")
            << QSize(12000, 4000) << QRect(0, 0, 12000, 4000) << QPoint(2850, 0);
        QTest::newRow("below a top panel")
            << QSize(12000, 6000) << QRect(0, 450, 12000, 5550) << QPoint(2850, 450);
    }
    void splashPlace()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, available);
        QFETCH(QPoint, topLeft);
        QCOMPARE(splashTopLeft(screen, available, QSize(6300, 3240)), topLeft);
    }

    // The manual from the program's folder, from its start, or a sentence
    // saying it is missing.
    void helpShowsTheManualOrSaysItIsMissing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("no manual") << QByteArray() << frmHelp::MissingText;
        QTest::newRow("a manual in RTF")
            << QByteArray("{\\rtf1\\ansi {\\b Keys}\\par S starts the clock.}")
            << "Keys\nS starts the clock.";
        QTest::newRow("a manual without an RTF header")
            << QByteArray("Just text, {not} \\rtf.") << "Just text, {not} \\rtf.";
    }
    void helpShowsTheManualOrSaysItIsMissing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        if (!file.isEmpty())
            writeManual(file);
        frmHelp help(m_program.path());
        QCOMPARE(helpText(help), text);
        QCOMPARE(help.rtbHelp()->textCursor().position(), 0);
    }

    // One help window, brought back when asked again, read afresh once
    // closed; its text follows its size.
    void oneHelpWindow()
    {
        writeManual("{\\rtf1 first}");
        QPointer<frmHelp> help = frmHelp::showHelp(m_program.path());
        help->showMinimized();
        QCOMPARE(frmHelp::showHelp(m_program.path()), help.data());
        QVERIFY(!help->isMinimized());
        help->resize(800, 600);
        QTRY_VERIFY(help->rtbHelp()->width() > 700 && help->rtbHelp()->height() > 500);
        writeManual("{\\rtf1 second}");
        QCOMPARE(helpText(*help), QStringLiteral("first"));
        help->close();
        QTRY_VERIFY(help.isNull());
        help = frmHelp::showHelp(m_program.path());
        QCOMPARE(helpText(*help), QStringLiteral("second"));
        help->close();
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
