// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"
#include "board/labelcontrol.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "help/frmhelp.h"
#include "input/modgrabkeys.h"
#include "settings/colors.h"
#include "settings/frmsplash.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using BoardGeometry::FigureSet;

// The splash, the board as it opens and the help window.
class TestStartUp : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
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

    // Every colour far from the others, so one in the wrong place shows. Read
    // off a picture: figures lit in the time or the score colour on their
    // background, a penalty clock's colon lit only while it shows.
    void boardTakesItsColours()
    {
        frmScoreBoard board(nullptr, FakePlayers::unheard(), m_time);
        SettingsRecord &s = settingsRecord();
        s.TimeColor = 0x0000F0;
        s.ScoreColor = 0x00F000;
        s.LEDBack = 0x400000;
        s.BorderColor = 0xE0E0E0;
        s.FormBack = 0x808000;
        s.LEDSelected = 0x101006;
        s.HomeColor = 0x303008;
        s.VisitorColor = 0x404009;
        board.UpdateFormColors();
        board.engine().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        board.ClockTick();
        const QImage picture = board.grab().toImage();
        const BoardReader::BoardColours colours{toQColor(s.TimeColor), toQColor(s.ScoreColor),
                                                toQColor(s.LEDBack), toQColor(s.BorderColor),
                                                toQColor(s.LEDBack)};
        QCOMPARE(BoardReader::readText(picture, FigureSet::GameClock, colours),
                 QStringLiteral("20:00"));
        QCOMPARE(BoardReader::readText(picture, FigureSet::HomeScore, colours),
                 QStringLiteral(" 0"));
        QCOMPARE(BoardReader::readText(picture, FigureSet::HomePenalty1, colours),
                 QStringLiteral("1:30"));
        QCOMPARE(BoardReader::readText(picture, FigureSet::HomePenalty2, colours), QString());
        QCOMPARE(QColor(picture.pixel(2, 2)), toQColor(s.FormBack));
        const ControlLayer &controls = board.controlLayer();
        QCOMPARE(controls.get<ShapeControl>("shpObjectSelected")->fillColor(), s.LEDSelected);
        QCOMPARE(controls.get<LabelControl>("lblHome")->foreColor(), s.HomeColor);
        QCOMPARE(controls.get<LabelControl>("lblVisitor")->foreColor(), s.VisitorColor);
        QCOMPARE(controls.get<LabelControl>("lblGoalH")->foreColor(), s.BorderColor);
    }

    // One help window, brought back when asked again; its manual is read
    // from the program's folder, afresh once the window closed, and opens at
    // its start, or a sentence says it is missing. Its text follows its size.
    void oneHelpWindow()
    {
        QPointer<frmHelp> help = frmHelp::showHelp(m_program.path());
        QCOMPARE(helpText(*help), frmHelp::missingText());
        help->close();
        QTRY_VERIFY(help.isNull());
        writeManual("{\\rtf1 first\\par page}");
        help = frmHelp::showHelp(m_program.path());
        QCOMPARE(help->rtbHelp()->textCursor().position(), 0);
        help->showMinimized();
        QCOMPARE(frmHelp::showHelp(m_program.path()), help.data());
        QVERIFY(!help->isMinimized());
        help->resize(800, 600);
        QTRY_VERIFY(help->rtbHelp()->width() > 700 && help->rtbHelp()->height() > 500);
        writeManual("{\\rtf1 second}");
        QCOMPARE(helpText(*help), QStringLiteral("first\npage"));
        help->close();
        QTRY_VERIFY(help.isNull());
        help = frmHelp::showHelp(m_program.path());
        QCOMPARE(helpText(*help), QStringLiteral("second"));
        help->close();
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
