// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/colorref.h"
#include "board/frmscoreboard.h"
#include "board/labelcontrol.h"
#include "board/shapecontrol.h"
#include "boardreader.h"
#include "fakes.h"
#include "settings/settingsrecord.h"

#include <QTest>

#include <memory>

using BoardGeometry::FigureSet;

class TestColors : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;

    template<typename T> T *get(const char *name) const
    {
        return m_board->controlLayer().get<T>(QLatin1String(name));
    }

private slots:
    // Every colour far from the others, so one in the wrong place shows.
    void init()
    {
        modCount::reset(&m_time);
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>();
        SettingsRecord &s = settingsRecord();
        s.TimeColor = 0x0000F0;
        s.ScoreColor = 0x00F000;
        s.LEDBack = 0x400000;
        s.BorderColor = 0xE0E0E0;
        s.FormBack = 0x808000;
        s.LEDSelected = 0x101006;
        s.HomeColor = 0x303008;
        s.VisitorColor = 0x404009;
        m_board->UpdateFormColors();
    }
    void cleanup() { m_board.reset(); }

    // Read off a picture: figures lit in the time or the score colour on
    // their background, a penalty clock's colon lit only while it shows.
    void everyPartTakesItsColour()
    {
        const SettingsRecord &s = settingsRecord();
        m_board->engine().enterPenaltyTime(1, ClockValue::fromSeconds(90));
        m_board->ClockTick();
        const QImage picture = m_board->grab().toImage();
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
        QCOMPARE(get<ShapeControl>("shpObjectSelected")->fillColor(), s.LEDSelected);
        QCOMPARE(get<LabelControl>("lblHome")->foreColor(), s.HomeColor);
        QCOMPARE(get<LabelControl>("lblVisitor")->foreColor(), s.VisitorColor);
        QCOMPARE(get<LabelControl>("lblGoalH")->foreColor(), s.BorderColor);
    }
};

QTEST_MAIN(TestColors)
#include "tst_colors.moc"
