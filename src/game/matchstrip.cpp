// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/matchstrip.h"

#include "game/game.h"

#include <QCoreApplication>

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(MatchStrip)
};

QString period(const Match &match)
{
    if (match.overtime())
        return Words::tr("Overtime");
    if (match.format()->halves < 2)
        return {};
    return Words::tr("Half %1").arg(match.state().half);
}

QString timeouts(const Match &match, const Game &game)
{
    if (match.format()->timeouts <= 0)
        return {};
    return Words::tr("Timeouts %1 %2 – %3 %4")
        .arg(game.homeName())
        .arg(match.timeoutsLeft(1))
        .arg(match.timeoutsLeft(2))
        .arg(game.visitorName());
}

QString result(const Match &match, const Game &game)
{
    const GameSnapshot now = game.snapshot();
    const int home = scoreValue(now.home);
    const int visitor = scoreValue(now.visitor);
    switch (match.state().result) {
    case MatchResult::Home:
        return Words::tr("%1 wins %2–%3").arg(game.homeName()).arg(home).arg(visitor);
    case MatchResult::Visitor:
        return Words::tr("%1 wins %2–%3").arg(game.visitorName()).arg(visitor).arg(home);
    case MatchResult::Draw:
        return Words::tr("Draw %1–%2").arg(home).arg(visitor);
    case MatchResult::None:
        break;
    }
    return {};
}

QString now(const Match &match, const Game &game)
{
    const MatchState &state = match.state();
    const QString switchEnds = state.switchEnds ? Words::tr("Switch ends") : QString();
    switch (state.phase) {
    case MatchPhase::Break:
        return switchEnds.isEmpty() ? Words::tr("Break")
                                    : Words::tr("Break") + QStringLiteral(" · ") + switchEnds;
    case MatchPhase::Halftime:
        return Words::tr("Halftime");
    case MatchPhase::Timeout:
        return Words::tr("Timeout %1")
            .arg(state.timeoutBy == 1 ? game.homeName() : game.visitorName());
    case MatchPhase::Ready:
        return switchEnds.isEmpty() ? Words::tr("Ready") : switchEnds;
    case MatchPhase::Ended:
        return result(match, game);
    case MatchPhase::Point:
    case MatchPhase::Off:
        break;
    }
    return {};
}

} // namespace

QStringList matchStrip(const Game &game)
{
    const Match &match = game.match();
    if (!match.active())
        return {};
    QStringList parts{match.format()->shortName, period(match)};
    if (match.format()->raceTo > 0)
        parts << Words::tr("Race to %1").arg(match.format()->raceTo);
    parts << timeouts(match, game) << now(match, game);
    parts.removeAll(QString());
    return parts;
}

QString refusalText(MatchRefusal why, const QString &teamName)
{
    switch (why) {
    case MatchRefusal::NoPoint:
        return Words::tr("No point: none is being played");
    case MatchRefusal::MatchOver:
        return Words::tr("The match is over");
    case MatchRefusal::DuringPoint:
        return Words::tr("No timeout during a point");
    case MatchRefusal::NoTimeoutsLeft:
        return Words::tr("%1 has no timeout left").arg(teamName);
    }
    return {};
}
