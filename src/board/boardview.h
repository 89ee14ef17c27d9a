// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardlayout.h"
#include "board/controllayer.h"
#include "board/matchstripview.h"
#include "board/modstretch.h"
#include "game/gamestate.h"

#include <QObject>
#include <QSize>

#include <array>

class Game;
class QWidget;

// The board's controls in one window, showing one game as it changes: the
// figures, the colons, the lamps, the marks, the names, the picture, the
// colours and the LED style. The operator's board and the audience window
// each have one over the same game, so both show the same figures in the
// same tick.
class BoardView : public QObject
{
    Q_OBJECT

public:
    BoardView(QWidget &window, const Game &game);

    const ControlLayer &layer() const { return m_layer; }
    const ScoreBoardControls &controls() const { return m_controls; }
    // The layout as last recorded: the reference of every stretch.
    const modStretch::LayoutRecord &layout() const { return m_layout; }

    // Takes the controls' present places as the layout's reference.
    void recordLayout();
    // Takes up the settings again: the names, the picture, the colours, the
    // LED style, and the places they make as the layout's reference.
    void applySettings();
    // Places every control for the window's present size: the board above
    // the match's strip, which takes no room with no match.
    void stretch();
    MatchStripView &strip() { return m_strip; }
    const MatchStripView &strip() const { return m_strip; }

    // The settings' colours on the window and every control.
    void showColors();
    // The team names and their size, the picture and the LED style.
    void showLabels();
    // True when the window's outer size changed since the names were sized.
    bool labelsOutdated() const { return modStretch::outerTwips(m_window) != m_labelsOuter; }
    // A font size that grows with the window.
    double fontSize(qint16 baseSize) const;

    void showMarks();
    void showPenaltyColons();
    void showLamp();

    // The penalty clock that runs on count slot 1 to 6.
    const NumberBox &penaltyClock(qint16 slot) const;

signals:
    // The board was laid out again for the strip that came or went.
    void restretched();

private:
    void showFigure(FigureRowId row, int index, int caption);
    void showColonDot(FigureRowId clock, int dot, bool lit);

    QWidget &m_window;
    const Game &m_game;
    ControlLayer m_layer;
    ScoreBoardControls m_controls;
    modStretch::LayoutRecord m_layout;
    std::array<QList<Segmora *>, FigureRowCount> m_figures;
    MatchStripView m_strip;
    // The outer size the names were last sized for, in twips.
    QSize m_labelsOuter;
};
