// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfcharformat.h"

#include <algorithm>

namespace RtfReader {
namespace {

constexpr int MinHalfPoints = int(MinPointSize * 2);
constexpr int MaxHalfPoints = int(MaxPointSize * 2);

const FontEntry *fontAt(const Context &context, int index)
{
    const auto found = context.fonts.constFind(index >= 0 ? index : context.defaultFont);
    return found == context.fonts.cend() ? nullptr : &found.value();
}

// Index 0 is the default colour whatever the table says, and so is any
// index the table does not have.
QColor colourAt(const Context &context, int index)
{
    if (index <= 0 || size_t(index) >= context.colours.size())
        return {};
    return context.colours[size_t(index)];
}

void setFlag(Context &context, int flag, Param param)
{
    quint16 &flags = context.state().chars.flags;
    flags = quint16(param.isOn() ? (flags | flag) : (flags & ~flag));
}

void clearFlag(Context &context, int flag, Param)
{
    context.state().chars.flags &= ~flag;
}

void setVertical(Context &context, int flag, Param)
{
    quint16 &flags = context.state().chars.flags;
    flags = quint16((flags & ~(Superscript | Subscript)) | flag);
}

void resetChars(Context &context, int, Param)
{
    context.state().chars = CharState{};
}

void setFontSize(Context &context, int, Param param)
{
    context.state().chars.halfPoints =
        param.present ? std::clamp(param.value, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
}

// In the font table \fN starts an entry; in the text it chooses one.
void setFont(Context &context, int, Param param)
{
    if (context.destination() == Destination::FontTable) {
        commitFontName(context);
        context.fontEntry = param.value;
    } else {
        context.state().chars.font = param.value;
    }
}

void setColour(Context &context, int background, Param param)
{
    CharState &chars = context.state().chars;
    (background ? chars.background : chars.colour) = param.value;
}

void setDocumentCodePage(Context &context, int codePage, Param param)
{
    context.codePage = codePage != 0 ? codePage : param.value;
}

void setDefaultFont(Context &context, int, Param param)
{
    context.defaultFont = param.value;
    context.runValid = false;
}

void setFontCharset(Context &context, int, Param param)
{
    context.fonts[context.fontEntry].codePage = codePageForCharset(param.value);
}

void setFontCodePage(Context &context, int, Param param)
{
    context.fonts[context.fontEntry].codePage = std::max(0, param.value);
}

void setFontHint(Context &context, int hint, Param)
{
    context.fonts[context.fontEntry].hint = QFont::StyleHint(hint);
}

void setColourComponent(Context &context, int component, Param param)
{
    context.colourEntry[size_t(component)] = std::clamp(param.value, 0, 255);
    context.colourEntrySet = true;
}

constexpr Keyword Table[] = {
    {"b", setFlag, Bold, InText},
    {"i", setFlag, Italic, InText},
    {"ul", setFlag, Underline, InText},
    {"uld", setFlag, Underline, InText},
    {"uldash", setFlag, Underline, InText},
    {"uldb", setFlag, Underline, InText},
    {"ulth", setFlag, Underline, InText},
    {"ulw", setFlag, Underline, InText},
    {"ulwave", setFlag, Underline, InText},
    {"ulnone", clearFlag, Underline, InText},
    {"strike", setFlag, Strike, InText},
    {"striked", setFlag, Strike, InText},
    {"v", setFlag, Hidden, InText},
    {"super", setVertical, Superscript, InText},
    {"sub", setVertical, Subscript, InText},
    {"nosupersub", setVertical, 0, InText},
    {"plain", resetChars, 0, InText},
    {"fs", setFontSize, 0, InText},
    {"f", setFont, 0, InText | InFontTable},
    {"cf", setColour, 0, InText},
    {"cb", setColour, 1, InText},
    {"highlight", setColour, 1, InText},
    // The document's code page and font
    {"ansicpg", setDocumentCodePage, 0, InText},
    {"ansi", setDocumentCodePage, 1252, InText},
    {"mac", setDocumentCodePage, 10000, InText},
    {"pc", setDocumentCodePage, 437, InText},
    {"pca", setDocumentCodePage, 850, InText},
    {"deff", setDefaultFont, 0, InText},
    // Font table entries
    {"fcharset", setFontCharset, 0, InFontTable},
    {"cpg", setFontCodePage, 0, InFontTable},
    {"fnil", setFontHint, QFont::AnyStyle, InFontTable},
    {"froman", setFontHint, QFont::Serif, InFontTable},
    {"fswiss", setFontHint, QFont::SansSerif, InFontTable},
    {"fmodern", setFontHint, QFont::Monospace, InFontTable},
    {"fscript", setFontHint, QFont::Cursive, InFontTable},
    {"fdecor", setFontHint, QFont::Decorative, InFontTable},
    // Colour table entries
    {"red", setColourComponent, 0, InColourTable},
    {"green", setColourComponent, 1, InColourTable},
    {"blue", setColourComponent, 2, InColourTable},
};

} // namespace

Keywords characterKeywords()
{
    return Table;
}

QTextCharFormat charFormat(const Context &context, const CharState &chars, bool mappedSymbol)
{
    QTextCharFormat format;
    format.setFontWeight(chars.flags & Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.flags & Italic);
    format.setFontUnderline(chars.flags & Underline);
    format.setFontStrikeOut(chars.flags & Strike);
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (chars.flags & Superscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chars.flags & Subscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    const FontEntry *font = fontAt(context, mappedSymbol ? context.textFont : chars.font);
    if (font && !(mappedSymbol && font->symbols() != RtfSymbols::SymbolFont::None)) {
        if (!font->family.isEmpty())
            format.setFontFamilies(QStringList{font->family});
        format.setFontStyleHint(font->hint);
    }
    if (const QColor colour = colourAt(context, chars.colour); colour.isValid())
        format.setForeground(colour);
    if (const QColor colour = colourAt(context, chars.background); colour.isValid())
        format.setBackground(colour);
    return format;
}

int currentCodePage(const Context &context)
{
    const FontEntry *font = fontAt(context, context.state().chars.font);
    return font && font->codePage != 0 ? font->codePage : context.codePage;
}

RtfSymbols::SymbolFont currentSymbolFont(const Context &context)
{
    const FontEntry *font = fontAt(context, context.state().chars.font);
    return font ? font->symbols() : RtfSymbols::SymbolFont::None;
}

// Entries look like "\f0\fswiss\fcharset0 Arial;", alone or each in its own
// group; the name runs up to the semicolon.
void addFontTableText(Context &context, QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == ';')
            commitFontName(context);
        else if (!isLineEnd(c))
            context.fontName.append(c);
    }
}

void addFontTableByte(Context &context, char byte)
{
    context.fontName.append(byte);
}

void commitFontName(Context &context)
{
    if (context.fontName.isEmpty())
        return;
    FontEntry &font = context.fonts[context.fontEntry];
    const int codePage = font.codePage != 0 ? font.codePage : context.codePage;
    QString name = context.decoders.decode(context.fontName, codePage);
    sanitize(name, false);
    name = name.trimmed();
    context.fontName.clear();
    if (!name.isEmpty() && font.family.isEmpty())
        font.family = name;
    context.runValid = false;
}

void addColourTableText(Context &context, QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == ';')
            commitColour(context);
    }
}

// An entry without components is the default colour.
void commitColour(Context &context)
{
    if (context.colourEntrySet)
        context.colours.emplace_back(context.colourEntry[0], context.colourEntry[1],
                                     context.colourEntry[2]);
    else
        context.colours.emplace_back();
    context.colourEntry = {};
    context.colourEntrySet = false;
    context.runValid = false;
}

} // namespace RtfReader
