// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/formatform.h"

#include <QCoreApplication>

#include <optional>

namespace FormatForm {

namespace {

using MatchFormatFile::Field;
using MatchFormatFile::FieldType;

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(FormatForm)
};

struct FieldWords
{
    const char *label;
    std::array<const char *, 2> choices;
};

// The words of each field, in the order of MatchFormatFile::fields().
constexpr FieldWords Table[] = {
    {QT_TRANSLATE_NOOP("FormatForm", "Game clock, each half"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Halves"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Halftime"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Break after a point"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "A point stops the game clock"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Race to (0: no race)"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Mercy lead (0: none)"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Switch ends every (0: never)"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Timeouts a team"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Timeouts given"),
     {QT_TRANSLATE_NOOP("FormatForm", "each half"),
      QT_TRANSLATE_NOOP("FormatForm", "once a match")}},
    {QT_TRANSLATE_NOOP("FormatForm", "Timeout length"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "Sudden death (0:00: a tie is a draw)"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "The break's end starts the next point"), {}},
    {QT_TRANSLATE_NOOP("FormatForm", "A point clears a penalty of the team scored on"), {}},
};

// A field the table does not know yet still shows, by its key.
const FieldWords *wordsOf(const Field &field)
{
    const auto all = MatchFormatFile::fields();
    const auto index = &field - all.data();
    if (index < 0 || index >= qsizetype(std::size(Table)))
        return nullptr;
    return &Table[index];
}

QString translated(const char *text)
{
    return QCoreApplication::translate("FormatForm", text);
}

} // namespace

QString range(const Field &field)
{
    if (field.type == FieldType::Time)
        return Words::tr("give a time as m:ss from %1 to %2")
            .arg(MatchFormatFile::timeText(ClockValue::fromSeconds(field.low)),
                 MatchFormatFile::timeText(ClockValue::fromSeconds(field.high)));
    return Words::tr("give a whole number from %1 to %2").arg(field.low).arg(field.high);
}

namespace {

std::optional<int> valueOf(const Field &field, const QString &text)
{
    if (field.type == FieldType::Time) {
        const auto time = MatchFormatFile::timeFromText(text.trimmed());
        return time ? std::optional<int>(int(time->wholeSeconds())) : std::nullopt;
    }
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QString label(const Field &field)
{
    const FieldWords *words = wordsOf(field);
    return words ? translated(words->label) : QLatin1String(field.key);
}

QString choiceText(const Field &field, int index)
{
    const FieldWords *words = wordsOf(field);
    const size_t at = size_t(qBound(0, index, 1));
    return words && words->choices[at] ? translated(words->choices[at])
                                       : QLatin1String(field.choices[at]);
}

QString text(const Field &field, const MatchFormat &format)
{
    const int value = field.get(format);
    if (field.type == FieldType::Time)
        return MatchFormatFile::timeText(ClockValue::fromSeconds(value));
    return QString::number(value);
}

std::variant<MatchFormat, QString> build(const QString &name, const QString &shortName,
                                         const QStringList &texts)
{
    MatchFormat format;
    format.name = name.trimmed();
    format.shortName = shortName.trimmed();
    if (format.name.isEmpty() || format.name.size() > MatchFormatFile::NameMost)
        return Words::tr("Name: give the format a name of 1 to %1 characters.")
            .arg(MatchFormatFile::NameMost);
    if (format.shortName.isEmpty() || format.shortName.size() > MatchFormatFile::ShortNameMost)
        return Words::tr("Short name: give the strip a name of 1 to %1 characters.")
            .arg(MatchFormatFile::ShortNameMost);
    const auto all = MatchFormatFile::fields();
    for (size_t i = 0; i < all.size(); ++i) {
        const Field &field = all[i];
        const auto value = valueOf(field, texts.value(qsizetype(i)));
        if (!value || *value < field.low || *value > field.high)
            return Words::tr("%1: %2.").arg(label(field), range(field));
        field.set(format, *value);
    }
    return format;
}

} // namespace FormatForm
