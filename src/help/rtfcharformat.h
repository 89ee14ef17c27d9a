// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

#include <QByteArrayView>
#include <QTextCharFormat>

// Character formatting: bold to colour, and the header's font and colour
// tables that \f and \cf choose from.
namespace RtfReader {

Keywords characterKeywords();

// `mappedSymbol`: the text is a symbol font's characters turned into
// Unicode, drawn in the font the text around it is in.
QTextCharFormat charFormat(const Context &context, const CharState &chars, bool mappedSymbol);
// The code page and the symbol font of the text being read.
int currentCodePage(const Context &context);
RtfSymbols::SymbolFont currentSymbolFont(const Context &context);

void addFontTableText(Context &context, QByteArrayView bytes);
void addFontTableByte(Context &context, char byte);
void commitFontName(Context &context);
void addColourTableText(Context &context, QByteArrayView bytes);
void commitColour(Context &context);

} // namespace RtfReader
