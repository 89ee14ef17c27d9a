// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audience/intermission.h"

#include <QTimer>
#include <QWidget>

#include <array>

class EventDay;
class Game;
class QLabel;
class Segmora;

// The day on the crowd's screen while no match is under way: the last
// result, the next match with its field and start, and the countdown to it
// in the board's LED figures; at times the standings instead. It covers the
// audience window's board and shows itself only between matches, so during
// a match the crowd sees the board as always.
class IntermissionPanel : public QWidget
{
    Q_OBJECT

public:
    // The countdown's figures, "HH:MM:SS" at most.
    static constexpr int FigureCount = 6;
    // The countdown's figures' height, and their top, as shares of the
    // panel's height.
    static constexpr double FigureShare = 0.26;
    static constexpr double FigureTop = 0.62;

    IntermissionPanel(const EventDay &event, const Game &game, QWidget &window);

    const IntermissionScreen &screen() const { return m_screen; }
    // Takes up the settings' colours and LED style.
    void applySettings();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Words
    {
        QLabel *lastCaption;
        QLabel *last;
        QLabel *nextCaption;
        QLabel *teams;
        QLabel *where;
        QLabel *startsIn;
        QLabel *standings;
    };

    // Shown or hidden as the day and the game stand, and brought up to the
    // wall clock's present second.
    void refresh();
    void showScreen();
    void showCountdown();
    void placeWords();
    void placeFigures();
    void tickAtNextSecond();
    QLabel *addLabel();

    const EventDay &m_event;
    const Game &m_game;
    bool m_betweenMatches = false;
    // The words and figures are to be shown afresh at the next refresh.
    bool m_stale = true;
    IntermissionScreen m_screen;
    Words m_words{};
    std::array<Segmora *, FigureCount> m_figures{};
    // Where each colon's dots go, after the figure of that index.
    QList<int> m_colonsAfter;
    int m_shownFigures = 0;
    // The group and the height the standings' table was built for.
    int m_tableGroup = -1;
    int m_tableHeight = -1;
    QTimer m_second;
};
