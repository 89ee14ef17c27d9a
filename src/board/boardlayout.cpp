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

struct BoxRow
{
    const char *name;
    Place place;
    bool field;
};

// Figures of one set share a top unless a second top is given; element 0
// comes first in `lefts`.
struct FigureSetRow
{
    const char *name;
    const char *box;
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
    const char *container;
    Place place;
    const char *caption;
    double points;
    bool autoSize;
};

const BoxRow Boxes[] = {
    {"TimeBack", {2640, 240, 4290, 1695}, true},
    {"ShotClockBack", {2835, 3000, 3810, 1455}, true},
    {"HomeBack", {360, 1020, 1815, 1335}, true},
    {"VisitorBack", {7440, 1020, 1815, 1335}, true},
    {"PenaltyTH1", {360, 3000, 2070, 975}, true},
    {"PenaltyTH2", {360, 4080, 2070, 975}, true},
    {"PenaltyTH3", {360, 5160, 2070, 975}, true},
    {"PenaltyTV1", {7080, 3000, 2070, 975}, true},
    {"PenaltyTV2", {7080, 4080, 2070, 975}, true},
    {"PenaltyTV3", {7080, 5160, 2070, 975}, true},
};

const std::vector<int> PenaltyLefts = {1545, 960, 60};

// The clock colons stretch with the window; the penalty colons stay round
// like the marks beside them.
const FigureSetRow FigureSets[] = {
    {"pledTime", "TimeBack", 95, {120, 1080, 2280, 3240}, {135, 135, 120, 120},
     "Shape2", ShapeType::Oval, 1980, {360, 1080}, 195},
    {"pledShot", "ShotClockBack", 80, {120, 960, 2160, 3000}, {135},
     "Shape4", ShapeType::Oval, 1800, {300, 1080}, 195},
    {"pledHome", "HomeBack", 75, {960, 120}, {105}, nullptr, ShapeType::Oval, 0, {0, 0}, 0},
    {"pledVisitor", "VisitorBack", 75, {960, 120}, {105}, nullptr, ShapeType::Oval, 0, {0, 0}, 0},
    {"pledPenaltyTH1", "PenaltyTH1", 55, PenaltyLefts, {60},
     "dotPenaltyTH1", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTH2", "PenaltyTH2", 55, PenaltyLefts, {60},
     "dotPenaltyTH2", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTH3", "PenaltyTH3", 55, PenaltyLefts, {60},
     "dotPenaltyTH3", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTV1", "PenaltyTV1", 55, PenaltyLefts, {60},
     "dotPenaltyTV1", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTV2", "PenaltyTV2", 55, PenaltyLefts, {60},
     "dotPenaltyTV2", ShapeType::Circle, 660, {240, 600}, 165},
    {"pledPenaltyTV3", "PenaltyTV3", 55, PenaltyLefts, {60},
     "dotPenaltyTV3", ShapeType::Circle, 660, {240, 600}, 165},
};

constexpr double CaptionPoints = 15.75;

const LabelRow GoalCaption = {"lblGoalH", "picGoalBack", {660, 60, 1695, 465}, "Flag Hang",
                              CaptionPoints, false};

const LabelRow PenaltyCaptions[] = {
    {"lblPPH", nullptr, {360, 2520, 2055, 375}, "Penalty", CaptionPoints, false},
    {"lblPPV", nullptr, {7080, 2520, 2055, 375}, "Penalty", CaptionPoints, false},
};

const LabelRow CreditLine = {"lblCreatedBy", nullptr, {3240, 2700, 3015, 375},
                             "Vantrell by Orvalin", 9, false};

constexpr int MarkDiameter = 255;
constexpr std::array<int, 6> MarkLefts = {2520, 2520, 2520, 6720, 6720, 6720};
constexpr std::array<int, 6> RedMarkTops = {3240, 4200, 5280, 3240, 4200, 5280};
constexpr std::array<int, 6> GreenMarkTops = {3600, 4560, 5640, 3600, 4560, 5640};
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

    void build()
    {
        for (const BoxRow &row : Boxes)
            addBox(row.name, nullptr, row.place, row.field);
        for (const FigureSetRow &row : FigureSets)
            addFigureSet(row);
        addGoal();
        addNameBox("picHomeContainer", {480, 360, 1920, 600}, "lblHome", {300, 0, 1335, 555},
                   "Home");
        addNameBox("picVisitorContainer", {7080, 360, 1925, 600}, "lblVisitor",
                   {195, 0, 1545, 555}, "Visitor");
        addBox("picBoardPicContainer", nullptr, {2873, 4560, 3735, 1935}, false);
        addImage("imgBoardPic", -1, "picBoardPicContainer", {0, 0, 1095, 1455});
        for (const LabelRow &row : PenaltyCaptions)
            addLabel(row);
        addPenaltyMarks();
        addShape("shpObjectSelected", -1, nullptr, ShapeType::Rectangle, {5040, 4800, 255, 255}, 0,
                 true)
            ->hide();
        addShape("Shape3", -1, nullptr, ShapeType::RoundedRectangle, {120, 120, 9255, 6495}, 7,
                 false);
        addShape("Shape1", -1, nullptr, ShapeType::RoundedRectangle, {2460, 120, 4575, 1965}, 7,
                 false);
        addLabel(CreditLine);
        m_layer.stackDrawnBeneathBoxes();
    }

private:
    QWidget *container(const char *name) const
    {
        return name ? m_layer.find(QString::fromLatin1(name)) : m_window;
    }

    template<typename T>
    T *adopt(T *control, const Place &place)
    {
        control->setTwipGeometry(place.left, place.top, place.width, place.height);
        m_layer.add(control);
        return control;
    }

    void addBox(const char *name, const char *parent, const Place &place, bool field)
    {
        auto *box = adopt(new PictureBox(QString::fromLatin1(name), -1, container(parent)), place);
        if (field)
            box->setFocusPolicy(Qt::StrongFocus);
    }

    void addFigureSet(const FigureSetRow &row)
    {
        QWidget *box = container(row.box);
        for (size_t i = 0; i < row.lefts.size(); ++i) {
            auto *figure = new Segmora(QString::fromLatin1(row.name), int(i), box);
            figure->setLedSize(row.size);
            const int top = i < row.tops.size() ? row.tops[i] : row.tops.front();
            adopt(figure, {row.lefts[i], top, 0, 0});
        }
        if (!row.colon)
            return;
        for (int i = 0; i < 2; ++i) {
            addShape(row.colon, i, row.box, row.colonShape,
                     {row.colonLeft, row.colonTops[i], row.colonDiameter, row.colonDiameter}, 0,
                     true);
        }
    }

    ShapeControl *addShape(const char *name, int index, const char *parent, ShapeType type,
                           const Place &place, double border, bool filled)
    {
        auto *shape = new ShapeControl(QString::fromLatin1(name), index, type, container(parent));
        shape->setBorderWidth(border);
        shape->setFilled(filled);
        return adopt(shape, place);
    }

    ImageControl *addImage(const char *name, int index, const char *parent, const Place &place)
    {
        return adopt(new ImageControl(QString::fromLatin1(name), index, container(parent)), place);
    }

    LabelControl *addLabel(const LabelRow &row)
    {
        auto *label = new LabelControl(QString::fromLatin1(row.name), -1, container(row.container));
        label->setFontFace(QStringLiteral("Arial"), true);
        label->setFontSize(row.points);
        adopt(label, row.place);
        label->setAutoSize(row.autoSize);
        label->setCaption(QString::fromLatin1(row.caption));
        return label;
    }

    void addGoal()
    {
        addBox("picGoalBack", nullptr, {3173, 2160, 3135, 495}, true);
        addShape("shpGoalH", -1, "picGoalBack", ShapeType::Oval, {60, 120, 495, 255}, 4, true);
        addShape("shpGoalV", -1, "picGoalBack", ShapeType::Oval, {2520, 120, 495, 255}, 4, true);
        addImage("imgGoalCoverH", -1, "picGoalBack", {60, 120, 495, 255});
        addImage("imgGoalCoverV", -1, "picGoalBack", {2520, 120, 495, 255});
        addLabel(GoalCaption);
    }

    void addNameBox(const char *box, const Place &boxPlace, const char *label,
                    const Place &labelPlace, const char *caption)
    {
        addBox(box, nullptr, boxPlace, false);
        addLabel({label, box, labelPlace, caption, 24, true});
    }

    void addPenaltyMarks()
    {
        for (int i = 0; i < 6; ++i)
            addMark("shpPenaltyR", i, RedMarkTops[i]);
        for (int i = 0; i < 6; ++i)
            addMark("shpPenaltyG", i, GreenMarkTops[i]);
        for (int i = 0; i < 6; ++i)
            addMarkArea("imgPRed", i, RedMarkTops[i]);
        for (int i = 0; i < 6; ++i)
            addMarkArea("imgPGreen", i, GreenMarkTops[i]);
    }

    void addMark(const char *name, int i, int top)
    {
        addShape(name, i, nullptr, ShapeType::Circle, {MarkLefts[i], top, MarkDiameter, MarkDiameter},
                 2, true);
    }

    // A click area is centred over its mark and somewhat larger than it.
    void addMarkArea(const char *name, int i, int markTop)
    {
        const int left = MarkLefts[i] - (MarkAreaWidth - MarkDiameter) / 2;
        const int top = markTop - (MarkAreaHeight - MarkDiameter) / 2;
        addImage(name, i, nullptr, {left, top, MarkAreaWidth, MarkAreaHeight});
    }

    QWidget *m_window;
    ControlLayer &m_layer;
};

} // namespace

void buildScoreBoard(QWidget *window, ControlLayer &layer)
{
    Builder(window, layer).build();
}
