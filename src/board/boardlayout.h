// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <array>

class ControlLayer;
class ImageControl;
class LabelControl;
class PictureBox;
class QWidget;
class Segmora;
class ShapeControl;

// The board's design client area, in twips.
constexpr int BoardDesignWidth = 9480;
constexpr int BoardDesignHeight = 6795;

// The penalty marks of each colour: home 1, 2, 3, then visitor 1, 2, 3.
constexpr int PenaltyMarkCount = 6;

// A box that shows a number: the field, its figures in set order and, on
// the clocks, the two dots of its colon.
struct NumberBox
{
    PictureBox *box = nullptr;
    QList<Segmora *> figures;
    std::array<ShapeControl *, 2> colon{};
};

// Typed handles to the board's controls, as the builder made them. Each
// control keeps its object name as well, for the walks over the control
// layer (the layout record, the colours) and for whoever reads the board.
struct ScoreBoardControls
{
    NumberBox gameClock; // TimeBack, pledTime, Shape2
    NumberBox shotClock; // ShotClockBack, pledShot, Shape4
    NumberBox homeScore; // HomeBack, pledHome
    NumberBox visitorScore; // VisitorBack, pledVisitor
    NumberBox homePenalty1; // PenaltyTH1, pledPenaltyTH1, dotPenaltyTH1
    NumberBox homePenalty2;
    NumberBox homePenalty3;
    NumberBox visitorPenalty1; // PenaltyTV1, pledPenaltyTV1, dotPenaltyTV1
    NumberBox visitorPenalty2;
    NumberBox visitorPenalty3;

    PictureBox *goalBox = nullptr; // picGoalBack
    ShapeControl *homeLamp = nullptr; // shpGoalH
    ShapeControl *visitorLamp = nullptr; // shpGoalV
    ImageControl *homeLampArea = nullptr; // imgGoalCoverH
    ImageControl *visitorLampArea = nullptr; // imgGoalCoverV
    LabelControl *goalCaption = nullptr; // lblGoalH

    PictureBox *homeNameBox = nullptr; // picHomeContainer
    LabelControl *homeName = nullptr; // lblHome
    PictureBox *visitorNameBox = nullptr; // picVisitorContainer
    LabelControl *visitorName = nullptr; // lblVisitor
    PictureBox *pictureBox = nullptr; // picBoardPicContainer
    ImageControl *picture = nullptr; // imgBoardPic

    LabelControl *homePenaltyCaption = nullptr; // lblPPH
    LabelControl *visitorPenaltyCaption = nullptr; // lblPPV
    std::array<ShapeControl *, PenaltyMarkCount> redMarks{}; // shpPenaltyR
    std::array<ShapeControl *, PenaltyMarkCount> greenMarks{}; // shpPenaltyG
    std::array<ImageControl *, PenaltyMarkCount> redMarkAreas{}; // imgPRed
    std::array<ImageControl *, PenaltyMarkCount> greenMarkAreas{}; // imgPGreen

    ShapeControl *highlight = nullptr; // shpObjectSelected
    ShapeControl *boardFrame = nullptr; // Shape3
    ShapeControl *clockFrame = nullptr; // Shape1
    LabelControl *credit = nullptr; // lblCreatedBy
};

// Creates every control of the scoreboard at its design place, in the one
// fixed order that walks over the board follow: boxes, figure sets with
// their colons, the goal box with its lamps, click areas and caption, the
// name boxes, the picture box, the penalty captions, the penalty marks with
// their click areas, the selection highlight, the frames, the credit line.
ScoreBoardControls buildScoreBoard(QWidget *window, ControlLayer &layer);
