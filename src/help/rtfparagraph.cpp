// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfparagraph.h"

#include "help/rtftext.h"
#include "settings/units.h"

#include <algorithm>
#include <utility>

namespace RtfReader {
namespace {

void addTab(QList<QTextOption::Tab> &tabs, qreal at, QTextOption::TabType type)
{
    if (at <= 0)
        return;
    const auto after = std::lower_bound(
        tabs.begin(), tabs.end(), at,
        [](const QTextOption::Tab &tab, qreal position) { return tab.position < position; });
    if (after != tabs.end() && after->position == at)
        return;
    const QChar delimiter = type == QTextOption::DelimiterTab ? QChar(u'.') : QChar();
    tabs.insert(after, QTextOption::Tab(at, type, delimiter));
}

// Tab stops count from the margin; the document counts them from where the
// line starts, which for the first line is past both indents. A hanging
// indent stops a tab where the item's text starts, as word processors do,
// so a bullet's text and its wrapped lines begin at one place.
QList<QTextOption::Tab> tabPositions(const ParaState &para, qreal firstLine)
{
    QList<QTextOption::Tab> tabs;
    for (int i = 0; i < para.tabCount; ++i) {
        const TabStop &stop = para.tabs[size_t(i)];
        addTab(tabs, stop.twips / TwipsPerPixel - firstLine, stop.type);
    }
    if (para.twips[FirstIndent] < 0)
        addTab(tabs, para.twips[LeftIndent] / TwipsPerPixel - firstLine, QTextOption::LeftTab);
    return tabs;
}

// A list item's number resets the paragraph for itself alone; it stays in
// the table its paragraph is in.
void resetParagraph(Context &context, int, Param)
{
    ParaState &para = context.state().para;
    const int tableLevel = para.tableLevel;
    para = ParaState{};
    if (context.state().listText)
        para.tableLevel = tableLevel;
}

void readListText(Context &context, int, Param)
{
    context.state().listText = true;
}

void setAlignment(Context &context, int alignment, Param)
{
    context.state().para.alignment = alignment;
}

void setParaLength(Context &context, int which, Param param)
{
    const int low = which == FirstIndent ? -MaxTwips : 0;
    context.state().para.twips[size_t(which)] = std::clamp(param.value, low, MaxTwips);
}

void setTabType(Context &context, int type, Param)
{
    context.state().para.nextTabType = QTextOption::TabType(type);
}

// A stop takes the kind named just before it.
void addTabStop(Context &context, int, Param param)
{
    ParaState &para = context.state().para;
    const QTextOption::TabType type = std::exchange(para.nextTabType, QTextOption::LeftTab);
    if (para.tabCount < MaxTabStops)
        para.tabs[size_t(para.tabCount++)] = {std::clamp(param.value, 0, MaxTwips), type};
}

void setDefaultTab(Context &context, int, Param param)
{
    if (param.value > 0)
        context.defaultTabTwips = std::clamp(param.value, int(TwipsPerPixel), MaxTwips);
}

constexpr Keyword Table[] = {
    {"pard", resetParagraph, 0, InText},
    {"listtext", readListText, 0, InText},
    {"pntext", readListText, 0, InText},
    {"ql", setAlignment, Qt::AlignLeft, InText},
    {"qc", setAlignment, Qt::AlignHCenter, InText},
    {"qr", setAlignment, Qt::AlignRight, InText},
    {"qj", setAlignment, Qt::AlignJustify, InText},
    {"qd", setAlignment, Qt::AlignJustify, InText},
    {"li", setParaLength, LeftIndent, InText},
    {"lin", setParaLength, LeftIndent, InText},
    {"ri", setParaLength, RightIndent, InText},
    {"rin", setParaLength, RightIndent, InText},
    {"fi", setParaLength, FirstIndent, InText},
    {"sb", setParaLength, SpaceBefore, InText},
    {"sa", setParaLength, SpaceAfter, InText},
    {"tx", addTabStop, 0, InText},
    {"tqr", setTabType, QTextOption::RightTab, InText},
    {"tqc", setTabType, QTextOption::CenterTab, InText},
    {"tqdec", setTabType, QTextOption::DelimiterTab, InText},
    {"deftab", setDefaultTab, 0, InText},
    // Breaks; the help window has no pages or sections
    {"par", endParagraph, 0, InText},
    {"page", endParagraph, 0, InText},
    {"sect", endParagraph, 0, InText},
    {"line", insertSymbol, QChar::LineSeparator, InText},
    {"tab", insertSymbol, u'\t', InText},
};

} // namespace

Keywords paragraphKeywords()
{
    return Table;
}

QTextBlockFormat blockFormat(const ParaState &para)
{
    const auto pixels = [&para](ParaLength which) {
        return para.twips[which] / TwipsPerPixel;
    };
    QTextBlockFormat format;
    format.setAlignment(Qt::Alignment(para.alignment));
    format.setLeftMargin(pixels(LeftIndent));
    format.setRightMargin(pixels(RightIndent));
    // A hanging indent may reach back to the margin, never past it.
    const qreal indent = std::max(pixels(FirstIndent), -pixels(LeftIndent));
    format.setTextIndent(indent);
    format.setTopMargin(pixels(SpaceBefore));
    format.setBottomMargin(pixels(SpaceAfter));
    if (const QList<QTextOption::Tab> tabs = tabPositions(para, pixels(LeftIndent) + indent);
        !tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

void endParagraph(Context &context, int, Param)
{
    if (context.state().chars.flags & Hidden)
        return;
    appendParagraphEnd(context, blockFormat(context.state().para));
}

} // namespace RtfReader
