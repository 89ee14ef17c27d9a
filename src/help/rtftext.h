// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

#include <QByteArrayView>
#include <QString>
#include <QTextBlockFormat>
#include <QTextImageFormat>

// Text on its way into the document: bytes decoded in the current font's
// code page, \uN and symbol fonts turned into Unicode, gathered in runs of
// one format, and each run put where content goes: the open row's cell or
// the document.
namespace RtfReader {

Keywords textKeywords();

void addTextBytes(Context &context, QByteArrayView bytes);
// Decodes the bytes gathered so far; every control word does this first,
// since it may change the font they are in.
void flushBytes(Context &context);
void appendText(Context &context, QString text, bool mappedSymbol = false);
void insertSymbol(Context &context, int character, Param);
// A high surrogate with no low one after it is shown as damage.
void dropLoneSurrogate(Context &context);
void ensureRunFormat(Context &context, bool mappedSymbol);
void flushRun(Context &context);

// A paragraph in a table opens a row; content outside a table after its
// last row ends the table, which then goes into the document whole.
void placeContent(Context &context);
void buildTable(Context &context);
void appendImage(Context &context, const QTextImageFormat &format);
// Ends the paragraph, in `ended`, where content goes.
void appendParagraphEnd(Context &context, const QTextBlockFormat &ended);

} // namespace RtfReader
