// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchstate.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>

class Game;
class LabelControl;
class PictureBox;
class QWidget;
struct GameEvent;

// The match's line along the bottom of a board: a band below the board's
// controls, in the LED background, with the strip's words across it, or for
// a few seconds the reason a lamp or a timeout gave nothing. With no match
// the band takes no room and the board is laid out as it always was. The
// band and its text are not in the board's control layer: the walks over
// the board's controls, its layout record and its layout for the feed's
// pages stay as they are.
class MatchStripView : public QObject
{
    Q_OBJECT

public:
    // How long a refusal stands in the strip's place.
    static constexpr int RefusalMs = 4000;
    // The band's share of the window's height while it shows.
    static constexpr double BandShare = 0.12;
    // The words' size in points on a board of the design size; they grow
    // with the window as the team names do, and shrink to fit the band.
    static constexpr qint16 BasePoints = 18;

    MatchStripView(QWidget &window, const Game &game);

    bool shown() const { return m_shown; }
    QString text() const;
    // The band's height in twips for a window of this height; 0 with no
    // match.
    int bandTwips(int windowHeight) const;
    // Places the band under a window of this size in twips, its words at
    // most `points` large.
    void place(const QSize &windowTwips, double points);
    void showColors();
    // The reason a lamp or a timeout of `team` (1 home, 2 visitor) gave
    // nothing, in the strip's place for a while: the operator's board shows
    // it, the audience's does not.
    void showRefusal(MatchRefusal why, int team);

    // Whether a change alters what the strip says: the match, its format,
    // the scores or the team names; a clock's run never does.
    static bool touches(const GameEvent &event);

signals:
    // The band came or went: the board is laid out again.
    void shownChanged();

private:
    void refresh();
    void fitText();

    QWidget &m_window;
    const Game &m_game;
    PictureBox *m_band;
    LabelControl *m_words;
    QTimer m_refusal;
    QString m_refusalText;
    QString m_stripText;
    bool m_shown = false;
    double m_points = BasePoints;
};
