// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/frmscoreboard.h"

#include "board/modstretch.h"
#include "board/screenfit.h"
#include "input/modgrabkeys.h"
#include "settings/settingsrecord.h"
#include "sound/soundplayer.h"

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

frmScoreBoard::frmScoreBoard(QWidget *parent, const PlayerFactory &makePlayer)
    : QWidget(parent)
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

void frmScoreBoard::connectGame()
{
    connect(&m_game, &Game::buzzerSounded, this, &frmScoreBoard::Buzzer);
    connect(&m_game, &Game::hornSounded, this, &frmScoreBoard::Horn);
    connect(&m_game, &Game::tickWanted, this, &frmScoreBoard::enableTick);
}

void frmScoreBoard::load()
{
    applySettings();
    openSounds();
    m_game.startUp();
    m_tick.start();
}

void frmScoreBoard::applySettings()
{
    m_view.applySettings();
    UpdateNumLock();
}

void frmScoreBoard::enableTick()
{
    if (!m_tick.isActive())
        m_tick.start();
}

void frmScoreBoard::UpdatePenaltyColonColors()
{
    m_view.showPenaltyColons();
}

void frmScoreBoard::UpdateFormColors()
{
    m_view.showColors();
}

void frmScoreBoard::UpdateLabels()
{
    m_view.showLabels();
}

double frmScoreBoard::RSize(qint16 baseSize) const
{
    return m_view.fontSize(baseSize);
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
