// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/csvtable.h"

#include <algorithm>

#include <QCoreApplication>
#include <QStringDecoder>

namespace CsvTable {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(CsvTable)
};

QChar separatorOf(const QString &text)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted)
            commas += c == u',', semicolons += c == u';';
    }
    return semicolons > commas ? u';' : u',';
}

// Reads one table of text, character by character, as RFC 4180 says.
class Reader
{
public:
    Reader(const QString &text, QChar separator)
        : m_text(text)
        , m_separator(separator)
    {
    }

    Table read()
    {
        for (m_at = 0; m_at < m_text.size(); ++m_at)
            take(m_text.at(m_at));
        if (m_quoted)
            m_table.problem =
                Words::tr("line %1: a quote is opened and never closed").arg(m_row.line);
        else
            endRow();
        return m_table;
    }

private:
    void take(QChar c)
    {
        if (m_quoted)
            takeQuoted(c);
        else if (c == u'"' && m_field.isEmpty())
            m_quoted = true;
        else if (c == m_separator)
            endField();
        else if (c == u'\n')
            endRow(), ++m_line;
        else if (c != u'\r')
            m_field += c, m_any = true;
    }

    void takeQuoted(QChar c)
    {
        m_any = true;
        if (c != u'"') {
            m_line += c == u'\n';
            m_field += c;
        } else if (m_at + 1 < m_text.size() && m_text.at(m_at + 1) == u'"') {
            m_field += c;
            ++m_at;
        } else {
            m_quoted = false;
        }
    }

    void endField()
    {
        m_row.fields << m_field;
        m_field.clear();
        m_any = true;
    }

    void endRow()
    {
        if (m_any) {
            m_row.fields << m_field;
            m_table.rows << m_row;
        }
        m_field.clear();
        m_row = Row{m_line + 1, {}};
        m_any = false;
    }

    const QString &m_text;
    const QChar m_separator;
    Table m_table;
    Row m_row{1, {}};
    QString m_field;
    qsizetype m_at = 0;
    int m_line = 1;
    bool m_quoted = false;
    // Whether the row has anything in it, so blank lines are no rows.
    bool m_any = false;
};

} // namespace

Table read(const QByteArray &bytes)
{
    // The decoder drops a byte-order mark at the start.
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(bytes);
    if (decode.hasError())
        return {{}, Words::tr("the file is not UTF-8 text")};
    return Reader(text, separatorOf(text)).read();
}

QByteArray line(const QStringList &fields)
{
    static const QString special = QStringLiteral(",\"\r\n");
    QByteArrayList out;
    for (const QString &field : fields) {
        if (std::none_of(field.begin(), field.end(), [](QChar c) { return special.contains(c); })) {
            out.append(field.toUtf8());
            continue;
        }
        QString text = field;
        text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        out.append('"' + text.toUtf8() + '"');
    }
    return out.join(',') + "\r\n";
}

} // namespace CsvTable
