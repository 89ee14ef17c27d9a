// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtftext.h"

#include "help/rtfcharformat.h"

#include <utility>

namespace RtfReader {
namespace {

// Bytes that have a Unicode character leave the symbol font; the others
// stay in it as they were, in case the font is there after all.
void appendSymbolBytes(Context &context, QByteArrayView bytes, RtfSymbols::SymbolFont font)
{
    QString piece;
    bool pieceMapped = false;
    for (char byte : bytes) {
        const char16_t mapped = RtfSymbols::toUnicode(font, uchar(byte));
        if ((mapped != 0) != pieceMapped && !piece.isEmpty())
            appendText(context, std::exchange(piece, {}), pieceMapped);
        pieceMapped = mapped != 0;
        piece += mapped != 0 ? QChar(mapped) : QChar(uchar(byte));
    }
    appendText(context, piece, pieceMapped);
}

// In a symbol font \uN in the private-use block stands for a byte of the
// font; any other character is already the one meant.
void appendCharacter(Context &context, QChar c)
{
    const RtfSymbols::SymbolFont font = currentSymbolFont(context);
    const char16_t u = c.unicode();
    if (font == RtfSymbols::SymbolFont::None) {
        appendText(context, QString(c));
    } else if (u >= RtfSymbols::PrivateUseBase && u <= RtfSymbols::PrivateUseBase + 0xFF) {
        const char16_t mapped = RtfSymbols::toUnicode(font, uchar(u - RtfSymbols::PrivateUseBase));
        appendText(context, QString(mapped != 0 ? QChar(mapped) : c), mapped != 0);
    } else {
        appendText(context, QString(c), true);
    }
}

void appendSurrogate(Context &context, QChar c)
{
    if (c.isHighSurrogate()) {
        dropLoneSurrogate(context);
        context.highSurrogate = c.unicode();
        return;
    }
    if (context.highSurrogate == 0) {
        appendText(context, QString(QChar::ReplacementCharacter));
        return;
    }
    const QChar pair[] = {QChar(context.highSurrogate), c};
    context.highSurrogate = 0;
    appendText(context, QString(pair, 2));
}

// \uN is a signed 16-bit number; characters beyond the basic plane come as
// two of them, a surrogate pair.
void appendUnicode(Context &context, int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0xFFFF) {
        appendText(context, QString(QChar::ReplacementCharacter));
        return;
    }
    const QChar c{char16_t(value)};
    if (c.isSurrogate())
        appendSurrogate(context, c);
    else
        appendCharacter(context, c);
}

void unicodeChar(Context &context, int, Param param)
{
    if (context.destination() == Destination::Text)
        appendUnicode(context, param.value);
    context.fallbackLeft = context.state().unicodeSkip;
}

void setUnicodeSkip(Context &context, int, Param param)
{
    context.state().unicodeSkip = param.present ? std::max(0, param.value) : 1;
}

constexpr Keyword Table[] = {
    {"emdash", insertSymbol, 0x2014, InText},
    {"endash", insertSymbol, 0x2013, InText},
    {"bullet", insertSymbol, 0x2022, InText},
    {"lquote", insertSymbol, 0x2018, InText},
    {"rquote", insertSymbol, 0x2019, InText},
    {"ldblquote", insertSymbol, 0x201C, InText},
    {"rdblquote", insertSymbol, 0x201D, InText},
    {"emspace", insertSymbol, 0x2003, InText},
    {"enspace", insertSymbol, 0x2002, InText},
    {"qmspace", insertSymbol, 0x2005, InText},
    {"zwj", insertSymbol, 0x200D, InText},
    {"zwnj", insertSymbol, 0x200C, InText},
    {"u", unicodeChar, 0, Anywhere},
    {"uc", setUnicodeSkip, 0, Anywhere},
};

} // namespace

Keywords textKeywords()
{
    return Table;
}

void addTextBytes(Context &context, QByteArrayView bytes)
{
    if (context.state().chars.flags & Hidden)
        return;
    for (char c : bytes) {
        if (!isLineEnd(c))
            context.bytes.append(c);
    }
}

void flushBytes(Context &context)
{
    if (context.bytes.isEmpty())
        return;
    const QByteArray bytes = std::exchange(context.bytes, {});
    if (const RtfSymbols::SymbolFont symbols = currentSymbolFont(context);
        symbols != RtfSymbols::SymbolFont::None) {
        appendSymbolBytes(context, bytes, symbols);
        return;
    }
    appendText(context, context.decoders.decode(bytes, currentCodePage(context)));
}

void appendText(Context &context, QString text, bool mappedSymbol)
{
    if (context.destination() != Destination::Text || (context.state().chars.flags & Hidden))
        return;
    dropLoneSurrogate(context);
    sanitize(text, false);
    if (text.isEmpty())
        return;
    placeContent(context);
    ensureRunFormat(context, mappedSymbol);
    context.run += text;
    context.paraAtLastText = context.state().para;
    context.textSinceParagraph = true;
}

void insertSymbol(Context &context, int character, Param)
{
    appendText(context, QString(QChar(char16_t(character))));
}

void dropLoneSurrogate(Context &context)
{
    if (context.highSurrogate == 0)
        return;
    context.highSurrogate = 0;
    appendText(context, QString(QChar::ReplacementCharacter));
}

// Text goes into the document in runs of one format, not a character at a
// time: a run ends only when the formatting really changes.
void ensureRunFormat(Context &context, bool mappedSymbol)
{
    const CharState &chars = context.state().chars;
    if (context.runValid && chars == context.runChars && mappedSymbol == context.runMappedSymbol)
        return;
    flushRun(context);
    if (!mappedSymbol && currentSymbolFont(context) == RtfSymbols::SymbolFont::None)
        context.textFont = chars.font;
    context.runFormat = charFormat(context, chars, mappedSymbol);
    context.runChars = chars;
    context.runMappedSymbol = mappedSymbol;
    context.runValid = true;
}

void flushRun(Context &context)
{
    if (context.run.isEmpty())
        return;
    if (context.table.rowOpen())
        context.table.addText(context.run, context.runFormat);
    else
        context.cursor.insertText(context.run, context.runFormat);
    context.run.clear();
}

// Content goes into the open row's cell, whatever the paragraph says: a
// list item's number comes in a group of its own that starts with \pard.
void placeContent(Context &context)
{
    if (context.table.rowOpen())
        return;
    if (context.state().para.tableLevel > 0) {
        flushRun(context);
        if (!context.table.fits(context.rowDefinition))
            buildTable(context);
        context.table.beginRow(context.rowDefinition);
    } else if (!context.table.isEmpty()) {
        buildTable(context);
    }
}

void buildTable(Context &context)
{
    flushRun(context);
    context.table.build(context.cursor);
    context.textSinceParagraph = false;
}

void appendImage(Context &context, const QTextImageFormat &format)
{
    placeContent(context);
    flushRun(context);
    if (context.table.rowOpen())
        context.table.addImage(format);
    else
        context.cursor.insertImage(format);
    context.paraAtLastText = context.state().para;
    context.textSinceParagraph = true;
}

void appendParagraphEnd(Context &context, const QTextBlockFormat &ended)
{
    placeContent(context);
    dropLoneSurrogate(context);
    ensureRunFormat(context, false);
    flushRun(context);
    if (context.table.rowOpen()) {
        context.table.endParagraph(ended, context.runFormat);
    } else {
        context.cursor.setBlockFormat(ended);
        context.cursor.insertBlock(QTextBlockFormat(), context.runFormat);
    }
    context.textSinceParagraph = false;
}

} // namespace RtfReader
