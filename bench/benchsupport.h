// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arguments.h"

#include "board/frmscoreboard.h"
#include "board/segmora.h"
#include "sound/soundplayer.h"
#include "timing/timesource.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

// Pieces the in-process benchmarks share: a clock moved by hand, silent
// sound players, and the rows of the figures table.
namespace Bench {

class SteppedTime : public TimeSource
{
public:
    SteadyInstant steadyNow() const override { return {m_ms / 1000, int(m_ms % 1000)}; }
    QDateTime wallNow() const override { return m_wall.addMSecs(m_ms); }
    QString timeText(const QTime &time) const override
    {
        return QLocale::c().toString(time, QStringLiteral("HH:mm"));
    }
    bool usesTwelveHourClock() const override { return false; }

    void advanceMs(qint64 ms) { m_ms += ms; }

private:
    qint64 m_ms = 1'000'000;
    QDateTime m_wall{QDate(2026, 5, 9), QTime(14, 0)};
};

// Takes every command and finishes nothing: the board keeps believing its
// sound plays, which no benchmark here minds.
class SilentPlayer : public SoundPlayer
{
public:
    QString fileName() const override { return m_name; }
    void setFileName(const QString &name) override { m_name = name; }
    void open() override { }
    void play() override { }
    void stop() override { }
    void prev() override { }
    void close() override { }

private:
    QString m_name;
};

inline frmScoreBoard::PlayerFactory silentPlayers()
{
    return [] {
        return std::unique_ptr<SoundPlayer>(std::make_unique<SilentPlayer>());
    };
}

inline QList<Segmora *> allFigures(const frmScoreBoard &board)
{
    QList<Segmora *> figures;
    for (BoardControl *control : board.controlLayer().controls()) {
        if (auto *figure = qobject_cast<Segmora *>(control))
            figures.append(figure);
    }
    return figures;
}

// Sees each run of the board's tick timer, installed on the application:
// the one precise timer of at most 100 ms, whether it repeats every 100 ms
// or is aimed afresh at each tick.
class TickWatcher : public QObject
{
public:
    std::function<void()> beforeTick;
    std::function<void()> afterTick;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Timer)
            return false;
        auto *timer = qobject_cast<QTimer *>(watched);
        if (!timer || timer->timerType() != Qt::PreciseTimer || timer->interval() > 100 ||
            static_cast<QTimerEvent *>(event)->timerId() != timer->timerId())
            return false;
        if (beforeTick)
            beforeTick();
        watched->event(event);
        if (afterTick)
            afterTick();
        return true;
    }
};

// The value below which the given share of the samples lies.
inline double percentile(std::vector<double> samples, double share)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const size_t at =
        std::min(samples.size() - 1, size_t(share * double(samples.size() - 1) + 0.5));
    return samples[at];
}

// One row of the table run.sh prints: what, under which conditions, the
// figure, and the target it is held against.
inline void row(const QString &what, const QString &conditions, const QString &figure,
                const QString &target = QStringLiteral("-"))
{
    QTextStream out(stdout);
    out << "| " << what << " | " << conditions << " | " << figure << " | " << target << " |\n";
    out.flush();
}

inline QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace Bench
