// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcodepage.h"
#include "help/rtfpicture.h"
#include "help/rtfsymbols.h"
#include "help/rtfsyntax.h"
#include "help/rtftable.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>

#include <array>
#include <span>
#include <string_view>
#include <vector>

// What the parts of the RTF reader share while a document is read: the
// group stack, the header's tables, the text not yet in the document, and
// the shape of a control-word table row. Each part (character formatting,
// paragraphs, tables, pictures, groups) reads and changes this state through
// the control words of its own table.
namespace RtfReader {

// Shape: a drawing's properties, of which only its picture is shown;
// ShapeName: the name of one of them.
enum class Destination : quint8 {
    Text,
    Skip,
    FontTable,
    ColourTable,
    Picture,
    Shape,
    ShapeName,
};

// Where a control word means something. Elsewhere it is ignored, so that a
// stray \b in the font table or a \red in the text changes nothing.
enum Scope : quint8 {
    InText = 1 << 0,
    InFontTable = 1 << 1,
    InColourTable = 1 << 2,
    InPicture = 1 << 3,
    InShape = 1 << 4,
    Anywhere = InText | InFontTable | InColourTable | InPicture | InShape,
    // Also right after \*, which otherwise skips the group: destinations
    // the reader does show although older readers may not.
    AfterStar = 1 << 5,
};

enum CharFlag : quint16 {
    Bold = 1 << 0,
    Italic = 1 << 1,
    Underline = 1 << 2,
    Strike = 1 << 3,
    Hidden = 1 << 4,
    Superscript = 1 << 5,
    Subscript = 1 << 6,
};

enum ParaLength { LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter, ParaLengthCount };

inline constexpr int DefaultHalfPoints = 24;
inline constexpr int DefaultTabTwips = 720;
// Enough for any manual; a paragraph with more keeps its first ones.
inline constexpr int MaxTabStops = 16;

struct CharState
{
    quint16 flags = 0;
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = DefaultHalfPoints;
    int colour = 0;
    int background = 0;

    bool operator==(const CharState &) const = default;
};

struct TabStop
{
    int twips;
    QTextOption::TabType type;
};

struct ParaState
{
    int alignment = Qt::AlignLeft;
    std::array<int, ParaLengthCount> twips{};
    int tableLevel = 0; // 0 outside tables, 2 and more in nested ones
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    int tabCount = 0;
    std::array<TabStop, MaxTabStops> tabs{};
};

// Everything RTF saves at '{' and restores at '}'.
struct GroupState
{
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
    CharState chars;
    ParaState para;
    bool listText = false; // a list item's number, part of the paragraph around it
};

struct FontEntry
{
    QString family;
    int codePage = 0; // 0: the document's
    QFont::StyleHint hint = QFont::AnyStyle;

    RtfSymbols::SymbolFont symbols() const
    {
        return RtfSymbols::symbolFontOf(family, codePage == SymbolCodePage);
    }
};

struct Param
{
    int value = 0;
    bool present = false;

    // A toggle without a parameter, or with any but 0, switches on.
    bool isOn() const { return !present || value != 0; }
};

struct Context
{
    explicit Context(QTextDocument &into)
        : cursor(&into)
    {
        stack.emplace_back();
    }

    GroupState &state() { return stack.back(); }
    const GroupState &state() const { return stack.back(); }
    Destination destination() const { return stack.back().destination; }

    // Groups
    std::vector<GroupState> stack;
    qsizetype flattenedGroups = 0; // '{' past the depth cap, matched by '}' first
    int fallbackLeft = 0; // characters after \uN still to skip
    bool starred = false; // the last thing read was \*

    // The header: code page, fonts and colours
    int codePage = DefaultCodePage;
    int defaultFont = 0;
    QHash<int, FontEntry> fonts;
    int fontEntry = 0;
    QByteArray fontName;
    std::vector<QColor> colours;
    std::array<int, 3> colourEntry{};
    bool colourEntrySet = false;
    RtfDecoders decoders;
    int defaultTabTwips = DefaultTabTwips;

    // Tables and pictures
    RtfRowDefinition rowDefinition;
    RtfTableBuilder table;
    RtfPicture picture;
    int pictureCount = 0;
    bool shapePictureShown = false;
    QByteArray shapeProperty; // the name of the drawing property being read

    // Text on its way into the document
    QTextCursor cursor;
    QByteArray bytes; // text bytes not yet decoded, all in one code page
    QString run; // decoded text not yet inserted, all in runFormat
    QTextCharFormat runFormat;
    CharState runChars;
    bool runMappedSymbol = false;
    bool runValid = false;
    int textFont = -1; // the last font text was in that is not a symbol font
    char16_t highSurrogate = 0;
    ParaState paraAtLastText;
    bool textSinceParagraph = false;
};

// One row of a part's control-word table: what the word does, with which
// argument, and where it means something.
struct Keyword
{
    using Handler = void (*)(Context &, int arg, Param param);

    std::string_view name;
    Handler handler;
    int arg;
    quint8 scope;
};

using Keywords = std::span<const Keyword>;

} // namespace RtfReader
