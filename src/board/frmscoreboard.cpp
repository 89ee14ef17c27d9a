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
    , m_engine(*this)
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
    connectDigits();
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

void frmScoreBoard::connectDigits()
{
    m_gameDigits = SegmoraDigits(m_controls.gameClock.figures);
    m_shotDigits = SegmoraDigits(m_controls.shotClock.figures);
    m_homeDigits = SegmoraDigits(m_controls.homeScore.figures);
    m_visitorDigits = SegmoraDigits(m_controls.visitorScore.figures);
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot)
        m_penaltyDigits[size_t(slot)] = SegmoraDigits(penaltyClock(slot).figures);
    m_gameColon = ShapeColon(m_controls.gameClock.colon[0], m_controls.gameClock.colon[1]);
    m_shotColon = ShapeColon(m_controls.shotClock.colon[0], m_controls.shotClock.colon[1]);

    // Scores read 0 (a blank tens figure), penalty clocks start blank and the
    // shot clock shows nothing until the first tick.
    for (SegmoraDigits *score : {&m_homeDigits, &m_visitorDigits}) {
        score->setCaption(0, 0);
        score->setCaption(1, -1);
    }
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot;
         ++slot) {
        for (int i = 0; i < m_penaltyDigits[size_t(slot)].count(); ++i)
            m_penaltyDigits[size_t(slot)].setCaption(i, -1);
    }
    for (int i = 0; i < m_shotDigits.count(); ++i)
        m_shotDigits.setCaption(i, -1);
}

void frmScoreBoard::load()
{
    UpdateLabels();
    UpdateFormColors();
    Penalty();
    UpdateNumLock();
    m_layout = modStretch::RecordLayout(*this, m_layer);
    openSounds();
    m_engine.startUp();
    m_tick.start();
}

DigitSet &frmScoreBoard::penaltyDigits(qint16 slot)
{
    return m_penaltyDigits[size_t(
        qBound<qint16>(ClockEngine::FirstPenaltySlot, slot, ClockEngine::LastPenaltySlot))];
}

void frmScoreBoard::enableTick()
{
    if (!m_tick.isActive())
        m_tick.start();
}

void frmScoreBoard::setPenaltyMark(int index, MarkState state)
{
    if (index < 0 || index >= MarkCount)
        return;
    m_penaltyMark[size_t(index)] = state;
    Penalty();
}

void frmScoreBoard::Penalty()
{
    const SettingsRecord &settings = settingsRecord();
    for (int i = 0; i < MarkCount; ++i) {
        ShapeControl *red = m_controls.redMarks[size_t(i)];
        ShapeControl *green = m_controls.greenMarks[size_t(i)];
        const MarkState state = m_penaltyMark[size_t(i)];
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
        const bool shown = m_penaltyDigits[size_t(slot)].shows(0);
        for (ShapeControl *dot : penaltyClock(slot).colon)
            dot->setFillColor(shown ? settings.BorderColor : settings.LEDBack);
    }
}

void frmScoreBoard::UpdateGoal()
{
    const SettingsRecord &settings = settingsRecord();
    ShapeControl *home = m_controls.homeLamp;
    ShapeControl *visitor = m_controls.visitorLamp;
    home->setFillColor(m_whoGoal == GoalLamp::Home ? settings.ScoreColor : settings.FormBack);
    visitor->setFillColor(m_whoGoal == GoalLamp::Visitor ? settings.ScoreColor : settings.FormBack);
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

    for (int i = 0; i < 4; ++i) {
        modColor::ColorLedSet(m_gameDigits.figures().at(i), settings.TimeColor);
        modColor::ColorLedSet(m_shotDigits.figures().at(i), settings.TimeColor);
    }
    modColor::ColorLedSet(m_homeDigits.figures(), settings.ScoreColor);
    modColor::ColorLedSet(m_visitorDigits.figures(), settings.ScoreColor);
    const ScoreBoardControls &c = m_controls;
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
    closeSounds();
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}
