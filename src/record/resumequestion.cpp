// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/resumequestion.h"

#include "record/gamelog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

namespace {

QString scoreText(const std::array<int, 2> &figures)
{
    const QString text = GameLog::scoreText(figures);
    return text.isEmpty() ? QStringLiteral("-") : text;
}

} // namespace

QString resumeQuestion(const SavedGame &saved, const GameSnapshot &game, ClockValue gameClock,
                       const QString &homeName, const QString &visitorName)
{
    const QString started = QLocale::system().toString(
        QDateTime::fromMSecsSinceEpoch(saved.startedMs).toLocalTime(), QLocale::ShortFormat);
    const QString home = saved.homeName.isEmpty() ? homeName : saved.homeName;
    const QString visitor = saved.visitorName.isEmpty() ? visitorName : saved.visitorName;
    const bool running = game.clocks[size_t(modCount::GameSlot)].running;
    const QString how = saved.closed
        ? QCoreApplication::translate("ResumeQuestion", "was closed while under way")
        : QCoreApplication::translate("ResumeQuestion", "did not end properly");
    return QCoreApplication::translate(
               "ResumeQuestion",
               "The game started %1 %2.\n\n%3 %4 - %5 %6\nGame clock %7, %8\n\n"
               "Resume this game, or start a new one?")
        .arg(started, how, home, scoreText(game.home), scoreText(game.visitor), visitor,
             GameLog::clockText(gameClock),
             running ? QCoreApplication::translate("ResumeQuestion", "running")
                     : QCoreApplication::translate("ResumeQuestion", "stopped"));
}
