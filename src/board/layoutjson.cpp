// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/layoutjson.h"

#include "board/boardlayout.h"
#include "board/controllayer.h"
#include "board/labelcontrol.h"
#include "board/modstretch.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "board/segmorageometry.h"
#include "board/shapecontrol.h"
#include "settings/units.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

#include <algorithm>

namespace {

const char *const ShapeNames[] = {"rectangle", "oval", "circle", "rounded"};

// The control's place in the client area: a control inside a box is placed
// from the box's corner.
QJsonObject place(const BoardControl &control, const QWidget &window)
{
    double left = control.twipLeft();
    double top = control.twipTop();
    for (auto *box = qobject_cast<const BoardControl *>(control.parentWidget());
         box && box != &window; box = qobject_cast<const BoardControl *>(box->parentWidget())) {
        left += box->twipLeft();
        top += box->twipTop();
    }
    return {{"x", left}, {"y", top}, {"w", control.twipWidth()}, {"h", control.twipHeight()}};
}

QJsonObject with(QJsonObject object, std::initializer_list<std::pair<QString, QJsonValue>> more)
{
    for (const auto &[key, value] : more)
        object.insert(key, value);
    return object;
}

QJsonObject shape(const ShapeControl &control, const QWidget &window, const QString &type)
{
    return with(place(control, window),
                {{"type", type},
                 {"shape", ShapeNames[int(control.shapeType())]},
                 {"border", control.borderWidth()}});
}

// A set's figures from the leftmost, whatever order the set keeps them in.
void addNumberBox(QJsonArray &items, const NumberBox &box, const QString &shows,
                  const QWidget &window)
{
    items.append(with(place(*box.box, window), {{"type", "led"}, {"shows", shows}}));
    QList<Segmora *> figures = box.figures;
    std::sort(figures.begin(), figures.end(),
              [](const Segmora *a, const Segmora *b) { return a->twipLeft() < b->twipLeft(); });
    for (int i = 0; i < figures.size(); ++i) {
        items.append(with(
            place(*figures[i], window),
            {{"type", "figure"}, {"shows", shows}, {"at", i}, {"size", figures[i]->ledSize()}}));
    }
    for (int dot = 0; dot < 2; ++dot) {
        if (box.colon[dot])
            items.append(
                with(shape(*box.colon[dot], window, "colon"), {{"shows", shows}, {"at", dot}}));
    }
}

void addLabel(QJsonArray &items, const LabelControl &label, const QWidget &window)
{
    items.append(
        with(place(label, window),
             {{"type", "label"}, {"text", label.caption()}, {"points", label.fontSize()}}));
}

void addMarks(QJsonArray &items, const ScoreBoardControls &c, const QWidget &window)
{
    for (int i = 0; i < PenaltyMarkCount; ++i) {
        const QJsonObject where{{"team", i < 3 ? "home" : "visitor"}, {"at", i % 3}};
        for (const auto &[mark, colour] :
             {std::pair{c.redMarks[i], "red"}, {c.greenMarks[i], "green"}}) {
            QJsonObject item = shape(*mark, window, "mark");
            item.insert("team", where["team"]);
            item.insert("at", where["at"]);
            item.insert("lamp", colour);
            items.append(item);
        }
    }
}

// The LED figure as Segmora draws it, for pages to draw the same figure.
QJsonObject figureGeometry()
{
    using namespace SegmoraGeometry;
    QJsonArray digits;
    for (const quint8 segments : DigitSegments)
        digits.append(segments);
    QJsonArray lines;
    for (const CentreLine &line : CentreLines)
        lines.append(QJsonArray{line.x0, line.y0, line.x1, line.y1});
    return {{"digitSegments", digits},          {"centreLines", lines},
            {"thickness", Thickness},           {"gap", Gap},
            {"sampleRadius", SampleRadius},     {"ghostShare", GhostShare},
            {"dotsPerSegment", DotsPerSegment}, {"widthPercent", WidthPercent}};
}

// The numbers of the board's stretch: the units, the frame about the client
// area, and the outer size at which a font has its base size.
QJsonObject stretchRule()
{
    return {{"twipsPerPixel", TwipsPerPixel},
            {"twipsPerPoint", TwipsPerPoint},
            {"frameWidth", modStretch::DesignFrameWidth},
            {"frameHeight", modStretch::DesignFrameHeight},
            {"fontWidth", modStretch::FontDesignWidth},
            {"fontHeight", modStretch::FontDesignHeight}};
}

} // namespace

QByteArray boardLayoutJson()
{
    QWidget window;
    ControlLayer layer;
    const ScoreBoardControls c = buildScoreBoard(&window, layer);
    QJsonArray items;
    const std::pair<const NumberBox *, const char *> numbers[] = {
        {&c.gameClock, "gameClock"},
        {&c.shotClock, "shotClock"},
        {&c.homeScore, "home.score"},
        {&c.visitorScore, "visitor.score"},
        {&c.homePenalty1, "home.penalty.0"},
        {&c.homePenalty2, "home.penalty.1"},
        {&c.homePenalty3, "home.penalty.2"},
        {&c.visitorPenalty1, "visitor.penalty.0"},
        {&c.visitorPenalty2, "visitor.penalty.1"},
        {&c.visitorPenalty3, "visitor.penalty.2"},
    };
    for (const auto &[box, shows] : numbers)
        addNumberBox(items, *box, QString::fromLatin1(shows), window);
    items.append(with(shape(*c.homeLamp, window, "lamp"), {{"team", "home"}}));
    items.append(with(shape(*c.visitorLamp, window, "lamp"), {{"team", "visitor"}}));
    items.append(with(place(*c.homeNameBox, window), {{"type", "name"}, {"team", "home"}}));
    items.append(with(place(*c.visitorNameBox, window), {{"type", "name"}, {"team", "visitor"}}));
    for (const LabelControl *label :
         {c.goalCaption, c.homePenaltyCaption, c.visitorPenaltyCaption, c.credit})
        addLabel(items, *label, window);
    addMarks(items, c, window);
    items.append(shape(*c.boardFrame, window, "frame"));
    items.append(shape(*c.clockFrame, window, "frame"));
    const QJsonObject layout{{"width", BoardDesignWidth},
                             {"height", BoardDesignHeight},
                             {"items", items},
                             {"figure", figureGeometry()},
                             {"stretch", stretchRule()}};
    return QJsonDocument(layout).toJson(QJsonDocument::Compact);
}
