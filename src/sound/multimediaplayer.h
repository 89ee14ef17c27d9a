// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/soundplayer.h"

#include <QTimer>

#include <memory>

class QSoundEffect;

// A WAV player on Qt Multimedia. QSoundEffect never reports the end of a
// sound where no audio device takes it, so each playback also runs against
// a deadline of the file's own length plus a margin.
class MultimediaPlayer : public SoundPlayer
{
    Q_OBJECT

public:
    static constexpr int EndMarginMs = 2000;

    explicit MultimediaPlayer(QObject *parent = nullptr);
    ~MultimediaPlayer() override;

    QString fileName() const override { return m_fileName; }
    void setFileName(const QString &fileName) override { m_fileName = fileName; }
    void open() override;
    void play() override;
    void stop() override;
    void prev() override;
    void close() override;

    bool isPlaying() const { return m_playing; }

private:
    void effectPlayingChanged();
    void effectStatusChanged();
    void finish();
    void finishSoon();

    QString m_fileName;
    std::unique_ptr<QSoundEffect> m_effect;
    qint64 m_durationMs = -1;
    bool m_playing = false;
    QTimer m_deadline;
};
