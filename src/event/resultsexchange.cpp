// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/resultsexchange.h"

#include "event/csvtable.h"

#include <algorithm>

namespace ResultsExchange {

namespace {

// Words of the file, not of the screen: the import reads them back.
const char *stateWord(ScheduledState state)
{
    switch (state) {
    case ScheduledState::ToPlay:
        return "to play";
    case ScheduledState::UnderWay:
        return "under way";
    case ScheduledState::Played:
        return "played";
    case ScheduledState::Forfeit:
        return "forfeit";
    }
    return "to play";
}

bool sameOutcome(const ScheduledMatch &a, const ScheduledMatch &b)
{
    return a.state == b.state && a.result.home == b.result.home &&
        a.result.visitor == b.result.visitor;
}

} // namespace

QByteArray csv(const Schedule &schedule)
{
    QByteArray out("\xEF\xBB\xBF");
    out +=
        CsvTable::line({QStringLiteral("start"), QStringLiteral("field"), QStringLiteral("group"),
                        QStringLiteral("home"), QStringLiteral("visitor"), QStringLiteral("format"),
                        QStringLiteral("state"), QStringLiteral("result")});
    for (const ScheduledMatch &m : schedule.matches) {
        const QString result = m.decided()
            ? QStringLiteral("%1-%2").arg(m.result.home).arg(m.result.visitor)
            : QString();
        out += CsvTable::line({m.start.toString(QStringLiteral("yyyy-MM-dd HH:mm")), m.field,
                               m.group, m.home, m.visitor, m.format,
                               QLatin1String(stateWord(m.state)), result});
    }
    return out;
}

Merge merge(const Schedule &held, const QList<ScheduledMatch> &theirs)
{
    Merge merge{held, 0, {}, {}};
    for (const ScheduledMatch &their : theirs) {
        if (!their.decided())
            continue;
        const auto at = std::find_if(merge.schedule.matches.begin(), merge.schedule.matches.end(),
                                     [&](const ScheduledMatch &m) { return m.sameMatch(their); });
        if (at == merge.schedule.matches.end()) {
            merge.unknown << their;
        } else if (at->state == ScheduledState::ToPlay) {
            at->state = their.state;
            at->result = {their.result.home, their.result.visitor, {}};
            ++merge.taken;
        } else if (!sameOutcome(*at, their)) {
            merge.conflicts << Conflict{at - merge.schedule.matches.begin(), their};
        }
    }
    return merge;
}

void takeTheirs(Schedule &schedule, const Conflict &conflict)
{
    if (conflict.match < 0 || conflict.match >= schedule.matches.size())
        return;
    ScheduledMatch &m = schedule.matches[conflict.match];
    m.state = conflict.theirs.state;
    m.result = {conflict.theirs.result.home, conflict.theirs.result.visitor, {}};
}

} // namespace ResultsExchange
