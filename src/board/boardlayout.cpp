// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardlayout.h"

#include "board/controllayer.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"

#include <array>
#include <vector>

namespace {

struct Place
{
    int left, top, width, height;
};

using Controls = ScoreBoardControls;

struct BoxRow
{
    const char *name;
    Place place;
    bool field;
    NumberBox Controls::*number;
};

// Figures of one set share a top unless a second top is given; element 0
// comes first in `lefts`.
struct FigureSetRow
{
    const char *name;
    NumberBox Controls::*number;
    int size;
    std::vector<int> lefts;
    std::vector<int> tops;
    const char *colon;
    ShapeType colonShape;
    int colonLeft;
    std::array<int, 2> colonTops;
    int colonDiameter;
};

struct LabelRow
{
    const char *name;
    LabelControl *Controls::*label;
    Place place;
    const char *caption;
    double points;
    bool autoSize;
};

// The rows are laid out by hand, one control set to a line or two.
// clang-format off
const BoxRow Boxes[] = {
    {"TimeBack", {2640, 240, 4290, 1695}, true, &Controls::gameClock},
    {"ShotClockBack", {2835, 3000, 3810, 1455}, true, &Controls::shotClock},
    {"HomeBack", {360, 1020, 1815, 1335}, true, &Controls::homeScore},
    {"VisitorBack", {7440, 1020, 1815, 1335}, true, &Controls::visitorScore},
    {"PenaltyTH1", {360, 3000, 2070, 975}, true, &Controls::homePenalty1},
    {"PenaltyTH2", {360, 4080, 2070, 975}, true, &Controls::homePenalty2},
    {"PenaltyTH3", {360, 5160, 2070, 975}, true, &Controls::homePenalty3},
    {"PenaltyTV1", {7080, 3000, 2070, 975}, true, &Controls::visitorPenalty1},
    {"PenaltyTV2", {7080, 4080, 2070, 975}, true, &Controls::visitorPenalty2},
    {"PenaltyTV3", {7080, 5160, 2070, 975}, true, &Controls::visitorPenalty3},
};

const std::vector<int> PenaltyLefts = {1545, 960, 60};

// The clock colons stretch with the window; the penalty colons stay round
// like the marks beside them.
const FigureSetRow FigureSets[] = {
    {"pledTime", &Controls::gameClock, 95, {120, 1080, 2280, 3240}, {135, 135, 120, 120},
     "Shape2", ShapeType::Oval, 1980, {360, 1080}, 195},
    {"pledShot", &Controls::shotClock, 80, {120, 960, 2160, 3000}, {135},
     "Shape4", ShapeType::Oval, 1800, {300, 1080}, 195},
    {"pledHome", &Controls::homeScore, 75, {960, 120}, {105},
     nullptr, ShapeType::Oval, 0, {0, 0}, 0},
    {"pledVisitor", &Controls::visitorScore, 75, {960, 120}, {105},
     nullptr, ShapeType::Oval, 0, {0, 0}, 0},
    {"pledPenaltyTH1", &Controls::homePenalty1, 55, PenaltyLefts, {60},
     "dotPenaltyTH1", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTH2", &Controls::homePenalty2, 55, PenaltyLefts, {60},
     "dotPenaltyTH2", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTH3", &Controls::homePenalty3, 55, PenaltyLefts, {60},
     "dotPenaltyTH3", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTV1", &Controls::visitorPenalty1, 55, PenaltyLefts, {60},
     "dotPenaltyTV1", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTV2", &Controls::visitorPenalty2, 55, PenaltyLefts, {60},
     "dotPenaltyTV2", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTV3", &Controls::visitorPenalty3, 55, PenaltyLefts, {60},
     "dotPenaltyTV3", ShapeType::Circle, 660, {240, 600}, 165},
};

constexpr double CaptionPoints = 15.75;

const LabelRow GoalCaption = {"lblGoalH", &Controls::goalCaption, {660, 60, 1695, 465},
                              "Flag Hang", CaptionPoints, false};

const LabelRow PenaltyCaptions[] = {
    {"lblPPH", &Controls::homePenaltyCaption, {360, 2520, 2055, 375}, "Penalty", CaptionPoints,
     false},
    {"lblPPV", &Controls::visitorPenaltyCaption, {7080, 2520, 2055, 375}, "Penalty", CaptionPoints,
     false},
};

const LabelRow HomeName = {"lblHome", &Controls::homeName, {300, 0, 1335, 555}, "Home", 24, true};
const LabelRow VisitorName = {"lblVisitor", &Controls::visitorName, {195, 0, 1545, 555},
                              "Visitor", 24, true};

const LabelRow CreditLine = {"lblCreatedBy", &Controls::credit, {3240, 2700, 3015, 375},
                             "Vantrell by Orvalin", 9, false};
// clang-format on

constexpr int MarkDiameter = 255;
constexpr std::array<int, PenaltyMarkCount> MarkLefts = {2520, 2520, 2520, 6720, 6720, 6720};
constexpr std::array<int, PenaltyMarkCount> RedMarkTops = {3240, 4200, 5280, 3240, 4200, 5280};
constexpr std::array<int, PenaltyMarkCount> GreenMarkTops = {3600, 4560, 5640, 3600, 4560, 5640};
constexpr int MarkAreaWidth = 495;
constexpr int MarkAreaHeight = 435;

class Builder
{
public:
    Builder(QWidget *window, ControlLayer &layer)
        : m_window(window)
        , m_layer(layer)
    {
    }

    ScoreBoardControls build()
    {
        for (const BoxRow &row : Boxes)
            (m_controls.*row.number).box = addBox(row.name, m_window, row.place, row.field);
        for (const FigureSetRow &row : FigureSets)
            addFigureSet(row, m_controls.*row.number);
        addGoal();
        m_controls.homeNameBox = addNameBox("picHomeContainer", {480, 360, 1920, 600}, HomeName);
        m_controls.visitorNameBox =
            addNameBox("picVisitorContainer", {7080, 360, 1925, 600}, VisitorName);
        m_controls.pictureBox =
            addBox("picBoardPicContainer", m_window, {2873, 4560, 3735, 1935}, false);
        m_controls.picture = addImage("imgBoardPic", -1, m_controls.pictureBox, {0, 0, 1095, 1455});
        for (const LabelRow &row : PenaltyCaptions)
            addLabel(row, m_window);
        addPenaltyMarks();
        m_controls.highlight = addShape("shpObjectSelected", -1, m_window, ShapeType::Rectangle,
                                        {5040, 4800, 255, 255}, 0, true);
        m_controls.highlight->hide();
        m_controls.boardFrame = addShape("Shape3", -1, m_window, ShapeType::RoundedRectangle,
                                         {120, 120, 9255, 6495}, 7, false);
        m_controls.clockFrame = addShape("Shape1", -1, m_window, ShapeType::RoundedRectangle,
                                         {2460, 120, 4575, 1965}, 7, false);
        addLabel(CreditLine, m_window);
        m_layer.stackDrawnBeneathBoxes();
        return m_controls;
    }

private:
    template<typename T> T *adopt(T *control, const Place &place)
    {
        control->setTwipGeometry(place.left, place.top, place.width, place.height);
        m_layer.add(control);
        return control;
    }

    PictureBox *addBox(const char *name, QWidget *parent, const Place &place, bool field)
    {
        auto *box = adopt(new PictureBox(QString::fromLatin1(name), -1, parent), place);
        if (field)
            box->setFocusPolicy(Qt::StrongFocus);
        return box;
    }

    void addFigureSet(const FigureSetRow &row, NumberBox &number)
    {
        for (size_t i = 0; i < row.lefts.size(); ++i) {
            auto *figure = new Segmora(QString::fromLatin1(row.name), int(i), number.box);
            figure->setLedSize(row.size);
            const int top = i < row.tops.size() ? row.tops[i] : row.tops.front();
            number.figures.append(adopt(figure, {row.lefts[i], top, 0, 0}));
        }
        if (!row.colon)
            return;
        for (int i = 0; i < 2; ++i) {
            number.colon[i] = addShape(
                row.colon, i, number.box, row.colonShape,
                {row.colonLeft, row.colonTops[i], row.colonDiameter, row.colonDiameter}, 0, true);
        }
    }

    ShapeControl *addShape(const char *name, int index, QWidget *parent, ShapeType type,
                           const Place &place, double border, bool filled)
    {
        auto *shape = new ShapeControl(QString::fromLatin1(name), index, type, parent);
        shape->setBorderWidth(border);
        shape->setFilled(filled);
        return adopt(shape, place);
    }

    ImageControl *addImage(const char *name, int index, QWidget *parent, const Place &place)
    {
        return adopt(new ImageControl(QString::fromLatin1(name), index, parent), place);
    }

    void addLabel(const LabelRow &row, QWidget *parent)
    {
        auto *label = new LabelControl(QString::fromLatin1(row.name), -1, parent);
        label->setFontFace(QStringLiteral("Arial"), true);
        label->setFontSize(row.points);
        adopt(label, row.place);
        label->setAutoSize(row.autoSize);
        label->setCaption(QString::fromLatin1(row.caption));
        m_controls.*row.label = label;
    }

    void addGoal()
    {
        PictureBox *goal = addBox("picGoalBack", m_window, {3173, 2160, 3135, 495}, true);
        m_controls.goalBox = goal;
        m_controls.homeLamp =
            addShape("shpGoalH", -1, goal, ShapeType::Oval, {60, 120, 495, 255}, 4, true);
        m_controls.visitorLamp =
            addShape("shpGoalV", -1, goal, ShapeType::Oval, {2520, 120, 495, 255}, 4, true);
        m_controls.homeLampArea = addImage("imgGoalCoverH", -1, goal, {60, 120, 495, 255});
        m_controls.visitorLampArea = addImage("imgGoalCoverV", -1, goal, {2520, 120, 495, 255});
        addLabel(GoalCaption, goal);
    }

    PictureBox *addNameBox(const char *name, const Place &place, const LabelRow &label)
    {
        PictureBox *box = addBox(name, m_window, place, false);
        addLabel(label, box);
        return box;
    }

    void addPenaltyMarks()
    {
        for (int i = 0; i < PenaltyMarkCount; ++i)
            m_controls.redMarks[i] = addMark("shpPenaltyR", i, RedMarkTops[i]);
        for (int i = 0; i < PenaltyMarkCount; ++i)
            m_controls.greenMarks[i] = addMark("shpPenaltyG", i, GreenMarkTops[i]);
        for (int i = 0; i < PenaltyMarkCount; ++i)
            m_controls.redMarkAreas[i] = addMarkArea("imgPRed", i, RedMarkTops[i]);
        for (int i = 0; i < PenaltyMarkCount; ++i)
            m_controls.greenMarkAreas[i] = addMarkArea("imgPGreen", i, GreenMarkTops[i]);
    }

    ShapeControl *addMark(const char *name, int i, int top)
    {
        return addShape(name, i, m_window, ShapeType::Circle,
                        {MarkLefts[i], top, MarkDiameter, MarkDiameter}, 2, true);
    }

    // A click area is centred over its mark and somewhat larger than it.
    ImageControl *addMarkArea(const char *name, int i, int markTop)
    {
        const int left = MarkLefts[i] - (MarkAreaWidth - MarkDiameter) / 2;
        const int top = markTop - (MarkAreaHeight - MarkDiameter) / 2;
        return addImage(name, i, m_window, {left, top, MarkAreaWidth, MarkAreaHeight});
    }

    QWidget *m_window;
    ControlLayer &m_layer;
    ScoreBoardControls m_controls;
};

} // namespace

ScoreBoardControls buildScoreBoard(QWidget *window, ControlLayer &layer)
{
    return Builder(window, layer).build();
}
