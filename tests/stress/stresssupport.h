#pragma once

#include "board/frmscoreboard.h"
#include "board/segmora.h"
#include "sound/soundplayer.h"
#include "timing/clockdisplay.h"
#include "timing/modcount.h"
#include "timing/timeofday.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>

// What the long games and key storms share: players that end their sound
// after a number of ticks, and the check that every clock on the board shows
// what its count slot holds.
namespace Stress {

class TickedPlayer : public SoundPlayer
{
public:
    QString name;
    QStringList commands;
    // Ticks a playback lasts; asked afresh for each one.
    std::function<int()> length = [] { return 1; };

    QString fileName() const override { return name; }
    void setFileName(const QString &fileName) override { name = fileName; }
    void open() override { commands << QStringLiteral("Open"); }
    void play() override
    {
        commands << QStringLiteral("Play");
        m_ticksLeft = qMax(1, length());
    }
    void stop() override { commands << QStringLiteral("Stop"); }
    void prev() override { commands << QStringLiteral("Prev"); }
    void close() override
    {
        commands << QStringLiteral("Close");
        finishNow();
    }

    bool playing() const { return m_ticksLeft > 0; }
    int plays() const { return int(commands.count(QStringLiteral("Play"))); }

    // One tick of playback; the end is reported when it runs out.
    void tick()
    {
        if (m_ticksLeft > 0 && --m_ticksLeft == 0)
            emit finished();
    }

private:
    void finishNow()
    {
        if (m_ticksLeft > 0) {
            m_ticksLeft = 0;
            emit finished();
        }
    }

    int m_ticksLeft = 0;
};

inline QString captionsText(const DigitSet &digits)
{
    QStringList parts;
    for (int i = 0; i < digits.count(); ++i)
        parts << QString::number(digits.caption(i));
    return parts.join(QLatin1Char(','));
}

template<typename Captions>
QString captionsText(const Captions &captions, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QString::number(captions[size_t(i)]);
    return parts.join(QLatin1Char(','));
}

// Empty when the board's clocks show what their slots hold; otherwise what
// differs. Reading the slots right after a tick, with the clock not moved
// since, sees what the tick saw.
inline QString clocksDisagree(frmScoreBoard &board)
{
    QStringList wrong;
    const auto compare = [&wrong](const QString &name, const DigitSet &digits, const QString &wanted) {
        const QString shown = captionsText(digits);
        if (shown != wanted)
            wrong << QStringLiteral("%1 shows %2, slot says %3").arg(name, shown, wanted);
    };
    const ClockValue game = board.engine().clockTime() ? timeOfDayValue(modCount::timeSource())
                                                       : modCount::CountValue(modCount::GameSlot);
    compare(QStringLiteral("game clock"), board.gameDigits(),
            captionsText(clockFigures(game, false).captions, 4));
    compare(QStringLiteral("shot clock"), board.shotDigits(),
            captionsText(clockFigures(modCount::CountValue(modCount::ShotSlot), true).captions, 4));
    for (qint16 slot = ClockEngine::FirstPenaltySlot; slot <= ClockEngine::LastPenaltySlot; ++slot) {
        const DigitSet &digits = board.penaltyDigits(slot);
        if (!digits.shows(0))
            continue;
        compare(QStringLiteral("penalty %1").arg(slot), digits,
                captionsText(penaltyFigures(modCount::CountValue(slot)), 3));
    }
    return wrong.join(QStringLiteral("; "));
}

inline qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace Stress
