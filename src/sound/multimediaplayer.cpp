// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/multimediaplayer.h"

#include "sound/wavduration.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

MultimediaPlayer::MultimediaPlayer(QObject *parent)
    : SoundPlayer(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &MultimediaPlayer::finish);
}

MultimediaPlayer::~MultimediaPlayer() = default;

void MultimediaPlayer::open()
{
    m_durationMs = -1;
    if (m_fileName.isEmpty() || !QFileInfo(m_fileName).isFile())
        return;
    m_durationMs = wavFileDurationMs(m_fileName).value_or(-1);
    if (m_durationMs < 0)
        return;
    // Made on first use, so a board without sounds never starts the audio
    // back end.
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        connect(m_effect.get(), &QSoundEffect::playingChanged, this,
                &MultimediaPlayer::effectPlayingChanged);
        connect(m_effect.get(), &QSoundEffect::statusChanged, this,
                &MultimediaPlayer::effectStatusChanged);
    }
    m_effect->setSource(QUrl::fromLocalFile(QFileInfo(m_fileName).absoluteFilePath()));
}

void MultimediaPlayer::play()
{
    if (m_playing)
        return;
    m_playing = true;
    if (!m_effect || m_durationMs < 0 || m_effect->source().isEmpty() ||
        m_effect->status() == QSoundEffect::Error) {
        finishSoon();
        return;
    }
    m_deadline.start(int(qMin<qint64>(m_durationMs, 10 * 60 * 1000)) + EndMarginMs);
    m_effect->play();
}

void MultimediaPlayer::stop()
{
    if (m_effect)
        m_effect->stop();
    finish();
}

// Every play starts from the beginning of the sound, so there is nothing to
// wind back.
void MultimediaPlayer::prev()
{
}

void MultimediaPlayer::close()
{
    if (m_effect) {
        m_effect->stop();
        m_effect->setSource(QUrl());
    }
    m_durationMs = -1;
    finish();
}

void MultimediaPlayer::effectPlayingChanged()
{
    if (m_playing && !m_effect->isPlaying() && m_effect->status() != QSoundEffect::Loading)
        finish();
}

void MultimediaPlayer::effectStatusChanged()
{
    if (m_playing && m_effect->status() == QSoundEffect::Error)
        finish();
}

void MultimediaPlayer::finish()
{
    if (!m_playing)
        return;
    m_playing = false;
    m_deadline.stop();
    emit finished();
}

// Reported from the event loop, as a real end would be, so the caller has
// finished starting the playback before it hears of its end.
void MultimediaPlayer::finishSoon()
{
    QTimer::singleShot(0, this, &MultimediaPlayer::finish);
}
