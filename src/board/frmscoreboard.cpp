// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"

#include "board/modstretch.h"
#include "board/screenfit.h"
#include "input/modgrabkeys.h"
#include "settings/settingsrecord.h"
#include "sound/soundplayer.h"
#include "timing/tickplan.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>

namespace {

// The design frame as margins. Only its width and height are given: the
// sides and the bottom take an equal share, the title bar the rest.
QMargins designFrame()
{
    const int side = twipsToPixels(modStretch::DesignFrameWidth) / 2;
    return QMargins(side, twipsToPixels(modStretch::DesignFrameHeight) - side, side, side);
}

} // namespace

frmScoreBoard::frmScoreBoard(QWidget *parent, const PlayerFactory &makePlayer,
                             const TimeSource &time)
    : QWidget(parent)
    , m_game(time)
{
    mmcBuzzer = makePlayer();
    mmcHorn = makePlayer();
    connect(mmcBuzzer.get(), &SoundPlayer::finished, this, [this] { soundFinished(*mmcBuzzer); });
    connect(mmcHorn.get(), &SoundPlayer::finished, this, [this] { soundFinished(*mmcHorn); });

    setWindowTitle(QStringLiteral("Vantrell"));
    setAutoFillBackground(true);
    resize(twipsToPixels(BoardDesignWidth), twipsToPixels(BoardDesignHeight));
    connectGame();
    connectFields();

    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setInterval(int(TickPlan::IntervalMs));
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

void frmScoreBoard::connectGame()
{
    connect(&m_game, &Game::buzzerSounded, this, &frmScoreBoard::Buzzer);
    connect(&m_game, &Game::hornSounded, this, &frmScoreBoard::Horn);
    connect(&m_game, &Game::matchRefused, &m_view.strip(), &MatchStripView::showRefusal);
    // The strip came or went and the fields moved: the highlight follows.
    connect(&m_view, &BoardView::restretched, this, [this] { ObjectSelected(selectedField()); });
    m_game.setBeep(&QApplication::beep);
    const SettingsRecord &settings = settingsRecord();
    m_game.setTeamNames(settings.HomeText, settings.VisitorText);
}

void frmScoreBoard::load()
{
    applySettings();
    openSounds();
    m_game.startUp();
    m_tick.start();
    keepTickInStep();
}

void frmScoreBoard::applySettings()
{
    m_view.applySettings();
    UpdateNumLock();
}

void frmScoreBoard::ClockTick()
{
    m_game.tick();
    keepTickInStep();
}

// A timer set again costs more than one that runs on, so it is set only
// when the tick has come off the whole tenths, and once more when it is
// back on them.
void frmScoreBoard::keepTickInStep()
{
    const auto correction = TickPlan::stepCorrectionMs(steadyMs(m_game.time().steadyNow()));
    if (correction) {
        m_tick.start(*correction);
        m_tickRealigned = true;
    } else if (m_tickRealigned) {
        m_tick.start(int(TickPlan::IntervalMs));
        m_tickRealigned = false;
    }
}

void frmScoreBoard::UpdateFormColors()
{
    m_view.showColors();
}

void frmScoreBoard::UpdateLabels()
{
    m_view.showLabels();
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
