// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/formatdescription.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(FormatDescription)
};

using MatchFormatFile::timeText;

QString points(int count)
{
    return count == 1 ? Words::tr("1 point") : Words::tr("%1 points").arg(count);
}

QString length(const MatchFormat &f)
{
    const QString halves = f.halves == 1
        ? Words::tr("one half of %1").arg(timeText(f.gameLength))
        : Words::tr("two halves of %1").arg(timeText(f.gameLength));
    if (f.raceTo > 0)
        return Words::tr("A race to %1 in %2.").arg(points(f.raceTo), halves);
    return Words::tr("A timed game in %1.").arg(halves);
}

QString halftime(const MatchFormat &f)
{
    if (f.halves == 1)
        return {};
    if (f.halftime <= ClockValue())
        return Words::tr("The second half follows the first at once.");
    return Words::tr("Halftime lasts %1 on the shot clock.").arg(timeText(f.halftime));
}

QString point(const MatchFormat &f)
{
    const QString clock = f.stopTime ? Words::tr("The game clock stops at each point")
                                     : Words::tr("The game clock runs on through each point");
    const QString next = f.autoStart ? Words::tr("starts the next point by itself")
                                     : Words::tr("the start key starts the next point");
    return Words::tr("%1; a %2 break follows on the shot clock and %3.")
        .arg(clock, timeText(f.breakLength), next);
}

QString mercy(const MatchFormat &f)
{
    if (f.mercy <= 0)
        return {};
    return Words::tr("A lead of %1 ends the match.").arg(points(f.mercy));
}

QString ends(const MatchFormat &f)
{
    if (f.switchEvery <= 0)
        return {};
    if (f.switchEvery == 1)
        return Words::tr("Teams switch ends after every point.");
    return Words::tr("Teams switch ends every %1.").arg(points(f.switchEvery));
}

QString timeouts(const MatchFormat &f)
{
    if (f.timeouts <= 0)
        return Words::tr("There are no timeouts.");
    const QString per =
        f.timeoutsPer == TimeoutsPer::Half ? Words::tr("per half") : Words::tr("per match");
    const QString count =
        f.timeouts == 1 ? Words::tr("1 timeout") : Words::tr("%1 timeouts").arg(f.timeouts);
    return Words::tr("Each team has %1 of %2 %3.").arg(count, timeText(f.timeoutLength), per);
}

QString penalty(const MatchFormat &f)
{
    if (!f.releasePenalty)
        return {};
    return Words::tr("A point clears the running penalty with the least time left of the team "
                     "scored on.");
}

QString tie(const MatchFormat &f)
{
    if (f.overtime <= ClockValue())
        return Words::tr("A tie at the end is a draw.");
    return Words::tr("A tie at the end goes to %1 of sudden death after a break: the first "
                     "point wins, and a tie after it is a draw.")
        .arg(timeText(f.overtime));
}

// In the order the match is played.
constexpr QString (*Sentences[])(const MatchFormat &) = {
    length, halftime, point, mercy, ends, timeouts, penalty, tie,
};

} // namespace

QString describe(const MatchFormat &format)
{
    QStringList said;
    for (const auto sentence : Sentences)
        said << sentence(format);
    said.removeAll(QString());
    return said.join(QLatin1Char(' '));
}
