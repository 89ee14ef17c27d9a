// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arguments.h"
#include "harness.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <unistd.h>

// Pieces the benchmarks of the real program share: its CPU time and memory
// from /proc, and a session that starts it on an X server of its own and
// plays it with keys and clicks.
namespace ProcessBench {

using BoardGeometry::FigureSet;
using E2e::Harness;
using E2e::WindowId;

inline void note(const QString &text)
{
    QTextStream(stderr) << text << '\n';
}

// utime + stime of a process, in clock ticks.
inline qint64 cpuTicks(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    // Fields from the third on: utime is the 14th, stime the 15th.
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

// Time on a CPU of all the process's threads in nanoseconds, from the
// scheduler's own accounting: finer than the 10 ms ticks of utime + stime.
inline qint64 runNs(qint64 pid)
{
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (file.open(QIODevice::ReadOnly))
            total += file.readAll().split(' ').value(0).toLongLong();
    }
    return total;
}

inline qint64 statusKb(qint64 pid, const QByteArray &key)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The X server this process started.
inline qint64 childNamed(const QByteArray &name)
{
    const QString parent = QString::number(::getpid());
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile file(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = file.readAll();
        const QByteArray comm =
            stat.mid(stat.indexOf('(') + 1, stat.lastIndexOf(')') - stat.indexOf('(') - 1);
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (comm == name && fields.value(1) == parent.toLatin1())
            return entry.toLongLong();
    }
    return -1;
}

class Session
{
public:
    explicit Session(const QString &binary)
        : m_harness(binary)
    {
    }

    bool startDisplay(const QSize &screen = QSize(3840, 2160))
    {
        return m_harness.startDisplay(screen) || failed(QStringLiteral("display"));
    }
    Harness &harness() { return m_harness; }
    WindowId window() const { return m_window; }
    qint64 pid() const { return m_pid; }

    // The board at the size it opens with, at the screen's top left, with a
    // game of its own: the record of the last run is gone, so no question
    // about it stands between the board and the keys.
    bool launch()
    {
        m_harness.stopApp();
        QDir(m_harness.homePath() + QStringLiteral("/.local/state/Vantrell/games"))
            .removeRecursively();
        m_window = m_harness.openBoard();
        if (m_window == 0)
            return failed(QStringLiteral("opening the board"));
        QByteArray output;
        if (!m_harness.runXdotool({QStringLiteral("getwindowpid"), QString::number(m_window)},
                                  &output))
            return failed(QStringLiteral("the program's pid"));
        m_pid = output.trimmed().toLongLong();
        m_harness.runXdotool({QStringLiteral("windowmove"), QString::number(m_window),
                              QStringLiteral("0"), QStringLiteral("0")});
        m_size = m_harness.windowGeometry(m_window).size();
        return true;
    }

    bool openBoard(const QSize &size)
    {
        if (!launch())
            return false;
        if (!m_harness.resize(m_window, size))
            return failed(QStringLiteral("resizing"));
        m_size = m_harness.windowGeometry(m_window).size();
        if (m_size != size)
            note(QStringLiteral("window is %1x%2").arg(m_size.width()).arg(m_size.height()));
        return true;
    }

    void select(FigureSet set)
    {
        const QPoint at =
            BoardGeometry::figureRect(set, 0, m_size.width(), m_size.height()).center();
        m_harness.click(m_window, at);
    }
    void keys(const QString &keysyms)
    {
        if (!m_harness.key(m_window, keysyms))
            note(m_harness.lastError());
    }
    QString read(FigureSet set) { return m_harness.readText(m_window, set).trimmed(); }

    // Six penalties of 9:59, then the shot clock and the game clock with
    // the penalties: all eight running.
    void startAllClocks()
    {
        for (const FigureSet set : BoardGeometry::penaltySets()) {
            select(set);
            keys(QStringLiteral("9 period 5 9 Return"));
        }
        keys(QStringLiteral("z s"));
    }
    void stopAllClocks() { keys(QStringLiteral("s z")); }
    void typeGameTime(const QString &keysyms)
    {
        select(FigureSet::GameClock);
        keys(keysyms + QStringLiteral(" Return"));
    }

private:
    bool failed(const QString &what)
    {
        note(QStringLiteral("%1 failed: %2").arg(what, m_harness.lastError()));
        return false;
    }

    Harness m_harness;
    WindowId m_window = 0;
    qint64 m_pid = -1;
    QSize m_size;
};

} // namespace ProcessBench
