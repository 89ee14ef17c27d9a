// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

// Tables as the control words describe them: a row's cell boundaries, the
// paragraphs in it, the ends of cells and rows. The table itself is
// gathered by the context's RtfTableBuilder.
namespace RtfReader {

Keywords tableKeywords();

// At the end of the document: a row left open ends in the last
// paragraph's format, and the table goes into the document.
void finishTable(Context &context, const ParaState &last);

} // namespace RtfReader
