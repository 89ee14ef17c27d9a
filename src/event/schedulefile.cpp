// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/schedulefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace ScheduleFile {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(ScheduleFile)
};

// A file an event, never larger than a long day's schedule could make.
constexpr qint64 MostBytes = 4 * 1024 * 1024;

const QString StartForm = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QJsonObject matchObject(const ScheduledMatch &m)
{
    return {{"start", m.start.toString(StartForm)},
            {"field", m.field},
            {"group", m.group},
            {"home", m.home},
            {"visitor", m.visitor},
            {"format", m.format},
            {"state", int(m.state)},
            {"result", QJsonArray{m.result.home, m.result.visitor}},
            {"journal", m.result.journal}};
}

bool wholeIn(const QJsonValue &value, int low, int high)
{
    return value.isDouble() && value.toDouble() == double(value.toInt()) && value.toInt() >= low &&
        value.toInt() <= high;
}

std::optional<ScheduledMatch> matchFrom(const QJsonObject &o)
{
    const QJsonArray result = o.value("result").toArray();
    ScheduledMatch m{QDateTime::fromString(o.value("start").toString(), StartForm),
                     o.value("field").toString(),
                     o.value("group").toString(),
                     o.value("home").toString(),
                     o.value("visitor").toString(),
                     o.value("format").toString(),
                     ScheduledState(o.value("state").toInt()),
                     {result.at(0).toInt(), result.at(1).toInt(), o.value("journal").toString()}};
    const bool scores =
        result.size() == 2 && wholeIn(result.at(0), 0, 999) && wholeIn(result.at(1), 0, 999);
    if (!m.start.isValid() || m.home.isEmpty() || m.visitor.isEmpty() || !scores ||
        !wholeIn(o.value("state"), 0, int(ScheduledState::Forfeit)))
        return std::nullopt;
    return m;
}

template<typename T> std::optional<T> refuse(QString *problem, const QString &why)
{
    if (problem)
        *problem = why;
    return std::nullopt;
}

} // namespace

QString defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Vantrell/events"));
}

QByteArray write(const Schedule &schedule)
{
    QJsonArray matches;
    for (const ScheduledMatch &m : schedule.matches)
        matches.append(matchObject(m));
    const QJsonObject object{
        {"kind", QLatin1String(Kind)},
        {"version", Version},
        {"points", QJsonArray{schedule.points.win, schedule.points.draw, schedule.points.loss}},
        {"field", schedule.field},
        {"standingsEvery", schedule.standingsEvery},
        {"matches", matches}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<Schedule> read(const QByteArray &bytes, QString *problem)
{
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    if (object.value("kind").toString() != QLatin1String(Kind))
        return refuse<Schedule>(problem, Words::tr("not an event's schedule"));
    if (!wholeIn(object.value("version"), 1, Version))
        return refuse<Schedule>(problem, Words::tr("a version this program does not read"));
    const QJsonArray points = object.value("points").toArray();
    Schedule schedule;
    schedule.points = {points.at(0).toInt(3), points.at(1).toInt(1), points.at(2).toInt(0)};
    schedule.field = object.value("field").toString();
    schedule.standingsEvery = std::clamp(object.value("standingsEvery").toInt(0), 0, 3600);
    const QJsonArray matches = object.value("matches").toArray();
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const auto match = matchFrom(matches.at(i).toObject());
        if (!match)
            return refuse<Schedule>(problem, Words::tr("match %1 cannot be read").arg(i + 1));
        schedule.matches << *match;
    }
    return schedule;
}

bool save(const QString &path, const Schedule &schedule, QString *problem)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = write(schedule);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (problem)
        *problem = file.errorString();
    return false;
}

std::optional<Schedule> load(const QString &path, QString *problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse<Schedule>(problem, file.errorString());
    if (file.size() > MostBytes)
        return refuse<Schedule>(problem, Words::tr("the file is too large for a schedule"));
    return read(file.readAll(), problem);
}

} // namespace ScheduleFile
