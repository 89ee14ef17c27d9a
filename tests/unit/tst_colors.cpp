#include "board/controllayer.h"
#include "board/frmscoreboard.h"
#include "board/labelcontrol.h"
#include "board/modcolor.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "fakes.h"
#include "settings/settingsrecord.h"
#include "timing/modcount.h"

#include <QTest>

#include <functional>
#include <memory>

namespace {

// Every colour different, so a colour in the wrong place shows.
void useDistinctColours()
{
    SettingsRecord &s = settingsRecord();
    s.TimeColor = 0x0000F1;
    s.LEDBack = 0x000F02;
    s.ScoreColor = 0x00F003;
    s.PeriodColor = 0x0F0004;
    s.FormBack = 0xF00005;
    s.LEDSelected = 0x101006;
    s.BorderColor = 0x202007;
    s.HomeColor = 0x303008;
    s.VisitorColor = 0x404009;
}

} // namespace

class TestColors : public QObject
{
    Q_OBJECT

private:
    FakeTimeSource m_time;
    std::unique_ptr<frmScoreBoard> m_board;

    BoardControl *control(const QString &name, int index = -1) const
    {
        return m_board->controlLayer().find(name, index);
    }
    template<typename T>
    T *get(const QString &name, int index = -1) const
    {
        return m_board->controlLayer().get<T>(name, index);
    }

private slots:
    void init()
    {
        modCount::reset(&m_time);
        resetSettingsRecord();
        m_board = std::make_unique<frmScoreBoard>();
        useDistinctColours();
        m_board->UpdateFormColors();
        m_board->ClockTick();
    }
    void cleanup() { m_board.reset(); }

    void everyElementTakesItsSetting()
    {
        const SettingsRecord &s = settingsRecord();
        QCOMPARE(m_board->palette().color(QPalette::Window), QColor(0x05, 0x00, 0xF0));
        for (const char *box : {"picHomeContainer", "picVisitorContainer", "picBoardPicContainer", "picGoalBack"})
            QCOMPARE(get<PictureBox>(QLatin1String(box))->backColor(), s.FormBack);
        for (const char *box : {"TimeBack", "ShotClockBack", "HomeBack", "VisitorBack", "PenaltyTH1",
                                "PenaltyTH2", "PenaltyTH3", "PenaltyTV1", "PenaltyTV2", "PenaltyTV3"})
            QCOMPARE(get<PictureBox>(QLatin1String(box))->backColor(), s.LEDBack);
        for (const BoardControl *c : m_board->controlLayer().controls()) {
            const auto *figure = qobject_cast<const Segmora *>(c);
            if (!figure)
                continue;
            const bool score = c->controlName().startsWith(QLatin1String("pledHome"))
                               || c->controlName().startsWith(QLatin1String("pledVisitor"));
            QCOMPARE(figure->litColor(), score ? s.ScoreColor : s.TimeColor);
            QCOMPARE(figure->backColor(), s.LEDBack);
        }
        QCOMPARE(get<ShapeControl>(QStringLiteral("shpObjectSelected"))->fillColor(), s.LEDSelected);
        QCOMPARE(get<ShapeControl>(QStringLiteral("Shape1"))->borderColor(), s.BorderColor);
        QCOMPARE(get<ShapeControl>(QStringLiteral("Shape3"))->borderColor(), s.BorderColor);
        for (const char *label : {"lblGoalH", "lblPPH", "lblPPV", "lblCreatedBy"})
            QCOMPARE(get<LabelControl>(QLatin1String(label))->foreColor(), s.BorderColor);
        QCOMPARE(get<LabelControl>(QStringLiteral("lblHome"))->foreColor(), s.HomeColor);
        QCOMPARE(get<LabelControl>(QStringLiteral("lblVisitor"))->foreColor(), s.VisitorColor);
        // The game clock's colon is lit; a blank penalty clock's is dark.
        QCOMPARE(get<ShapeControl>(QStringLiteral("Shape2"), 0)->fillColor(), s.BorderColor);
        QCOMPARE(get<ShapeControl>(QStringLiteral("dotPenaltyTV2"), 1)->fillColor(), s.LEDBack);
        for (int i = 0; i < frmScoreBoard::MarkCount; ++i) {
            QCOMPARE(get<ShapeControl>(QStringLiteral("shpPenaltyR"), i)->fillColor(), s.FormBack);
            QCOMPARE(get<ShapeControl>(QStringLiteral("shpPenaltyG"), i)->borderColor(), s.LEDBack);
        }
        QCOMPARE(get<ShapeControl>(QStringLiteral("shpGoalH"))->fillColor(), s.FormBack);
        QCOMPARE(get<ShapeControl>(QStringLiteral("shpGoalV"))->borderColor(), s.LEDBack);
    }

    void aLitGoalLampTakesTheNewScoreColour()
    {
        m_board->HomeLamp();
        settingsRecord().ScoreColor = 0x123456;
        m_board->UpdateFormColors();
        QCOMPARE(get<ShapeControl>(QStringLiteral("shpGoalH"))->fillColor(), 0x123456);
    }

    void periodColourChangesNothing()
    {
        const QImage before = m_board->grab().toImage();
        settingsRecord().PeriodColor = 0x00FFFF;
        m_board->UpdateFormColors();
        QCOMPARE(m_board->grab().toImage(), before);
    }

    void otherControlsExcludedByNameInAnyCase()
    {
        QWidget window;
        ControlLayer layer;
        auto *kept = new LabelControl(QStringLiteral("lblKept"), -1, &window);
        auto *coloured = new LabelControl(QStringLiteral("lblKeptToo"), -1, &window);
        auto *box = new PictureBox(QStringLiteral("picExtra"), -1, &window);
        auto *setBox = new PictureBox(QStringLiteral("picSet"), 3, &window);
        auto *shape = new ShapeControl(QStringLiteral("shpAny"), -1, ShapeType::Oval, &window);
        for (BoardControl *c : std::initializer_list<BoardControl *>{kept, coloured, box, setBox, shape})
            layer.add(c);
        kept->setForeColor(1);
        shape->setFillColor(2);
        setBox->setBackColor(3);
        // Exclusions go by name: any element of a set, in any letter case.
        QWidget other;
        LabelControl upper(QStringLiteral("LBLKEPT"), -1, &other);
        PictureBox element(QStringLiteral("PicSet"), 0, &other);
        modColor::ColorOtherControls(layer, {&upper, &element});
        QCOMPARE(kept->foreColor(), 1);
        QCOMPARE(coloured->foreColor(), settingsRecord().BorderColor);
        QCOMPARE(box->backColor(), settingsRecord().LEDBack);
        QCOMPARE(setBox->backColor(), 3);
        QCOMPARE(shape->fillColor(), 2);
    }

    void ledSetColoursOneFigureOrMany()
    {
        QWidget window;
        Segmora one(QStringLiteral("pledOne"), -1, &window);
        modColor::ColorLedSet(&one, 0x777777);
        QCOMPARE(one.litColor(), 0x777777);
        QCOMPARE(one.backColor(), settingsRecord().LEDBack);
    }
};

QTEST_MAIN(TestColors)
#include "tst_colors.moc"
