// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/journalformat.h"

#include "record/eventnames.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <functional>

namespace JournalFormat {

namespace {

const QString FormatName = QStringLiteral("vantrell-game");

// A whole number that a double holds exactly.
constexpr double MaxExact = 9007199254740992.0;

std::optional<qint64> wholeNumber(const QJsonValue &value, qint64 low, qint64 high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= -MaxExact && number <= MaxExact) || number != double(qint64(number)))
        return std::nullopt;
    const qint64 whole = qint64(number);
    if (whole < low || whole > high)
        return std::nullopt;
    return whole;
}

// Clock values fit a day many times over; anything beyond is damage.
constexpr qint64 MaxRaw = qint64(1) << 40;

QJsonValue slotValue(const SlotState &slot)
{
    QJsonObject object{{QStringLiteral("base"), double(slot.base.raw())},
                       {QStringLiteral("banked"), double(slot.banked.raw())},
                       {QStringLiteral("run"), slot.running}};
    if (slot.start)
        object.insert(QStringLiteral("start"), double(steadyMs(*slot.start)));
    return object;
}

bool readSlot(const QJsonValue &value, SlotState &slot)
{
    const QJsonObject object = value.toObject();
    const auto base = wholeNumber(object.value(QStringLiteral("base")), -MaxRaw, MaxRaw);
    const auto banked = wholeNumber(object.value(QStringLiteral("banked")), -MaxRaw, MaxRaw);
    const QJsonValue run = object.value(QStringLiteral("run"));
    const QJsonValue start = object.value(QStringLiteral("start"));
    const auto startMs = wholeNumber(start, -MaxRaw, MaxRaw);
    if (!base || !banked || !run.isBool() || (!start.isUndefined() && !startMs))
        return false;
    slot = {ClockValue::fromRaw(*base), ClockValue::fromRaw(*banked), run.toBool(), std::nullopt};
    if (startMs)
        slot.start = steadyFromMs(*startMs);
    return true;
}

template<typename T, size_t N> QJsonValue listValue(const std::array<T, N> &items)
{
    QJsonArray list;
    for (const T &item : items)
        list.append(int(item));
    return list;
}

template<typename T, size_t N>
bool readList(const QJsonValue &value, std::array<T, N> &items, int low, int high)
{
    const QJsonArray list = value.toArray();
    if (!value.isArray() || list.size() != qsizetype(N))
        return false;
    std::array<T, N> read{};
    for (size_t i = 0; i < N; ++i) {
        const auto item = wholeNumber(list.at(qsizetype(i)), low, high);
        if (!item)
            return false;
        read[i] = T(*item);
    }
    items = read;
    return true;
}

// Each kind of field as a line holds it, and the values it may take.
QJsonValue toJson(const SlotState &slot)
{
    return slotValue(slot);
}
bool fromJson(const QJsonValue &value, SlotState &slot)
{
    return readSlot(value, slot);
}
QJsonValue toJson(ClockValue value)
{
    return double(value.raw());
}
bool fromJson(const QJsonValue &value, ClockValue &clock)
{
    const auto raw = wholeNumber(value, 0, MaxRaw);
    if (raw)
        clock = ClockValue::fromRaw(*raw);
    return raw.has_value();
}
// A score's figures, ones first.
QJsonValue toJson(const std::array<int, 2> &figures)
{
    return listValue(figures);
}
bool fromJson(const QJsonValue &value, std::array<int, 2> &figures)
{
    return readList(value, figures, -1, 9);
}
QJsonValue toJson(GoalLamp lamp)
{
    return int(lamp);
}
bool fromJson(const QJsonValue &value, GoalLamp &lamp)
{
    const auto read = wholeNumber(value, 0, 2);
    if (read)
        lamp = GoalLamp(*read);
    return read.has_value();
}
QJsonValue toJson(const std::array<MarkState, PenaltyCount> &marks)
{
    return listValue(marks);
}
bool fromJson(const QJsonValue &value, std::array<MarkState, PenaltyCount> &marks)
{
    return readList(value, marks, 0, 2);
}
QJsonValue toJson(const std::array<bool, PenaltyCount> &shown)
{
    return listValue(shown);
}
bool fromJson(const QJsonValue &value, std::array<bool, PenaltyCount> &shown)
{
    return readList(value, shown, 0, 1);
}
QJsonValue toJson(bool flag)
{
    return flag;
}
bool fromJson(const QJsonValue &value, bool &flag)
{
    if (!value.isBool())
        return false;
    flag = value.toBool();
    return true;
}

// A game with no match holds null; a format is held as its file holds it.
QJsonValue toJson(const SharedFormat &format)
{
    return format ? QJsonValue(MatchFormatFile::toObject(*format)) : QJsonValue();
}
bool fromJson(const QJsonValue &value, SharedFormat &format)
{
    if (value.isNull()) {
        format.reset();
        return true;
    }
    const auto read = MatchFormatFile::fromObject(value.toObject());
    if (!value.isObject() || !std::holds_alternative<MatchFormat>(read))
        return false;
    format = std::get<MatchFormat>(read);
    return true;
}
QJsonValue toJson(const MatchState &match)
{
    return QJsonObject{{QStringLiteral("phase"), int(match.phase)},
                       {QStringLiteral("half"), match.half},
                       {QStringLiteral("timeouts"), listValue(match.timeoutsUsed)},
                       {QStringLiteral("timeoutBy"), match.timeoutBy},
                       {QStringLiteral("switch"), match.switchEnds},
                       {QStringLiteral("waits"), match.startKeyAfter},
                       {QStringLiteral("result"), int(match.result)}};
}
bool fromJson(const QJsonValue &value, MatchState &match)
{
    const QJsonObject object = value.toObject();
    const auto phase =
        wholeNumber(object.value(QStringLiteral("phase")), 0, qint64(MatchPhase::Ended));
    const auto half = wholeNumber(object.value(QStringLiteral("half")), 1, 3);
    const auto by = wholeNumber(object.value(QStringLiteral("timeoutBy")), 0, 2);
    const auto result =
        wholeNumber(object.value(QStringLiteral("result")), 0, qint64(MatchResult::Draw));
    MatchState read;
    if (!phase || !half || !by || !result ||
        !readList(object.value(QStringLiteral("timeouts")), read.timeoutsUsed, 0, 99) ||
        !fromJson(object.value(QStringLiteral("switch")), read.switchEnds) ||
        !fromJson(object.value(QStringLiteral("waits")), read.startKeyAfter))
        return false;
    read.phase = MatchPhase(*phase);
    read.half = qint16(*half);
    read.timeoutBy = qint16(*by);
    read.result = MatchResult(*result);
    match = read;
    return true;
}

struct Field
{
    QString key;
    std::function<QJsonValue(const GameSnapshot &)> write;
    std::function<bool(const QJsonValue &, GameSnapshot &)> read;
};

// The count slots are a key each ("s0" to "s7"), so a line names only the
// clocks it changed; every other field is one key.
const std::vector<Field> &fields()
{
    static const std::vector<Field> table = [] {
        std::vector<Field> all;
        forEachGameField([&](const char *name, auto member, GameFields::Carry) {
            using Value = std::remove_cvref_t<decltype(GameSnapshot{}.*member)>;
            if constexpr (std::is_same_v<Value, decltype(GameSnapshot::clocks)>) {
                for (size_t slot = 0; slot < modCount::SlotCount; ++slot)
                    all.push_back({QLatin1String(name) + QString::number(slot),
                                   [=](const GameSnapshot &g) { return toJson((g.*member)[slot]); },
                                   [=](const QJsonValue &v, GameSnapshot &g) {
                                       return fromJson(v, (g.*member)[slot]);
                                   }});
            } else {
                all.push_back({QLatin1String(name),
                               [=](const GameSnapshot &g) { return toJson(g.*member); },
                               [=](const QJsonValue &v, GameSnapshot &g) {
                                   return fromJson(v, g.*member);
                               }});
            }
        });
        return all;
    }();
    return table;
}

QJsonObject stampObject(const Stamp &stamp)
{
    return {{QStringLiteral("t"), double(stamp.wallMs)},
            {QStringLiteral("boot"), QString::fromLatin1(stamp.bootId)},
            {QStringLiteral("steady"), double(stamp.steadyMs)}};
}

QByteArray line(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

Stamp stampOf(const TimeSource &time)
{
    return {time.wallNow().toMSecsSinceEpoch(), time.bootId(), steadyMs(time.steadyNow())};
}

QString kindName(GameEventKind kind)
{
    for (const EventNames &row : EventNameTable) {
        if (row.kind == kind)
            return QString::fromLatin1(row.journal);
    }
    return {};
}

std::optional<GameEventKind> kindFromName(const QString &name)
{
    for (const EventNames &row : EventNameTable) {
        if (name == QLatin1String(row.journal))
            return row.kind;
    }
    return std::nullopt;
}

QByteArray headerLine(const Stamp &stamp, const QString &homeName, const QString &visitorName)
{
    QJsonObject object = stampObject(stamp);
    object.insert(QStringLiteral("names"), QJsonArray{homeName, visitorName});
    object.insert(QStringLiteral("format"), FormatName);
    object.insert(QStringLiteral("version"), Version);
    return line(object);
}

QByteArray eventLine(const GameEvent &event, const Stamp &stamp)
{
    QJsonObject object = stampObject(stamp);
    object.insert(QStringLiteral("event"), kindName(event.kind));
    if (event.subject >= 0)
        object.insert(QStringLiteral("on"), event.subject);
    if (event.kind == GameEventKind::Options)
        object.insert(QStringLiteral("names"), QJsonArray{event.homeName, event.visitorName});
    const bool whole = event.kind == GameEventKind::Resumed;
    object.insert(QStringLiteral("changes"), changes(event.after, whole ? nullptr : &event.before));
    return line(object);
}

QByteArray stateLine(const QString &name, const GameSnapshot &game, const Stamp &stamp)
{
    QJsonObject object = stampObject(stamp);
    object.insert(QStringLiteral("event"), name);
    object.insert(QStringLiteral("changes"), changes(game, nullptr));
    return line(object);
}

QJsonObject changes(const GameSnapshot &after, const GameSnapshot *before)
{
    QJsonObject object;
    for (const Field &field : fields()) {
        const QJsonValue value = field.write(after);
        if (!before || field.write(*before) != value)
            object.insert(field.key, value);
    }
    return object;
}

bool applyChanges(GameSnapshot &game, const QJsonObject &changes)
{
    GameSnapshot changed = game;
    for (const Field &field : fields()) {
        const QJsonValue value = changes.value(field.key);
        if (!value.isUndefined() && !field.read(value, changed))
            return false;
    }
    game = changed;
    return true;
}

bool readStamp(const QJsonObject &line, Stamp &stamp)
{
    const auto wall = wholeNumber(line.value(QStringLiteral("t")), 0, qint64(MaxExact));
    const auto steady = wholeNumber(line.value(QStringLiteral("steady")), 0, qint64(MaxExact));
    const QJsonValue boot = line.value(QStringLiteral("boot"));
    if (!wall || !steady || !boot.isString())
        return false;
    stamp = {*wall, boot.toString().toLatin1(), *steady};
    return true;
}

} // namespace JournalFormat
