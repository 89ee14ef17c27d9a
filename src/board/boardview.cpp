// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardview.h"

#include "board/fitpicture.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/modcolor.h"
#include "board/picturebox.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "game/game.h"
#include "input/modgrabkeys.h"
#include "settings/colors.h"
#include "settings/settingsrecord.h"

#include <QWidget>

namespace {

constexpr qint32 MarkRed = Colors::Red;
constexpr qint32 MarkGreen = Colors::Green;

// The penalty clocks in count-slot order: home 1, home 2, visitor 1,
// visitor 2, home 3, visitor 3.
constexpr NumberBox ScoreBoardControls::*PenaltyBySlot[] = {
    nullptr,
    &ScoreBoardControls::homePenalty1,
    &ScoreBoardControls::homePenalty2,
    &ScoreBoardControls::visitorPenalty1,
    &ScoreBoardControls::visitorPenalty2,
    &ScoreBoardControls::homePenalty3,
    &ScoreBoardControls::visitorPenalty3,
};

} // namespace

// The view shows the game's figures as they change; the game starts with
// scores of 0 (a blank tens figure), blank penalty clocks, and a shot
// clock that shows nothing until the first tick.
BoardView::BoardView(QWidget &window, const Game &game)
    : m_window(window)
    , m_game(game)
    , m_strip(window, game)
{
    m_controls = buildScoreBoard(&window, m_layer);
    const ScoreBoardControls &c = m_controls;
    m_figures[size_t(FigureRowId::GameClock)] = c.gameClock.figures;
    m_figures[size_t(FigureRowId::ShotClock)] = c.shotClock.figures;
    m_figures[size_t(FigureRowId::HomeScore)] = c.homeScore.figures;
    m_figures[size_t(FigureRowId::VisitorScore)] = c.visitorScore.figures;
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        m_figures[size_t(slot)] = penaltyClock(slot).figures;
    for (int row = 0; row < FigureRowCount; ++row) {
        const FigureRow &figures = m_game.row(FigureRowId(row));
        for (int i = 0; i < figures.count(); ++i)
            showFigure(FigureRowId(row), i, figures.caption(i));
    }
    connect(&game, &Game::figureChanged, this, &BoardView::showFigure);
    connect(&game, &Game::colonChanged, this, &BoardView::showColonDot);
    connect(&game, &Game::lampChanged, this, &BoardView::showLamp);
    connect(&game, &Game::marksChanged, this, &BoardView::showMarks);
    connect(&game, &Game::penaltyColonsChanged, this, &BoardView::showPenaltyColons);
    connect(&m_strip, &MatchStripView::shownChanged, this, [this] {
        stretch();
        emit restretched();
    });
}

void BoardView::stretch()
{
    const QSize window = modStretch::windowTwips(m_window);
    const int band = m_strip.bandTwips(window.height());
    modStretch::StretchLayout(m_window, m_layout, window - QSize(0, band));
    m_strip.place(window, fontSize(MatchStripView::BasePoints));
}

const NumberBox &BoardView::penaltyClock(qint16 slot) const
{
    return m_controls.*PenaltyBySlot[slot];
}

void BoardView::recordLayout()
{
    m_layout = modStretch::RecordLayout(m_window, m_layer);
}

void BoardView::applySettings()
{
    showLabels();
    showColors();
    recordLayout();
}

void BoardView::showFigure(FigureRowId row, int index, int caption)
{
    const QList<Segmora *> &figures = m_figures[size_t(row)];
    if (index >= 0 && index < figures.size())
        figures[index]->setCaption(caption);
}

// A lit dot takes the border colour, a dark one the LED background.
void BoardView::showColonDot(FigureRowId clock, int dot, bool lit)
{
    const NumberBox &box =
        clock == FigureRowId::ShotClock ? m_controls.shotClock : m_controls.gameClock;
    const SettingsRecord &settings = settingsRecord();
    if (ShapeControl *shape = box.colon[size_t(dot & 1)])
        shape->setFillColor(lit ? settings.BorderColor : settings.LEDBack);
}

void BoardView::showMarks()
{
    const SettingsRecord &settings = settingsRecord();
    for (int i = 0; i < PenaltyMarkCount; ++i) {
        ShapeControl *red = m_controls.redMarks[size_t(i)];
        ShapeControl *green = m_controls.greenMarks[size_t(i)];
        const MarkState state = m_game.mark(i);
        red->setFillColor(state == MarkState::Red ? MarkRed : settings.FormBack);
        green->setFillColor(state == MarkState::Green ? MarkGreen : settings.FormBack);
        red->setBorderColor(settings.LEDBack);
        green->setBorderColor(settings.LEDBack);
    }
}

// A blank penalty clock shows no colon: its dots take the LED background.
void BoardView::showPenaltyColons()
{
    const SettingsRecord &settings = settingsRecord();
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot;
         ++slot) {
        const bool shown = m_game.penaltyRow(slot).shows(0);
        for (ShapeControl *dot : penaltyClock(slot).colon)
            dot->setFillColor(shown ? settings.BorderColor : settings.LEDBack);
    }
}

void BoardView::showLamp()
{
    const SettingsRecord &settings = settingsRecord();
    ShapeControl *home = m_controls.homeLamp;
    ShapeControl *visitor = m_controls.visitorLamp;
    home->setFillColor(m_game.lamp() == GoalLamp::Home ? settings.ScoreColor : settings.FormBack);
    visitor->setFillColor(m_game.lamp() == GoalLamp::Visitor ? settings.ScoreColor
                                                             : settings.FormBack);
    home->setBorderColor(settings.LEDBack);
    visitor->setBorderColor(settings.LEDBack);
}

void BoardView::showColors()
{
    const SettingsRecord &settings = settingsRecord();
    QPalette windowPalette = m_window.palette();
    windowPalette.setColor(QPalette::Window, toQColor(settings.FormBack));
    m_window.setPalette(windowPalette);
    m_window.update();

    const ScoreBoardControls &c = m_controls;
    modColor::ColorLedSet(c.gameClock.figures, settings.TimeColor);
    modColor::ColorLedSet(c.shotClock.figures, settings.TimeColor);
    modColor::ColorLedSet(c.homeScore.figures, settings.ScoreColor);
    modColor::ColorLedSet(c.visitorScore.figures, settings.ScoreColor);
    for (const NumberBox *penalty : {&c.homePenalty1, &c.homePenalty2, &c.homePenalty3,
                                     &c.visitorPenalty1, &c.visitorPenalty2, &c.visitorPenalty3})
        modColor::ColorLedSet(penalty->figures, settings.TimeColor);

    QList<BoardControl *> exclusions(c.redMarks.cbegin(), c.redMarks.cend());
    exclusions += QList<BoardControl *>(c.greenMarks.cbegin(), c.greenMarks.cend());
    exclusions += {c.homeName,    c.visitorName,    c.clockFrame, c.boardFrame,
                   c.homeNameBox, c.visitorNameBox, c.pictureBox};
    modColor::ColorOtherControls(m_layer, exclusions);

    c.homeName->setForeColor(settings.HomeColor);
    c.visitorName->setForeColor(settings.VisitorColor);
    c.clockFrame->setBorderColor(settings.BorderColor);
    c.boardFrame->setBorderColor(settings.BorderColor);
    for (PictureBox *box : {c.homeNameBox, c.visitorNameBox, c.pictureBox})
        box->setBackColor(settings.FormBack);
    c.highlight->setFillColor(settings.LEDSelected);
    c.goalBox->setBackColor(settings.FormBack);

    for (FigureRowId clock : {FigureRowId::GameClock, FigureRowId::ShotClock}) {
        for (int dot = 0; dot < 2; ++dot)
            showColonDot(clock, dot, m_game.colon(clock).lit(dot));
    }
    showLamp();
    showPenaltyColons();
    showMarks();
    m_strip.showColors();
}

void BoardView::showLabels()
{
    const SettingsRecord &settings = settingsRecord();
    const qint16 teamSize = teamNameSize(settings);
    m_labelsOuter = modStretch::outerTwips(m_window);
    const double size = qBound(1, modStretch::roundHalfEven(fontSize(teamSize)), 32767);
    const struct
    {
        LabelControl *label;
        const PictureBox *box;
        const QString &text;
    } names[] = {{m_controls.homeName, m_controls.homeNameBox, settings.HomeText},
                 {m_controls.visitorName, m_controls.visitorNameBox, settings.VisitorText}};
    for (const auto &name : names) {
        name.label->setCaption(name.text);
        name.label->setFontSize(size);
    }
    for (const auto &name : names) {
        name.label->setTwipTop(name.box->twipHeight() / 2 - name.label->twipHeight() / 2);
        name.label->setTwipLeft(name.box->twipWidth() / 2 - name.label->twipWidth() / 2);
    }
    modGrabKeys::FitPicture(*m_controls.picture, *m_controls.pictureBox, settings.BoardPic);
    modStretch::SetLedType(m_layer, Segmora::ledStyleFor(settings.LEDType));
}

double BoardView::fontSize(qint16 baseSize) const
{
    return modStretch::scaledFontSize(baseSize, modStretch::outerTwips(m_window));
}
