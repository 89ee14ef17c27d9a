// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/journal.h"

#include "settings/settingsrecord.h"
#include "timing/timesource.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#else
#include <io.h>
#endif

namespace {

constexpr std::chrono::milliseconds SyncInterval{1000};
const QString LockName = QStringLiteral("recording.lock");

#ifdef Q_OS_UNIX
int duplicate(int descriptor)
{
    return ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
}
void release(int descriptor)
{
    ::close(descriptor);
}
bool fileDataSync(int descriptor)
{
    return ::fdatasync(descriptor) == 0;
}
#else
int duplicate(int descriptor)
{
    return ::_dup(descriptor);
}
void release(int descriptor)
{
    ::_close(descriptor);
}
bool fileDataSync(int)
{
    return true;
}
#endif

QString fileNameFor(const QDateTime &start)
{
    return start.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".jsonl");
}

} // namespace

// Syncs the journal's file on a thread of its own, so that a disk that
// takes seconds to answer holds up no caller. A request only marks that a
// sync is wanted; the thread runs one at most once a second, and requests
// made while it runs are all served by the next. The thread syncs a
// duplicate of the file's descriptor that stays open for as long as any
// sync uses it: the journal closing its file or opening the next game's
// never leaves it a closed or reused descriptor.
class JournalSync
{
public:
    JournalSync(Journal::DiskSync diskSync, std::function<void()> failed)
        : m_diskSync(std::move(diskSync))
        , m_failed(std::move(failed))
    {
    }
    ~JournalSync()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    // The file to sync from now on; -1 for none. False when no descriptor
    // could be had for it.
    bool setTarget(int descriptor)
    {
        std::shared_ptr<const Descriptor> target;
        if (descriptor >= 0) {
            const int copy = duplicate(descriptor);
            if (copy < 0)
                return false;
            target = std::make_shared<const Descriptor>(copy);
        }
        std::lock_guard lock(m_mutex);
        m_target.swap(target);
        if (m_target && !m_thread.joinable())
            m_thread = std::thread(&JournalSync::run, this);
        return true;
    }

    void request()
    {
        {
            std::lock_guard lock(m_mutex);
            ++m_requested;
        }
        m_wake.notify_all();
    }

    // Syncs now, whatever the interval, everything written before the call,
    // and waits for it. False once a sync has failed.
    bool syncNow()
    {
        std::unique_lock lock(m_mutex);
        if (!m_thread.joinable())
            return m_ok;
        const quint64 ticket = ++m_requested;
        m_urgent = true;
        m_wake.notify_all();
        m_synced.wait(lock, [&] { return m_covered >= ticket; });
        return m_ok;
    }

private:
    struct Descriptor
    {
        explicit Descriptor(int descriptor)
            : fd(descriptor)
        {
        }
        ~Descriptor() { release(fd); }
        const int fd;
    };

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return m_requested > m_taken || m_stopping; });
            if (m_requested == m_taken)
                return;
            m_wake.wait_until(lock, m_lastStart + SyncInterval,
                              [&] { return m_urgent || m_stopping; });
            m_urgent = false;
            m_taken = m_requested;
            m_lastStart = std::chrono::steady_clock::now();
            const std::shared_ptr<const Descriptor> target = m_target;
            lock.unlock();
            // A sync that starts now holds everything written before the
            // requests it takes.
            const bool ok = !target || m_diskSync(target->fd);
            lock.lock();
            m_covered = m_taken;
            const bool firstFailure = !ok && m_ok;
            m_ok = m_ok && ok;
            m_synced.notify_all();
            if (firstFailure) {
                lock.unlock();
                m_failed();
                lock.lock();
            }
        }
    }

    const Journal::DiskSync m_diskSync;
    const std::function<void()> m_failed;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_synced;
    std::shared_ptr<const Descriptor> m_target;
    // Requests so far, those the latest sync took, and those a finished
    // sync holds.
    quint64 m_requested = 0;
    quint64 m_taken = 0;
    quint64 m_covered = 0;
    bool m_urgent = false;
    bool m_stopping = false;
    bool m_ok = true;
    std::chrono::steady_clock::time_point m_lastStart;
    // Started with the first file, joined by the destructor: only the
    // journal's thread touches it.
    std::thread m_thread;
};

QString Journal::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Vantrell/games");
}

Journal::Journal(const QString &folder, const TimeSource &time, QObject *parent)
    : Journal(folder, time, fileDataSync, parent)
{
}

Journal::Journal(const QString &folder, const TimeSource &time, DiskSync diskSync, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
    , m_time(time)
    , m_sync(std::make_unique<JournalSync>(std::move(diskSync), [this] {
        // The operator hears of it from the board's thread, as of every
        // other failure.
        QMetaObject::invokeMethod(
            this, [this] { fail(tr("The journal cannot be written to disk.")); },
            Qt::QueuedConnection);
    }))
{
}

Journal::~Journal()
{
    syncAndWait();
    // Joined while this object is whole: a failure the thread reports
    // after this point can find no half-destroyed journal.
    m_sync.reset();
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
    return opened();
}

bool Journal::opened()
{
    if (m_sync->setTarget(m_file.handle()))
        return true;
    fail(tr("The journal cannot be written to disk."));
    return false;
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
    if (!opened())
        return false;
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
    syncAndWait();
    m_sync->setTarget(-1);
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
    m_sync->request();
}

void Journal::syncAndWait()
{
    if (!m_sync->syncNow())
        fail(tr("The journal cannot be written to disk."));
}

void Journal::fail(const QString &reason)
{
    if (m_failed)
        return;
    m_failed = true;
    m_sync->setTarget(-1);
    m_file.close();
    emit failed(reason);
}
