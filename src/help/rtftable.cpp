// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtftable.h"

#include "help/rtfsyntax.h"
#include "settings/units.h"

#include <QColor>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <cstdlib>

namespace {

// Boundaries this close are one: rows edited apart in a word processor end
// a few twips from each other.
constexpr int SameBoundary = 30;
constexpr qreal CellPadding = 4;
const QColor BorderColour(160, 160, 160);

} // namespace

// Boundaries run left to right; one that does not is moved just right of
// the one before, so every cell keeps a place of its own.
std::vector<int> RtfTableBuilder::cleaned(const RtfRowDefinition &row)
{
    std::vector<int> boundaries;
    for (int boundary : row.boundaries) {
        if (int(boundaries.size()) == MaxColumns)
            break;
        boundary = std::clamp(boundary, -RtfReader::MaxTwips, RtfReader::MaxTwips);
        if (!boundaries.empty())
            boundary = std::max(boundary, boundaries.back() + 1);
        boundaries.push_back(boundary);
    }
    return boundaries;
}

int RtfTableBuilder::newBoundaries(const std::vector<int> &boundaries) const
{
    int added = 0;
    for (int boundary : boundaries) {
        if (m_grid.empty() ||
            std::abs(m_grid[size_t(nearestColumn(boundary))] - boundary) > SameBoundary)
            ++added;
    }
    return added;
}

bool RtfTableBuilder::fits(const RtfRowDefinition &row) const
{
    return int(m_grid.size()) + newBoundaries(cleaned(row)) <= MaxColumns;
}

void RtfTableBuilder::addToGrid(const std::vector<int> &boundaries)
{
    for (int boundary : boundaries) {
        if (!m_grid.empty() &&
            std::abs(m_grid[size_t(nearestColumn(boundary))] - boundary) <= SameBoundary)
            continue;
        m_grid.insert(std::lower_bound(m_grid.begin(), m_grid.end(), boundary), boundary);
    }
}

int RtfTableBuilder::nearestColumn(int boundary) const
{
    const auto after = std::lower_bound(m_grid.begin(), m_grid.end(), boundary);
    if (after == m_grid.begin())
        return 0;
    if (after == m_grid.end() || boundary - *(after - 1) <= *after - boundary)
        return int(after - m_grid.begin()) - 1;
    return int(after - m_grid.begin());
}

void RtfTableBuilder::beginRow(const RtfRowDefinition &row)
{
    if (m_rows.empty())
        m_left = std::clamp(row.left, -RtfReader::MaxTwips, RtfReader::MaxTwips);
    Row &added = m_rows.emplace_back();
    if (fits(row)) {
        added.boundaries = cleaned(row);
        addToGrid(added.boundaries);
    }
    m_rowOpen = true;
}

// A cell opens with its first content. Past the last cell a row may have,
// the text goes on in that cell after a tab.
RtfTableBuilder::Cell &RtfTableBuilder::openCell()
{
    Row &row = m_rows.back();
    if (!row.cellOpen) {
        row.cellOpen = true;
        if (int(row.cells.size()) == MaxColumns)
            row.cells.back().push_back({Piece::Kind::Text, QStringLiteral("\t"), {}, {}});
        else
            row.cells.emplace_back();
    }
    return row.cells.back();
}

void RtfTableBuilder::addText(const QString &text, const QTextCharFormat &format)
{
    openCell().push_back({Piece::Kind::Text, text, format, {}});
}

void RtfTableBuilder::addImage(const QTextImageFormat &format)
{
    openCell().push_back({Piece::Kind::Image, {}, format, {}});
}

void RtfTableBuilder::endParagraph(const QTextBlockFormat &ended, const QTextCharFormat &next)
{
    openCell().push_back({Piece::Kind::Paragraph, {}, ended, next});
}

void RtfTableBuilder::endCell(const QTextBlockFormat &last)
{
    openCell().push_back({Piece::Kind::BlockFormat, {}, last, {}});
    m_rows.back().cellOpen = false;
}

void RtfTableBuilder::endRow(const RtfRowDefinition &definition, const QTextBlockFormat &last)
{
    Row &row = m_rows.back();
    if (row.cellOpen)
        endCell(last);
    if (row.boundaries.empty() && fits(definition)) {
        row.boundaries = cleaned(definition);
        addToGrid(row.boundaries);
    }
    if (row.cells.empty())
        m_rows.pop_back();
    m_rowOpen = false;
}

// Each cell takes the grid column nearest its boundary, at least one column
// past the cell before; a cell without a boundary takes the next column.
std::vector<std::vector<RtfTableBuilder::Placed>> RtfTableBuilder::place(int &columns) const
{
    std::vector<std::vector<Placed>> placed(m_rows.size());
    columns = std::max(1, int(m_grid.size()));
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const Row &row = m_rows[r];
        int end = -1;
        for (size_t i = 0; i < row.cells.size(); ++i) {
            int last = end + 1;
            if (i < row.boundaries.size())
                last = std::max(nearestColumn(row.boundaries[i]), last);
            placed[r].push_back({end + 1, last - end});
            end = last;
        }
        columns = std::max(columns, end + 1);
    }
    for (std::vector<Placed> &row : placed)
        row.back().span = columns - row.back().column;
    return placed;
}

// Columns take their widths from the boundaries; columns that only rows
// without boundaries use are as wide as their text.
QTextTableFormat RtfTableBuilder::tableFormat(int columns) const
{
    QList<QTextLength> widths;
    for (size_t c = 0; c < size_t(columns); ++c) {
        int twips = 0;
        if (c < m_grid.size())
            twips = m_grid[c] - (c == 0 ? m_left : m_grid[c - 1]);
        widths.append(twips > 0 ? QTextLength(QTextLength::FixedLength, twips / TwipsPerPixel)
                                : QTextLength());
    }
    QTextTableFormat format;
    format.setColumnWidthConstraints(widths);
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(BorderColour);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(CellPadding);
    return format;
}

void RtfTableBuilder::replay(const Cell &cell, QTextCursor &cursor)
{
    for (const Piece &piece : cell) {
        switch (piece.kind) {
        case Piece::Kind::Text:
            cursor.insertText(piece.text, piece.format.toCharFormat());
            break;
        case Piece::Kind::Image:
            cursor.insertImage(piece.format.toImageFormat());
            break;
        case Piece::Kind::BlockFormat:
            cursor.setBlockFormat(piece.format.toBlockFormat());
            break;
        case Piece::Kind::Paragraph:
            cursor.setBlockFormat(piece.format.toBlockFormat());
            cursor.insertBlock(QTextBlockFormat(), piece.next.toCharFormat());
            break;
        }
    }
}

// Should the document refuse the table, its text still shows, a paragraph
// a cell.
void RtfTableBuilder::writeWithoutTable(QTextCursor &cursor) const
{
    for (const Row &row : m_rows) {
        for (const Cell &cell : row.cells) {
            replay(cell, cursor);
            cursor.insertBlock();
        }
    }
}

// The empty table comes from HTML because that is the one way to make a
// table with spanning cells in one piece; merging cells one by one costs
// the whole table each time.
// The table's shape as HTML, its cells empty: the document makes a whole
// table of it in one step.
QString RtfTableBuilder::tableHtml(const std::vector<std::vector<Placed>> &placed)
{
    QString html = QStringLiteral("<table>");
    for (const std::vector<Placed> &row : placed) {
        html += QLatin1String("<tr>");
        for (const Placed &cell : row) {
            html += cell.span == 1 ? QStringLiteral("<td></td>")
                                   : QStringLiteral("<td colspan=\"%1\"></td>").arg(cell.span);
        }
        html += QLatin1String("</tr>");
    }
    return html + QLatin1String("</table>");
}

void RtfTableBuilder::fill(QTextTable &table, const std::vector<std::vector<Placed>> &placed) const
{
    for (size_t r = 0; r < placed.size(); ++r) {
        for (size_t i = 0; i < placed[r].size(); ++i) {
            QTextCursor inCell = table.cellAt(int(r), placed[r][i].column).firstCursorPosition();
            inCell.setBlockFormat(QTextBlockFormat());
            replay(m_rows[r].cells[i], inCell);
        }
    }
}

void RtfTableBuilder::insert(QTextCursor &cursor) const
{
    int columns = 0;
    const std::vector<std::vector<Placed>> placed = place(columns);
    if (cursor.block().length() > 1)
        cursor.insertBlock();
    const int start = cursor.position();
    cursor.insertHtml(tableHtml(placed));
    // Inside an edit block the document has not placed the table among
    // its frames yet; its first cell knows it.
    QTextDocument &doc = *cursor.document();
    auto *table =
        qobject_cast<QTextTable *>(doc.objectForFormat(doc.findBlock(start + 1).charFormat()));
    if (!table || table->rows() != int(placed.size()) || table->columns() != columns) {
        writeWithoutTable(cursor);
        return;
    }
    table->setFormat(tableFormat(columns));
    fill(*table, placed);
    cursor.setPosition(table->lastPosition() + 1);
}

void RtfTableBuilder::build(QTextCursor &cursor)
{
    if (m_rowOpen)
        endRow({}, QTextBlockFormat());
    if (!m_rows.empty())
        insert(cursor);
    m_rows.clear();
    m_grid.clear();
    m_left = 0;
    m_rowOpen = false;
}
