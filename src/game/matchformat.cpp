// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/matchformat.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace MatchFormatFile {

namespace {

constexpr int ShotMostSeconds = int(ShotClockMost.wholeSeconds());
constexpr int GameMostSeconds = int(GameClockMost.wholeSeconds());

int seconds(ClockValue value)
{
    return int(value.wholeSeconds());
}

ClockValue fromSeconds(int value)
{
    return ClockValue::fromSeconds(value);
}

// clang-format off
constexpr Field FieldTable[] = {
    {"gameLength", FieldType::Time, 1, GameMostSeconds, {},
     [](const MatchFormat &f) { return seconds(f.gameLength); },
     [](MatchFormat &f, int v) { f.gameLength = fromSeconds(v); }},
    {"halves", FieldType::Count, 1, 2, {},
     [](const MatchFormat &f) { return int(f.halves); },
     [](MatchFormat &f, int v) { f.halves = qint16(v); }},
    {"halftime", FieldType::Time, 0, ShotMostSeconds, {},
     [](const MatchFormat &f) { return seconds(f.halftime); },
     [](MatchFormat &f, int v) { f.halftime = fromSeconds(v); }},
    {"break", FieldType::Time, 1, ShotMostSeconds, {},
     [](const MatchFormat &f) { return seconds(f.breakLength); },
     [](MatchFormat &f, int v) { f.breakLength = fromSeconds(v); }},
    {"stopTime", FieldType::Flag, 0, 1, {},
     [](const MatchFormat &f) { return int(f.stopTime); },
     [](MatchFormat &f, int v) { f.stopTime = v != 0; }},
    {"raceTo", FieldType::Count, 0, 99, {},
     [](const MatchFormat &f) { return int(f.raceTo); },
     [](MatchFormat &f, int v) { f.raceTo = qint16(v); }},
    {"mercy", FieldType::Count, 0, 99, {},
     [](const MatchFormat &f) { return int(f.mercy); },
     [](MatchFormat &f, int v) { f.mercy = qint16(v); }},
    {"switchEvery", FieldType::Count, 0, 99, {},
     [](const MatchFormat &f) { return int(f.switchEvery); },
     [](MatchFormat &f, int v) { f.switchEvery = qint16(v); }},
    {"timeouts", FieldType::Count, 0, 9, {},
     [](const MatchFormat &f) { return int(f.timeouts); },
     [](MatchFormat &f, int v) { f.timeouts = qint16(v); }},
    {"timeoutsPer", FieldType::Choice, 0, 1, {"half", "match"},
     [](const MatchFormat &f) { return int(f.timeoutsPer); },
     [](MatchFormat &f, int v) { f.timeoutsPer = TimeoutsPer(v); }},
    {"timeoutLength", FieldType::Time, 1, ShotMostSeconds, {},
     [](const MatchFormat &f) { return seconds(f.timeoutLength); },
     [](MatchFormat &f, int v) { f.timeoutLength = fromSeconds(v); }},
    {"overtime", FieldType::Time, 0, GameMostSeconds, {},
     [](const MatchFormat &f) { return seconds(f.overtime); },
     [](MatchFormat &f, int v) { f.overtime = fromSeconds(v); }},
    {"autoStart", FieldType::Flag, 0, 1, {},
     [](const MatchFormat &f) { return int(f.autoStart); },
     [](MatchFormat &f, int v) { f.autoStart = v != 0; }},
    {"releasePenalty", FieldType::Flag, 0, 1, {},
     [](const MatchFormat &f) { return int(f.releasePenalty); },
     [](MatchFormat &f, int v) { f.releasePenalty = v != 0; }},
};
// clang-format on

const QString KindKey = QStringLiteral("kind");
const QString VersionKey = QStringLiteral("version");
const QString NameKey = QStringLiteral("name");
const QString ShortNameKey = QStringLiteral("shortName");

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(MatchFormatFile)
};

QString shown(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isUndefined())
        return {};
    QJsonObject wrapper{{QStringLiteral("v"), value}};
    QByteArray json = QJsonDocument(wrapper).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(5, json.size() - 6));
}

QString rangeText(const Field &field)
{
    switch (field.type) {
    case FieldType::Time:
        return Words::tr("a time from %1 to %2")
            .arg(timeText(fromSeconds(field.low)), timeText(fromSeconds(field.high)));
    case FieldType::Count:
        return Words::tr("a whole number from %1 to %2").arg(field.low).arg(field.high);
    case FieldType::Flag:
        return Words::tr("true or false");
    case FieldType::Choice:
        return Words::tr("\"%1\" or \"%2\"")
            .arg(QLatin1String(field.choices[0]), QLatin1String(field.choices[1]));
    }
    return {};
}

std::optional<int> readValue(const Field &field, const QJsonValue &value)
{
    switch (field.type) {
    case FieldType::Time:
        if (const auto time = timeFromText(value.toString()); value.isString() && time)
            return seconds(*time);
        return std::nullopt;
    case FieldType::Count:
        if (value.isDouble() && value.toDouble() == double(value.toInt()))
            return value.toInt();
        return std::nullopt;
    case FieldType::Flag:
        if (value.isBool())
            return value.toBool() ? 1 : 0;
        return std::nullopt;
    case FieldType::Choice:
        for (int i = 0; i < int(field.choices.size()); ++i) {
            if (value.toString() == QLatin1String(field.choices[size_t(i)]))
                return i;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

QJsonValue writeValue(const Field &field, int value)
{
    switch (field.type) {
    case FieldType::Time:
        return timeText(fromSeconds(value));
    case FieldType::Count:
        return value;
    case FieldType::Flag:
        return value != 0;
    case FieldType::Choice:
        return QLatin1String(field.choices[size_t(qBound(0, value, 1))]);
    }
    return {};
}

Problem outOfRange(const Field &field, const QString &value)
{
    return {QLatin1String(field.key), value, Words::tr("must be %1").arg(rangeText(field))};
}

std::optional<Problem> readHeader(const QJsonObject &object)
{
    if (object.value(KindKey).toString() != QLatin1String(Kind))
        return Problem{KindKey, shown(object.value(KindKey)),
                       Words::tr("must be \"%1\"").arg(QLatin1String(Kind))};
    const QJsonValue version = object.value(VersionKey);
    if (!version.isDouble() || version.toDouble() != double(version.toInt()) || version.toInt() < 1)
        return Problem{VersionKey, shown(version), Words::tr("must be a whole number from 1")};
    if (version.toInt() > Version)
        return Problem{VersionKey, shown(version),
                       Words::tr("is newer than this program reads (%1)").arg(Version)};
    return std::nullopt;
}

std::optional<Problem> readText(const QJsonObject &object, const QString &key, int most,
                                QString &text)
{
    const QJsonValue value = object.value(key);
    const QString trimmed = value.toString().trimmed();
    if (!value.isString() || trimmed.isEmpty() || trimmed.size() > most)
        return Problem{key, shown(value),
                       Words::tr("must be a name of 1 to %1 characters").arg(most)};
    text = trimmed;
    return std::nullopt;
}

std::optional<Problem> checkText(const QString &key, const QString &text, int most)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > most)
        return Problem{key, text, Words::tr("must be a name of 1 to %1 characters").arg(most)};
    return std::nullopt;
}

std::optional<Problem> unknownField(const QJsonObject &object)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (key == KindKey || key == VersionKey || key == NameKey || key == ShortNameKey)
            continue;
        const bool known = std::any_of(std::begin(FieldTable), std::end(FieldTable),
                                       [&](const Field &f) { return key == QLatin1String(f.key); });
        if (!known)
            return Problem{key, shown(it.value()), Words::tr("is not a field of a format")};
    }
    return std::nullopt;
}

} // namespace

std::span<const Field> fields()
{
    return FieldTable;
}

QString Problem::text(const QString &file) const
{
    if (field.isEmpty())
        return QStringLiteral("%1: %2").arg(file, reason);
    return QStringLiteral("%1: %2 \"%3\" %4").arg(file, field, value, reason);
}

QString timeText(ClockValue value)
{
    const qint64 total = value.wholeSeconds();
    return QStringLiteral("%1:%2").arg(total / 60).arg(total % 60, 2, 10, QLatin1Char('0'));
}

std::optional<ClockValue> timeFromText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):([0-5]\\d)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return ClockValue::fromSeconds(match.captured(1).toInt() * 60 + match.captured(2).toInt());
}

ReadResult read(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return Problem{{}, {}, Words::tr("is not a JSON object")};
    return fromObject(document.object());
}

ReadResult fromObject(const QJsonObject &object)
{
    if (auto problem = readHeader(object))
        return *problem;
    if (auto problem = unknownField(object))
        return *problem;
    MatchFormat format;
    if (auto problem = readText(object, NameKey, NameMost, format.name))
        return *problem;
    if (auto problem = readText(object, ShortNameKey, ShortNameMost, format.shortName))
        return *problem;
    for (const Field &field : FieldTable) {
        const QJsonValue value = object.value(QLatin1String(field.key));
        if (value.isUndefined())
            return Problem{QLatin1String(field.key), {}, Words::tr("is missing")};
        const auto read = readValue(field, value);
        if (!read || *read < field.low || *read > field.high)
            return outOfRange(field, shown(value));
        field.set(format, *read);
    }
    return format;
}

QByteArray write(const MatchFormat &format)
{
    return QJsonDocument(toObject(format)).toJson(QJsonDocument::Indented);
}

QJsonObject toObject(const MatchFormat &format)
{
    QJsonObject object{{KindKey, QLatin1String(Kind)},
                       {VersionKey, Version},
                       {NameKey, format.name},
                       {ShortNameKey, format.shortName}};
    for (const Field &field : FieldTable)
        object.insert(QLatin1String(field.key), writeValue(field, field.get(format)));
    return object;
}

std::optional<Problem> check(const MatchFormat &format)
{
    if (auto problem = checkText(NameKey, format.name, NameMost))
        return problem;
    if (auto problem = checkText(ShortNameKey, format.shortName, ShortNameMost))
        return problem;
    for (const Field &field : FieldTable) {
        const int value = field.get(format);
        if (value < field.low || value > field.high)
            return outOfRange(field, writeValue(field, value).toVariant().toString());
    }
    return std::nullopt;
}

} // namespace MatchFormatFile
