// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// A table as a spreadsheet exports it: UTF-8, with or without a byte-order
// mark, comma or semicolon separated, quoted as RFC 4180 says (a quoted
// field may hold the separator, a doubled quote and line breaks).
namespace CsvTable {

struct Row
{
    // The file's line the row begins on, counting from 1.
    int line = 0;
    QStringList fields;
};

struct Table
{
    QList<Row> rows;
    // Why the file cannot be read at all; empty when it can.
    QString problem;
};

// The separator is the header's: a semicolon when the first line holds
// more semicolons than commas outside quotes. Blank lines are skipped.
Table read(const QByteArray &bytes);

// One line as the reader reads it back: comma-separated, a field quoted
// only when it holds a comma, a quote or a line break, ended by CRLF.
QByteArray line(const QStringList &fields);

} // namespace CsvTable
