// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtftablecontrol.h"

#include "help/rtfparagraph.h"
#include "help/rtftext.h"

#include <algorithm>

namespace RtfReader {
namespace {

// \intbl puts the paragraph in a table; \itapN says how deep, 0 for none.
void setTableLevel(Context &context, int level, Param param)
{
    int &current = context.state().para.tableLevel;
    if (level < 0)
        current = std::max(current, 1);
    else
        current = param.present ? std::clamp(param.value, 0, MaxGroupDepth) : 1;
}

void resetRow(Context &context, int, Param)
{
    context.rowDefinition = RtfRowDefinition();
}

void setRowLeft(Context &context, int, Param param)
{
    context.rowDefinition.left = param.value;
}

void addCellBoundary(Context &context, int, Param param)
{
    if (int(context.rowDefinition.boundaries.size()) < RtfTableBuilder::MaxColumns)
        context.rowDefinition.boundaries.push_back(param.value);
}

// Outside a table a cell mark is read as a tab, so the text keeps apart.
void endCell(Context &context, int, Param)
{
    if (context.state().para.tableLevel == 0 && !context.table.rowOpen()) {
        insertSymbol(context, u'\t', {});
        return;
    }
    placeContent(context);
    dropLoneSurrogate(context);
    flushRun(context);
    context.table.endCell(blockFormat(context.state().para));
    context.textSinceParagraph = false;
}

void endRow(Context &context, int, Param)
{
    if (context.table.rowOpen()) {
        flushRun(context);
        context.table.endRow(context.rowDefinition, blockFormat(context.state().para));
        context.textSinceParagraph = false;
    } else if (context.state().para.tableLevel == 0) {
        endParagraph(context, 0, {});
    }
}

// A table inside a cell keeps its text in the cell around it, its cells
// apart by tabs; its rows end where the paragraph marks written for readers
// without nested tables (\nonesttables) say, since \nestrow comes in a
// group such readers skip.
constexpr Keyword Table[] = {
    {"intbl", setTableLevel, -1, InText},
    {"itap", setTableLevel, 0, InText},
    {"trowd", resetRow, 0, InText},
    {"trleft", setRowLeft, 0, InText},
    {"cellx", addCellBoundary, 0, InText},
    {"cell", endCell, 0, InText},
    {"row", endRow, 0, InText},
    {"nestcell", insertSymbol, u'\t', InText},
};

} // namespace

Keywords tableKeywords()
{
    return Table;
}

void finishTable(Context &context, const ParaState &last)
{
    if (context.table.isEmpty())
        return;
    if (context.table.rowOpen())
        context.table.endRow(context.rowDefinition, blockFormat(last));
    buildTable(context);
}

} // namespace RtfReader
