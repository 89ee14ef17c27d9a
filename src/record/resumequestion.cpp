// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/resumequestion.h"

#include <QDateTime>
#include <QLocale>

namespace {

QString scoreText(const std::array<int, 2> &figures)
{
    QString text;
    for (auto figure = figures.crbegin(); figure != figures.crend(); ++figure) {
        if (*figure >= 0)
            text += QString::number(*figure);
    }
    return text.isEmpty() ? QStringLiteral("-") : text;
}

// As the board shows it: tenths under a minute.
QString clockText(ClockValue value)
{
    const qint64 tenths = value.raw() / ClockValue::PerTenth;
    if (tenths < 600)
        return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
    const qint64 seconds = tenths / 10;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
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
    const QString how = saved.closed ? QObject::tr("was closed while under way")
                                     : QObject::tr("did not end properly");
    return QObject::tr("The game started %1 %2.\n\n%3 %4 - %5 %6\nGame clock %7, %8\n\n"
                       "Resume this game, or start a new one?")
        .arg(started, how, home, scoreText(game.home), scoreText(game.visitor), visitor,
             clockText(gameClock), running ? QObject::tr("running") : QObject::tr("stopped"));
}
