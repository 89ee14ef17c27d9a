// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"
#include "record/journalformat.h"

#include <QFile>
#include <QLockFile>
#include <QObject>

#include <functional>
#include <memory>

class JournalSync;
class TimeSource;

// Writes the current game's events to its journal: each line handed to
// the system at once, on the caller's thread; the file synced to disk at
// most once a second on a thread of its own, so a slow or sleeping disk
// never holds up the clocks' tick, and a power cut loses at most the last
// second. Closing the game and destroying the journal wait for the last
// sync. One program at a time records in a folder; a failure to write or
// to sync stops the record, never the board.
class Journal : public QObject
{
    Q_OBJECT

public:
    // `$XDG_STATE_HOME/Vantrell/games`, `~/.local/state/Vantrell/games` by
    // default.
    static QString defaultFolder();
    // Puts what was written to a file descriptor on the disk; false when
    // the disk refused it. Called on the journal's sync thread; fdatasync
    // unless another is handed in (a test's slow or failing disk).
    using DiskSync = std::function<bool(int descriptor)>;

    Journal(const QString &folder, const TimeSource &time, QObject *parent = nullptr);
    Journal(const QString &folder, const TimeSource &time, DiskSync diskSync,
            QObject *parent = nullptr);
    ~Journal() override;

    QString folder() const { return m_folder; }
    // Takes the folder for this program. False when another running copy
    // holds it: this one then records nothing and touches no journal.
    bool claim();
    bool recording() const { return m_claimed && !m_failed; }
    // The file of the game being written; empty until its first change and
    // once it is closed.
    QString currentFile() const { return m_file.isOpen() ? m_file.fileName() : QString(); }

    // Goes on writing an earlier game's journal.
    bool continueFile(const QString &path);
    void append(const GameEvent &event);
    // Marks the game closed, with the game whole; the next change starts a
    // new journal.
    void close(const GameSnapshot &game);
    // The operator began a new game: this one is closed as one never to be
    // offered again, however it stood.
    void endGame(const GameSnapshot &game);
    // Marks an earlier game as one the operator chose not to resume.
    void setAside(const QString &path, const GameSnapshot &game);

    JournalFormat::Stamp stamp() const;

signals:
    // Once, when the game stops being recorded.
    void failed(const QString &reason);

private:
    bool startFile();
    void closeAs(const QString &ending, const GameSnapshot &game);
    bool opened();
    void write(const QByteArray &line);
    void syncAndWait();
    void fail(const QString &reason);

    QString m_folder;
    const TimeSource &m_time;
    std::unique_ptr<QLockFile> m_lock;
    // Touched on the caller's thread only; the sync thread has a
    // descriptor of its own.
    QFile m_file;
    std::unique_ptr<JournalSync> m_sync;
    bool m_claimed = false;
    bool m_failed = false;
};
