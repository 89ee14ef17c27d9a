// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/scheduleimport.h"

#include "event/csvtable.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>
#include <optional>

namespace ScheduleImport {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(ScheduleImport)
};

// The columns by the names a header may give them; a start is one column
// or a date and a time.
// A field's results file adds a match's state and result.
enum Column { Start, Date, Time, Field, Group, Home, Visitor, Format, State, Score, ColumnCount };

struct ColumnName
{
    Column column;
    std::array<const char *, 3> names;
};

constexpr ColumnName ColumnNames[] = {
    {Start, {"start", "starts", "kickoff"}},    {Date, {"date", "day", nullptr}},
    {Time, {"time", nullptr, nullptr}},         {Field, {"field", "pitch", nullptr}},
    {Group, {"group", "division", "pool"}},     {Home, {"home", "home team", nullptr}},
    {Visitor, {"visitor", "visitors", "away"}}, {Format, {"format", nullptr, nullptr}},
    {State, {"state", "status", nullptr}},      {Score, {"result", "score", nullptr}},
};

// A match's state as the results file writes it; a match under way on
// another field is still to play here.
constexpr std::pair<const char *, ScheduledState> StateWords[] = {
    {"to play", ScheduledState::ToPlay},
    {"under way", ScheduledState::ToPlay},
    {"played", ScheduledState::Played},
    {"forfeit", ScheduledState::Forfeit},
};

// The forms a spreadsheet writes a local date and time in.
constexpr const char *StartForms[] = {"yyyy-MM-dd HH:mm", "yyyy-MM-ddTHH:mm", "yyyy-MM-dd HH:mm:ss",
                                      "dd.MM.yyyy HH:mm", "dd/MM/yyyy HH:mm", "d.M.yyyy H:mm"};

using Columns = std::array<int, ColumnCount>;

Columns columnsOf(const QStringList &header)
{
    Columns at;
    at.fill(-1);
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header.at(i).trimmed().toLower();
        for (const ColumnName &column : ColumnNames) {
            for (const char *known : column.names) {
                if (known && name == QLatin1String(known) && at[column.column] < 0)
                    at[column.column] = i;
            }
        }
    }
    return at;
}

QString missingColumn(const Columns &at)
{
    const bool start = at[Start] >= 0 || (at[Date] >= 0 && at[Time] >= 0);
    if (!start)
        return QStringLiteral("start");
    for (const auto &[column, name] :
         {std::pair{Field, "field"}, std::pair{Home, "home"}, std::pair{Visitor, "visitor"},
          std::pair{Format, "format"}}) {
        if (at[column] < 0)
            return QLatin1String(name);
    }
    return {};
}

std::optional<QDateTime> startOf(const QString &text)
{
    for (const char *form : StartForms) {
        const QDateTime start = QDateTime::fromString(text.simplified(), QLatin1String(form));
        if (start.isValid())
            return start;
    }
    return std::nullopt;
}

// One line read into a match, or why it cannot be.
class LineReader
{
public:
    LineReader(const Columns &at, const QStringList &formats)
        : m_at(at)
        , m_formats(formats)
    {
    }

    std::optional<QString> read(const QStringList &fields, ScheduledMatch &match) const
    {
        const auto value = [&](Column column) {
            return m_at[column] < 0 ? QString() : fields.value(m_at[column]).trimmed();
        };
        const int needed = *std::max_element(m_at.begin(), m_at.end()) + 1;
        if (fields.size() < needed)
            return Words::tr("%1 columns of the header's %2").arg(fields.size()).arg(needed);
        const QString startText =
            m_at[Start] >= 0 ? value(Start) : value(Date) + QLatin1Char(' ') + value(Time);
        const auto start = startOf(startText);
        if (!start)
            return Words::tr("the start \"%1\" is no date and time (as 2026-06-13 14:30)")
                .arg(startText);
        match = {*start,         value(Field),  value(Group),           value(Home),
                 value(Visitor), value(Format), ScheduledState::ToPlay, {}};
        if (const auto problem = teamsProblem(match))
            return problem;
        return outcome(value(State), value(Score), match);
    }

private:
    std::optional<QString> teamsProblem(const ScheduledMatch &match) const
    {
        if (match.home.isEmpty() || match.visitor.isEmpty())
            return Words::tr("a team is not named");
        if (match.home.compare(match.visitor, Qt::CaseInsensitive) == 0)
            return Words::tr("%1 plays itself").arg(match.home);
        if (!m_formats.contains(match.format))
            return Words::tr("no format is named \"%1\"").arg(match.format);
        return std::nullopt;
    }

    // A schedule's file leaves both empty: the match is to play.
    static std::optional<QString> outcome(const QString &state, const QString &score,
                                          ScheduledMatch &match)
    {
        const auto word =
            std::find_if(std::begin(StateWords), std::end(StateWords), [&](const auto &w) {
                return state.compare(QLatin1String(w.first), Qt::CaseInsensitive) == 0;
            });
        if (!state.isEmpty() && word == std::end(StateWords))
            return Words::tr("the state \"%1\" is none of to play, played, forfeit").arg(state);
        match.state = state.isEmpty() ? ScheduledState::ToPlay : word->second;
        if (!match.decided())
            return std::nullopt;
        static const QRegularExpression form(
            QStringLiteral("^(\\d{1,3})\\s*[-\u2013:]\\s*(\\d{1,3})$"));
        const QRegularExpressionMatch read = form.match(score);
        if (!read.hasMatch())
            return Words::tr("the result \"%1\" is no score (as 7-3)").arg(score);
        match.result = {read.captured(1).toInt(), read.captured(2).toInt(), {}};
        return std::nullopt;
    }

    const Columns &m_at;
    const QStringList &m_formats;
};

} // namespace

QString Problem::text() const
{
    return Words::tr("line %1: %2").arg(line).arg(reason);
}

Result read(const QByteArray &csv, const QStringList &formats)
{
    const CsvTable::Table table = CsvTable::read(csv);
    if (!table.problem.isEmpty())
        return {{}, {}, table.problem};
    if (table.rows.isEmpty())
        return {{}, {}, Words::tr("the file has no header row")};
    const Columns at = columnsOf(table.rows.first().fields);
    if (const QString missing = missingColumn(at); !missing.isEmpty())
        return {{}, {}, Words::tr("the header names no column \"%1\"").arg(missing)};
    Result result;
    QList<int> lines;
    const LineReader reader(at, formats);
    for (qsizetype i = 1; i < table.rows.size(); ++i) {
        const CsvTable::Row &row = table.rows.at(i);
        ScheduledMatch match;
        if (const auto problem = reader.read(row.fields, match)) {
            result.problems << Problem{row.line, *problem};
            continue;
        }
        const auto earlier =
            std::find_if(result.matches.cbegin(), result.matches.cend(),
                         [&](const ScheduledMatch &m) { return m.sameMatch(match); });
        if (earlier != result.matches.cend()) {
            result.problems << Problem{row.line,
                                       Words::tr("the same match as line %1")
                                           .arg(lines.at(earlier - result.matches.cbegin()))};
            continue;
        }
        result.matches << match;
        lines << row.line;
    }
    return result;
}

Schedule merged(const Schedule &held, const QList<ScheduledMatch> &imported)
{
    Schedule schedule = held;
    schedule.matches.clear();
    for (const ScheduledMatch &match : held.matches) {
        if (match.state != ScheduledState::ToPlay)
            schedule.matches << match;
    }
    for (const ScheduledMatch &match : imported) {
        const bool kept = std::any_of(schedule.matches.cbegin(), schedule.matches.cend(),
                                      [&](const ScheduledMatch &m) { return m.sameMatch(match); });
        if (!kept)
            schedule.matches << match;
    }
    std::stable_sort(
        schedule.matches.begin(), schedule.matches.end(),
        [](const ScheduledMatch &a, const ScheduledMatch &b) { return a.start < b.start; });
    return schedule;
}

} // namespace ScheduleImport
