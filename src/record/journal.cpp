// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/journal.h"

#include "settings/settingsrecord.h"
#include "timing/timesource.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int SyncIntervalMs = 1000;
const QString LockName = QStringLiteral("recording.lock");

QString fileNameFor(const QDateTime &start)
{
    return start.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".jsonl");
}

} // namespace

QString Journal::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Vantrell/games");
}

Journal::Journal(const QString &folder, const TimeSource &time, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
    , m_time(time)
{
    m_syncTimer.setSingleShot(true);
    connect(&m_syncTimer, &QTimer::timeout, this, &Journal::sync);
    m_sinceSync.start();
}

Journal::~Journal()
{
    sync();
}

bool Journal::claim()
{
    if (!QDir().mkpath(m_folder)) {
        m_claimed = true;
        fail(tr("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_folder)));
        return true;
    }
    m_lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(LockName));
    // Only a lock whose program is gone is stale, however old it is.
    m_lock->setStaleLockTime(0);
    m_claimed = m_lock->tryLock(0);
    if (!m_claimed && m_lock->error() != QLockFile::LockFailedError) {
        m_claimed = true;
        fail(tr("The lock file in %1 cannot be written.").arg(QDir::toNativeSeparators(m_folder)));
    }
    return m_claimed;
}

JournalFormat::Stamp Journal::stamp() const
{
    return JournalFormat::stampOf(m_time);
}

bool Journal::continueFile(const QString &path)
{
    if (!recording())
        return false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

bool Journal::startFile()
{
    const QDateTime start = m_time.wallNow();
    QString path = QDir(m_folder).filePath(fileNameFor(start));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(m_folder).filePath(fileNameFor(start).replace(
            QStringLiteral(".jsonl"), QStringLiteral("-%1.jsonl").arg(n)));
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        fail(m_file.errorString());
        return false;
    }
    const SettingsRecord &settings = settingsRecord();
    write(JournalFormat::headerLine(stamp(), settings.HomeText, settings.VisitorText));
    return recording();
}

void Journal::append(const GameEvent &event)
{
    if (!recording() || (!m_file.isOpen() && !startFile()))
        return;
    write(JournalFormat::eventLine(event, stamp()));
}

void Journal::close(const GameSnapshot &game)
{
    closeAs(JournalFormat::ClosedName, game);
}

void Journal::endGame(const GameSnapshot &game)
{
    closeAs(JournalFormat::SetAsideName, game);
}

void Journal::closeAs(const QString &ending, const GameSnapshot &game)
{
    if (!recording() || !m_file.isOpen())
        return;
    write(JournalFormat::stateLine(ending, game, stamp()));
    sync();
    m_file.close();
}

void Journal::setAside(const QString &path, const GameSnapshot &game)
{
    if (!recording())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        file.write(JournalFormat::stateLine(JournalFormat::SetAsideName, game, stamp())) < 0)
        fail(file.errorString());
}

void Journal::write(const QByteArray &line)
{
    if (m_file.write(line) != line.size() || !m_file.flush()) {
        fail(m_file.errorString());
        return;
    }
    scheduleSync();
}

void Journal::scheduleSync()
{
    if (m_syncTimer.isActive())
        return;
    m_syncTimer.start(qMax<qint64>(0, SyncIntervalMs - m_sinceSync.elapsed()));
}

void Journal::sync()
{
    m_syncTimer.stop();
    m_sinceSync.restart();
#ifdef Q_OS_UNIX
    if (m_file.isOpen() && ::fdatasync(m_file.handle()) != 0 && !m_failed)
        fail(tr("The journal cannot be written to disk."));
#endif
}

void Journal::fail(const QString &reason)
{
    if (m_failed)
        return;
    m_failed = true;
    m_file.close();
    emit failed(reason);
}
