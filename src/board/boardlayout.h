#pragma once

class ControlLayer;
class QWidget;

// The board's design client area, in twips.
constexpr int BoardDesignWidth = 9480;
constexpr int BoardDesignHeight = 6795;

// Creates every control of the scoreboard at its design place, in the one
// fixed order that walks over the board follow: boxes, figure sets with
// their colons, the goal box with its lamps, click areas and caption, the
// name boxes, the picture box, the penalty captions, the penalty marks with
// their click areas, the selection highlight, the frames, the credit line.
void buildScoreBoard(QWidget *window, ControlLayer &layer);
