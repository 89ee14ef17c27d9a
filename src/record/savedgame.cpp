// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/savedgame.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace SavedGames {

namespace {

const QString JournalPattern = QStringLiteral("*.jsonl");

std::optional<QJsonObject> parse(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

bool readHeader(const QJsonObject &header, SavedGame &saved)
{
    JournalFormat::Stamp stamp;
    if (header.value(QStringLiteral("format")).toString() != QStringLiteral("vantrell-game") ||
        header.value(QStringLiteral("version")) != QJsonValue(JournalFormat::Version) ||
        !JournalFormat::readStamp(header, stamp))
        return false;
    saved.startedMs = stamp.wallMs;
    saved.last = stamp;
    const QJsonArray names = header.value(QStringLiteral("names")).toArray();
    if (names.size() == 2) {
        saved.homeName = names.at(0).toString();
        saved.visitorName = names.at(1).toString();
    }
    return true;
}

bool readEvent(const QJsonObject &line, SavedGame &saved)
{
    const QString name = line.value(QStringLiteral("event")).toString();
    const QJsonValue changes = line.value(QStringLiteral("changes"));
    const auto kind = JournalFormat::kindFromName(name);
    const bool own = name == JournalFormat::ClosedName || name == JournalFormat::SetAsideName;
    const GameSnapshot before = saved.game;
    if ((!kind && !own) || !changes.isObject() || !JournalFormat::readStamp(line, saved.last) ||
        !JournalFormat::applyChanges(saved.game, changes.toObject()))
        return false;
    saved.closed = name == JournalFormat::ClosedName;
    saved.setAside = saved.setAside || name == JournalFormat::SetAsideName;
    const QJsonArray names = line.value(QStringLiteral("names")).toArray();
    if (kind == GameEventKind::Options && names.size() == 2) {
        saved.homeName = names.at(0).toString();
        saved.visitorName = names.at(1).toString();
    }
    if (kind)
        saved.events.append({saved.last,
                             {*kind, line.value(QStringLiteral("on")).toInt(-1), before, saved.game,
                              saved.homeName, saved.visitorName}});
    return true;
}

ClockValue runSoFar(const SlotState &slot, qint64 nowSteadyMs)
{
    if (!slot.running || !slot.start)
        return {};
    const SteadyInstant now = steadyFromMs(nowSteadyMs);
    return ClockValue::fromTenths(qMax<qint64>(0, modCount::elapsedTenths(*slot.start, now)));
}

} // namespace

std::optional<SavedGame> read(const QByteArray &journal)
{
    // Whatever follows the last line end is a line the writer never
    // finished.
    const qsizetype end = journal.lastIndexOf('\n');
    if (end < 0)
        return std::nullopt;
    const QList<QByteArray> lines = journal.left(end).split('\n');
    SavedGame saved;
    const auto header = parse(lines.front());
    if (!header || !readHeader(*header, saved))
        return std::nullopt;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto line = parse(lines.at(i));
        if (!line || !readEvent(*line, saved))
            return std::nullopt;
    }
    return saved;
}

std::optional<SavedGame> readFile(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return read(file.readAll());
}

QString newestJournal(const QString &folder)
{
    const QStringList names =
        QDir(folder).entryList({JournalPattern}, QDir::Files, QDir::Name | QDir::Reversed);
    return names.isEmpty() ? QString() : QDir(folder).filePath(names.front());
}

QString setAsideDamaged(const QString &path)
{
    QString kept = path + QStringLiteral(".damaged");
    for (int n = 2; QFile::exists(kept); ++n)
        kept = path + QStringLiteral(".damaged-%1").arg(n);
    return QFile::rename(path, kept) ? kept : QString();
}

ResumeOffer offerFor(const SavedGame &saved)
{
    // A journal cut off before its first change holds no game to go back to.
    if (saved.setAside || saved.events.isEmpty())
        return ResumeOffer::None;
    if (!saved.closed)
        return ResumeOffer::ResumeByDefault;
    const GameSnapshot &game = saved.game;
    bool running = false;
    for (const SlotState &slot : game.clocks)
        running = running || slot.running;
    const ClockValue gameClock = loadedValue(game.clocks[size_t(modCount::GameSlot)]);
    const bool underWay = running || (gameClock != game.gameLength && gameClock > ClockValue());
    return underWay ? ResumeOffer::NewGameByDefault : ResumeOffer::None;
}

GameSnapshot carriedTo(const SavedGame &saved, const JournalFormat::Stamp &now)
{
    GameSnapshot game = saved.game;
    const bool sameRun = !now.bootId.isEmpty() && now.bootId == saved.last.bootId;
    if (sameRun)
        return game;
    // The run so far, as of the last line, continued by the wall clock's
    // gap, then placed on this run's steady clock.
    const qint64 gap = qMax<qint64>(0, now.wallMs - saved.last.wallMs);
    for (SlotState &slot : game.clocks) {
        if (!slot.running || !slot.start)
            continue;
        const qint64 runMs = qMax<qint64>(0, saved.last.steadyMs - steadyMs(*slot.start));
        slot.start = steadyFromMs(now.steadyMs - runMs - gap);
    }
    return game;
}

ClockValue clockAt(const SlotState &slot, const JournalFormat::Stamp &now)
{
    return qMax(ClockValue(), loadedValue(slot) - runSoFar(slot, now.steadyMs));
}

ClockValue gameClockAt(const GameSnapshot &game, const JournalFormat::Stamp &now)
{
    return clockAt(game.clocks[size_t(modCount::GameSlot)], now);
}

} // namespace SavedGames
