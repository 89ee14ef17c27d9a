// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"

#include "board/boardlayout.h"
#include "board/colorref.h"
#include "board/fitpicture.h"
#include "board/imagecontrol.h"
#include "board/labelcontrol.h"
#include "board/modcolor.h"
#include "board/modstretch.h"
#include "board/picturebox.h"
#include "board/screenfit.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "input/modgrabkeys.h"
#include "settings/colors.h"
#include "settings/settingsrecord.h"
#include "sound/multimediaplayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>

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

// The design frame as margins. Only its width and height are given: the
// sides and the bottom take an equal share, the title bar the rest.
QMargins designFrame()
{
    const int side = twipsToPixels(modStretch::DesignFrameWidth) / 2;
    return QMargins(side, twipsToPixels(modStretch::DesignFrameHeight) - side, side, side);
}

} // namespace

frmScoreBoard::frmScoreBoard(QWidget *parent, const PlayerFactory &makePlayer)
    : QWidget(parent)
{
    const PlayerFactory make = makePlayer ? makePlayer : [] {
        return std::unique_ptr<SoundPlayer>(std::make_unique<MultimediaPlayer>());
    };
    mmcBuzzer = make();
    mmcHorn = make();
    connect(mmcBuzzer.get(), &SoundPlayer::finished, this, [this] { soundFinished(*mmcBuzzer); });
    connect(mmcHorn.get(), &SoundPlayer::finished, this, [this] { soundFinished(*mmcHorn); });

    setWindowTitle(QStringLiteral("Vantrell"));
    setAutoFillBackground(true);
    resize(twipsToPixels(BoardDesignWidth), twipsToPixels(BoardDesignHeight));
    m_controls = buildScoreBoard(this, m_layer);
    connectGame();
    connectFields();

    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setInterval(100);
    connect(&m_tick, &QTimer::timeout, this, &frmScoreBoard::ClockTick);
    load();
    // Smaller than its design size where a small or scaled screen cannot
    // hold it; the window manager still chooses where it opens.
    if (const QScreen *onScreen = screen())
        resize(fitInside(geometry(), designFrame(), onScreen->availableGeometry()).size());
}

void frmScoreBoard::keepOnScreen(const QMargins &frame)
{
    const QScreen *onScreen = screen();
    if (!onScreen || isMaximized() || isFullScreen())
        return;
    const QRect fitted = fitInside(geometry(), frame, onScreen->availableGeometry());
    if (fitted != geometry())
        setGeometry(fitted);
}

const NumberBox &frmScoreBoard::penaltyClock(qint16 slot) const
{
    return m_controls.*PenaltyBySlot[slot];
}

// The board shows the game's figures as they change; the game starts with
// scores of 0 (a blank tens figure), blank penalty clocks, and a shot
// clock that shows nothing until the first tick.
void frmScoreBoard::connectGame()
{
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
    connect(&m_game, &Game::figureChanged, this, &frmScoreBoard::showFigure);
    connect(&m_game, &Game::colonChanged, this, &frmScoreBoard::showColonDot);
    connect(&m_game, &Game::lampChanged, this, &frmScoreBoard::UpdateGoal);
    connect(&m_game, &Game::marksChanged, this, &frmScoreBoard::Penalty);
    connect(&m_game, &Game::penaltyColonsChanged, this, &frmScoreBoard::UpdatePenaltyColonColors);
    connect(&m_game, &Game::buzzerSounded, this, &frmScoreBoard::Buzzer);
    connect(&m_game, &Game::hornSounded, this, &frmScoreBoard::Horn);
    connect(&m_game, &Game::tickWanted, this, &frmScoreBoard::enableTick);
}

void frmScoreBoard::showFigure(FigureRowId row, int index, int caption)
{
    const QList<Segmora *> &figures = m_figures[size_t(row)];
    if (index >= 0 && index < figures.size())
        figures[index]->setCaption(caption);
}

// A lit dot takes the border colour, a dark one the LED background.
void frmScoreBoard::showColonDot(FigureRowId clock, int dot, bool lit)
{
    const NumberBox &box =
        clock == FigureRowId::ShotClock ? m_controls.shotClock : m_controls.gameClock;
    const SettingsRecord &settings = settingsRecord();
    if (ShapeControl *shape = box.colon[size_t(dot & 1)])
        shape->setFillColor(lit ? settings.BorderColor : settings.LEDBack);
}

void frmScoreBoard::load()
{
    UpdateLabels();
    UpdateFormColors();
    Penalty();
    UpdateNumLock();
    m_layout = modStretch::RecordLayout(*this, m_layer);
    openSounds();
    m_game.startUp();
    m_tick.start();
}

void frmScoreBoard::enableTick()
{
    if (!m_tick.isActive())
        m_tick.start();
}

void frmScoreBoard::Penalty()
{
    const SettingsRecord &settings = settingsRecord();
    for (int i = 0; i < MarkCount; ++i) {
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
void frmScoreBoard::UpdatePenaltyColonColors()
{
    const SettingsRecord &settings = settingsRecord();
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot;
         ++slot) {
        const bool shown = m_game.penaltyRow(slot).shows(0);
        for (ShapeControl *dot : penaltyClock(slot).colon)
            dot->setFillColor(shown ? settings.BorderColor : settings.LEDBack);
    }
}

void frmScoreBoard::UpdateGoal()
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

void frmScoreBoard::UpdateFormColors()
{
    const SettingsRecord &settings = settingsRecord();
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, toQColor(settings.FormBack));
    setPalette(windowPalette);
    update();

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
    UpdateGoal();
    UpdatePenaltyColonColors();
    Penalty();
}

void frmScoreBoard::UpdateLabels()
{
    const SettingsRecord &settings = settingsRecord();
    const qint16 teamSize =
        qint16(qBound(qint64(1), settings.TeamSize.roundedSeconds(), qint64(32767)));
    m_labelsOuter = modStretch::outerTwips(*this);
    const double fontSize = qBound(1, modStretch::roundHalfEven(RSize(teamSize)), 32767);
    const struct
    {
        LabelControl *label;
        const PictureBox *box;
        const QString &text;
    } names[] = {{m_controls.homeName, m_controls.homeNameBox, settings.HomeText},
                 {m_controls.visitorName, m_controls.visitorNameBox, settings.VisitorText}};
    for (const auto &name : names) {
        name.label->setCaption(name.text);
        name.label->setFontSize(fontSize);
    }
    for (const auto &name : names) {
        name.label->setTwipTop(name.box->twipHeight() / 2 - name.label->twipHeight() / 2);
        name.label->setTwipLeft(name.box->twipWidth() / 2 - name.label->twipWidth() / 2);
    }
    modGrabKeys::FitPicture(*m_controls.picture, *m_controls.pictureBox, settings.BoardPic);
    modStretch::SetLedType(m_layer, Segmora::ledStyleFor(settings.LEDType));
}

double frmScoreBoard::RSize(qint16 baseSize) const
{
    return modStretch::scaledFontSize(baseSize, modStretch::outerTwips(*this));
}

void frmScoreBoard::UpdateNumLock()
{
    modGrabKeys::applyPolicy(settingsRecord().NumLockForce);
}

frmScoreBoard::~frmScoreBoard()
{
    // The players report their end into the board; they go first.
    mmcBuzzer.reset();
    mmcHorn.reset();
}

void frmScoreBoard::Buzzer()
{
    emit buzzerRequested();
    playOn(*mmcBuzzer);
}

void frmScoreBoard::Horn()
{
    emit hornRequested();
    playOn(*mmcHorn);
}

void frmScoreBoard::playOn(SoundPlayer &player)
{
    if (player.fileName().isEmpty() || m_buzzerPlaying)
        return;
    m_buzzerPlaying = true;
    player.play();
}

void frmScoreBoard::soundFinished(SoundPlayer &player)
{
    player.stop();
    player.prev();
    m_buzzerPlaying = false;
}

std::array<std::pair<SoundPlayer *, QString>, 2> frmScoreBoard::soundFiles() const
{
    const SettingsRecord &settings = settingsRecord();
    return {{{mmcBuzzer.get(), settings.BuzzerFile}, {mmcHorn.get(), settings.HornFile}}};
}

// A sound whose file is missing leaves its player without a file.
void frmScoreBoard::openSounds()
{
    for (const auto &[player, file] : soundFiles()) {
        if (file.isEmpty() || !QFileInfo::exists(file))
            continue;
        player->setFileName(file);
        player->open();
    }
}

// After the options dialog the players take their files as they now are,
// found or not.
void frmScoreBoard::reopenSounds()
{
    for (const auto &[player, file] : soundFiles()) {
        player->close();
        player->setFileName(file);
        player->open();
    }
}

void frmScoreBoard::closeSounds()
{
    for (SoundPlayer *player : {mmcBuzzer.get(), mmcHorn.get()}) {
        if (!player->fileName().isEmpty())
            player->close();
    }
}

// Closing the board ends the program, whatever other windows are open.
void frmScoreBoard::closeEvent(QCloseEvent *event)
{
    emit closing();
    closeSounds();
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}
