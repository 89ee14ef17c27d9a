// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// A player for one WAV file, driven by commands: open the named file, play
// it from where it stands, stop, go back to the start, close.
//
// Every playback that play() starts is reported finished exactly once: at
// its real end, at once when the file cannot be played, when the player is
// closed in mid-playback, and at the latest a little after the file's own
// length, since a sound device that never reports the end must not keep the
// board believing a sound still plays.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QString fileName() const = 0;
    virtual void setFileName(const QString &fileName) = 0;
    virtual void open() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void prev() = 0;
    virtual void close() = 0;

signals:
    void finished();
};
