// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

#include <QTextBlockFormat>

// Paragraphs: alignment, indents and spacing, tab stops, a list item's
// number, and the breaks that end a paragraph.
namespace RtfReader {

Keywords paragraphKeywords();

QTextBlockFormat blockFormat(const ParaState &para);
void endParagraph(Context &context, int, Param);

} // namespace RtfReader
