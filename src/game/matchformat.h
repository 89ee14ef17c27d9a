// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/clockvalue.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <variant>

// Whether a team's timeouts come back at each half or last the match.
enum class TimeoutsPer : qint16 { Half = 0, Match = 1 };

// How a match is played, as data: the rules read these fields and nothing
// else, never the name. A count of 0 is "none" (no race, no mercy rule,
// never switch ends, no timeouts); an overtime of 0:00 makes a tie a draw.
struct MatchFormat
{
    QString name;
    // What the strip along the board shows, read from across a field.
    QString shortName;
    ClockValue gameLength = ClockValue::fromSeconds(15 * 60);
    qint16 halves = 1;
    ClockValue halftime;
    ClockValue breakLength = ClockValue::fromSeconds(2 * 60);
    // A point stops the game clock and the penalties; otherwise they run on.
    bool stopTime = true;
    qint16 raceTo = 0;
    qint16 mercy = 0;
    qint16 switchEvery = 0;
    qint16 timeouts = 0;
    TimeoutsPer timeoutsPer = TimeoutsPer::Half;
    ClockValue timeoutLength = ClockValue::fromSeconds(60);
    ClockValue overtime;
    // The break's end starts the next point; otherwise the start key does.
    bool autoStart = true;
    // A team scored on has its running penalty with the least time left
    // cleared.
    bool releasePenalty = false;

    bool operator==(const MatchFormat &) const = default;
};

// A game's format, shared by every snapshot of the game: the tick copies
// and compares the game twice, and a format costs it a pointer. Empty is
// no match.
class SharedFormat
{
public:
    SharedFormat() = default;
    SharedFormat(const MatchFormat &format)
        : m_format(std::make_shared<const MatchFormat>(format))
    {
    }

    explicit operator bool() const { return bool(m_format); }
    const MatchFormat &operator*() const { return *m_format; }
    const MatchFormat *operator->() const { return m_format.get(); }
    void reset() { m_format.reset(); }

    bool operator==(const SharedFormat &other) const
    {
        return m_format == other.m_format ||
            (m_format && other.m_format && *m_format == *other.m_format);
    }

private:
    std::shared_ptr<const MatchFormat> m_format;
};

namespace MatchFormatFile {

// The file's own name for what it holds, and the newest version read.
inline constexpr char Kind[] = "vantrell-match-format";
constexpr int Version = 1;

// The longest a clock may be loaded with: the game clock's 99:59, and the
// shot clock's 9:59 for everything that runs on it.
constexpr ClockValue GameClockMost = ClockValue::fromSeconds(99 * 60 + 59);
constexpr ClockValue ShotClockMost = ClockValue::fromSeconds(9 * 60 + 59);

enum class FieldType { Time, Count, Flag, Choice };

// One field of a format as the file names it, and the values it may take:
// the reader, the writer and the editor's form all follow this table.
// Every field but the name holds a whole number: a time in seconds, a
// count, a flag as 0 or 1, a choice as the index of its word.
struct Field
{
    const char *key;
    FieldType type;
    int low;
    int high;
    std::array<const char *, 2> choices;
    int (*get)(const MatchFormat &);
    void (*set)(MatchFormat &, int);
};

std::span<const Field> fields();
// The longest name and short name a format may have.
constexpr int NameMost = 60;
constexpr int ShortNameMost = 16;

// Why a file cannot be used: which field, holding what.
struct Problem
{
    QString field;
    QString value;
    QString reason;

    // One line for the list of formats: "file: field "value": reason".
    QString text(const QString &file) const;
};

using ReadResult = std::variant<MatchFormat, Problem>;

ReadResult read(const QByteArray &json);
QByteArray write(const MatchFormat &format);
// The same as one JSON object, as a game's journal holds its format.
ReadResult fromObject(const QJsonObject &object);
QJsonObject toObject(const MatchFormat &format);

// A time as the file holds it, "m:ss" (minutes may run past 59).
QString timeText(ClockValue value);
std::optional<ClockValue> timeFromText(const QString &text);

// The first field whose value is out of its range, for a format made
// in the program rather than read.
std::optional<Problem> check(const MatchFormat &format);

} // namespace MatchFormatFile
