// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextFormat>

#include <vector>

class QTextCursor;
class QTextTable;

// A row's cell boundaries as \trowd ... \cellxN give them: the right edge of
// each cell, in twips from the margin, and the row's left edge.
struct RtfRowDefinition
{
    int left = 0;
    std::vector<int> boundaries;
};

// Collects a table as the reader meets it, row by row and cell by cell, and
// puts it into the document in one piece once it is complete: a document
// takes a whole table in time that grows with its size, but a table grown a
// row at a time in time that grows with the square of it.
//
// Rows share one grid of columns made of every row's boundaries; a cell
// spans the columns between its boundaries, and the last cell of a row
// spans to the table's right edge, so rows of different shapes still line
// up where their boundaries do.
class RtfTableBuilder
{
public:
    // Word's own limit. A row that would make the grid wider starts a table
    // of its own; the text of cells past it stays in the row's last cell.
    static constexpr int MaxColumns = 63;

    bool isEmpty() const { return m_rows.empty(); }
    bool rowOpen() const { return m_rowOpen; }
    bool fits(const RtfRowDefinition &row) const;

    void beginRow(const RtfRowDefinition &row);
    void addText(const QString &text, const QTextCharFormat &format);
    void addImage(const QTextImageFormat &format);
    void endParagraph(const QTextBlockFormat &ended, const QTextCharFormat &next);
    void endCell(const QTextBlockFormat &last);
    // Older writers define a row after its cells, just before \row.
    void endRow(const RtfRowDefinition &row, const QTextBlockFormat &last);

    // Puts the table at the cursor, which then stands in the paragraph
    // after it, and makes the builder ready for the next table.
    void build(QTextCursor &cursor);

private:
    struct Piece
    {
        enum class Kind : quint8 { Text, Image, BlockFormat, Paragraph };
        Kind kind;
        QString text;
        QTextFormat format;
        QTextFormat next;
    };
    using Cell = std::vector<Piece>;
    struct Row
    {
        std::vector<int> boundaries;
        std::vector<Cell> cells;
        bool cellOpen = false;
    };
    struct Placed
    {
        int column;
        int span;
    };

    static std::vector<int> cleaned(const RtfRowDefinition &row);
    int newBoundaries(const std::vector<int> &boundaries) const;
    void addToGrid(const std::vector<int> &boundaries);
    int nearestColumn(int boundary) const;
    Cell &openCell();
    std::vector<std::vector<Placed>> place(int &columns) const;
    QTextTableFormat tableFormat(int columns) const;
    static QString tableHtml(const std::vector<std::vector<Placed>> &placed);
    void fill(QTextTable &table, const std::vector<std::vector<Placed>> &placed) const;
    void insert(QTextCursor &cursor) const;
    static void replay(const Cell &cell, QTextCursor &cursor);
    void writeWithoutTable(QTextCursor &cursor) const;

    std::vector<Row> m_rows;
    std::vector<int> m_grid; // right edges of the columns, ascending
    int m_left = 0;
    bool m_rowOpen = false;
};
