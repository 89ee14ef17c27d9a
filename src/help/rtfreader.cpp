// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfreader.h"

#include "help/rtfpicture.h"
#include "help/rtfsymbols.h"
#include "help/rtftable.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace RtfReader {
namespace {

// Windows has no real code page for the Symbol font; this number stands for
// it, as it does in the Windows API.
constexpr int SymbolCodePage = 42;
constexpr int DefaultHalfPoints = 24;
constexpr int MinHalfPoints = int(MinPointSize * 2);
constexpr int MaxHalfPoints = int(MaxPointSize * 2);

constexpr int DefaultTabTwips = 720;
// Longer than any drawing property the reader looks for.
constexpr qsizetype MaxPropertyName = 16;

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

constexpr quint8 ScopeOf[] = {InText, 0, InFontTable, InColourTable, InPicture, InShape, 0};

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

// Enough for any manual; a paragraph with more keeps its first ones.
constexpr int MaxTabStops = 16;

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

struct CodePageName
{
    int codePage;
    const char *name;
};

// Code pages whose converter is not simply "windows-N".
constexpr CodePageName CodePageNames[] = {
    {437, "IBM437"},    {850, "IBM850"},      {852, "IBM852"},      {866, "IBM866"},
    {932, "Shift_JIS"}, {936, "GBK"},         {949, "windows-949"}, {950, "Big5"},
    {1361, "johab"},    {10000, "macintosh"}, {65001, "UTF-8"},
};

struct CharsetCodePage
{
    int charset;
    int codePage;
};

// \fcharsetN to the code page of that font's text; 0 leaves the document's.
// Charset 0 is Western whatever the document's code page: a Word file saved
// on a Cyrillic Windows still writes "München" in it.
constexpr CharsetCodePage CharsetCodePages[] = {
    {0, 1252},   {1, 0},      {2, SymbolCodePage}, {77, 10000}, {128, 932},
    {129, 949},  {130, 1361}, {134, 936},          {136, 950},  {161, 1253},
    {162, 1254}, {163, 1258}, {177, 1255},         {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},  {238, 1250},         {255, 437},
};

struct SymbolChar
{
    char symbol;
    char16_t character;
};

constexpr SymbolChar ControlSymbols[] = {
    {'\\', u'\\'}, {'{', u'{'}, {'}', u'}'}, {'~', u'\u00A0'}, {'-', u'\u00AD'}, {'_', u'\u2011'},
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

int codePageForCharset(int charset)
{
    for (const CharsetCodePage &entry : CharsetCodePages) {
        if (entry.charset == charset)
            return entry.codePage;
    }
    return 0;
}

QStringDecoder makeDecoder(int codePage)
{
    constexpr auto flags = QStringDecoder::Flag::Stateless;
    for (const CodePageName &entry : CodePageNames) {
        if (entry.codePage == codePage)
            return QStringDecoder(entry.name, flags);
    }
    QStringDecoder windows(("windows-" + QByteArray::number(codePage)).constData(), flags);
    if (windows.isValid())
        return windows;
    return QStringDecoder(("cp" + QByteArray::number(codePage)).constData(), flags);
}

// Characters that must never reach the document: controls, and the markers
// QTextDocument itself uses for frames and objects, which would corrupt its
// structure if inserted as text.
bool isForbidden(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != '\t') || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC ||
        u == QChar::ParagraphSeparator;
}

void sanitize(QString &text, bool keepNewlines)
{
    const auto forbidden = [keepNewlines](QChar c) {
        return isForbidden(c) && !(keepNewlines && c == u'\n');
    };
    if (std::none_of(text.cbegin(), text.cend(), forbidden))
        return;
    QString clean;
    clean.reserve(text.size());
    for (QChar c : std::as_const(text)) {
        if (!forbidden(c))
            clean.append(c);
        else if (c.unicode() >= 0x20)
            clean.append(QChar::ReplacementCharacter);
    }
    text = clean;
}

// Tab stops count from the margin; the document counts them from where the
// line starts, which for the first line is past both indents. A hanging
// indent stops a tab where the item's text starts, as word processors do,
// so a bullet's text and its wrapped lines begin at one place.
QList<QTextOption::Tab> tabPositions(const ParaState &para, qreal firstLine)
{
    QList<QTextOption::Tab> tabs;
    const auto add = [&tabs](qreal at, QTextOption::TabType type) {
        if (at <= 0)
            return;
        const auto after = std::lower_bound(
            tabs.begin(), tabs.end(), at,
            [](const QTextOption::Tab &tab, qreal position) { return tab.position < position; });
        if (after != tabs.end() && after->position == at)
            return;
        const QChar delimiter = type == QTextOption::DelimiterTab ? QChar(u'.') : QChar();
        tabs.insert(after, QTextOption::Tab(at, type, delimiter));
    };
    for (int i = 0; i < para.tabCount; ++i)
        add(para.tabs[size_t(i)].twips / TwipsPerPixel - firstLine, para.tabs[size_t(i)].type);
    if (para.twips[FirstIndent] < 0)
        add(para.twips[LeftIndent] / TwipsPerPixel - firstLine, QTextOption::LeftTab);
    return tabs;
}

class Reader;
using Handler = void (Reader::*)(int arg, Param param);

struct Keyword
{
    std::string_view name;
    Handler handler;
    int arg;
    quint8 scope;
};

class Reader
{
public:
    Reader(QByteArrayView rtf, QTextDocument &into)
        : m_data(rtf.constData())
        , m_size(rtf.size())
        , m_cursor(&into)
    {
        m_stack.emplace_back();
    }

    void run();

private:
    // Reading the input
    void readText();
    void readControl();
    void readControlWord();
    void readControlSymbol(char symbol);
    void readHexByte();
    Param readParameter();
    void skipBinary(Param length);
    bool consumeFallback();
    QByteArrayView dropFallback(QByteArrayView span);
    void dispatch(std::string_view name, Param param);

    // Groups and destinations
    void openGroup();
    void closeGroup();
    GroupState &state() { return m_stack.back(); }
    Destination destination() const { return m_stack.back().destination; }

    // Building the document
    void addTextBytes(QByteArrayView bytes);
    void flushBytes();
    void appendText(QString text, bool mappedSymbol = false);
    void appendSymbolBytes(QByteArrayView bytes, RtfSymbols::SymbolFont font);
    void appendUnicode(int value);
    void appendCharacter(QChar c);
    void dropLoneSurrogate();
    void ensureRunFormat(bool mappedSymbol);
    void flushRun();
    void finish();
    int currentCodePage() const;
    RtfSymbols::SymbolFont currentSymbolFont() const;
    QString decode(QByteArrayView bytes, int codePage);
    const FontEntry *fontAt(int index) const;
    QColor colourAt(int index) const;
    QTextCharFormat charFormat(const CharState &chars, bool mappedSymbol) const;
    QTextBlockFormat blockFormat(const ParaState &para) const;

    // Where content goes: a table's cell or the document
    void placeContent();
    void buildTable();
    void insertPicture();

    // Tables read from the header
    void addFontTableText(QByteArrayView bytes);
    void commitFontName();
    void addColourTableText(QByteArrayView bytes);
    void commitColour();

    // Control word handlers, reached through the keyword table
    void setFlag(int flag, Param param);
    void clearFlag(int flag, Param param);
    void setVertical(int flag, Param param);
    void resetChars(int, Param);
    void setFontSize(int, Param param);
    void setFont(int, Param param);
    void setColour(int background, Param param);
    void resetParagraph(int, Param);
    void readListText(int, Param);
    void setAlignment(int alignment, Param);
    void setParaLength(int which, Param param);
    void setTabType(int type, Param);
    void addTabStop(int, Param param);
    void setDefaultTab(int, Param param);
    void setTableLevel(int level, Param param);
    void resetRow(int, Param);
    void setRowLeft(int, Param param);
    void addCellBoundary(int, Param param);
    void endCell(int, Param);
    void endRow(int, Param);
    void beginPicture(int, Param);
    void setPictureKind(int kind, Param);
    void setPictureGoal(int orientation, Param param);
    void setPictureScale(int orientation, Param param);
    void readShapePicture(int, Param);
    void readShapePictureFallback(int, Param);
    void readShape(int, Param);
    void readShapePropertyName(int, Param);
    void endParagraph(int, Param);
    void insertSymbol(int character, Param);
    void unicodeChar(int, Param param);
    void setUnicodeSkip(int, Param param);
    void setDocumentCodePage(int codePage, Param param);
    void setDefaultFont(int, Param param);
    void skipDestination(int, Param);
    void setDestination(int destination, Param);
    void setFontCharset(int, Param param);
    void setFontCodePage(int, Param param);
    void setFontHint(int hint, Param);
    void setColourComponent(int component, Param param);

    static const std::unordered_map<std::string_view, Keyword> &keywords();

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;

    std::vector<GroupState> m_stack;
    qsizetype m_flattenedGroups = 0; // '{' past the depth cap, matched by '}' first
    int m_fallbackLeft = 0; // characters after \uN still to skip
    bool m_starred = false; // the last thing read was \*

    int m_codePage = DefaultCodePage;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = 0;
    QByteArray m_fontName;
    std::vector<QColor> m_colours;
    std::array<int, 3> m_colourEntry{};
    bool m_colourEntrySet = false;
    std::unordered_map<int, QStringDecoder> m_decoders;
    int m_defaultTabTwips = DefaultTabTwips;

    RtfRowDefinition m_rowDefinition;
    RtfTableBuilder m_table;
    RtfPicture m_picture;
    int m_pictureCount = 0;
    bool m_shapePictureShown = false;
    QByteArray m_shapeProperty; // the name of the drawing property being read

    QTextCursor m_cursor;
    QByteArray m_bytes; // text bytes not yet decoded, all in one code page
    QString m_run; // decoded text not yet inserted, all in m_runFormat
    QTextCharFormat m_runFormat;
    CharState m_runChars;
    bool m_runMappedSymbol = false;
    bool m_runValid = false;
    int m_textFont = -1; // the last font text was in that is not a symbol font
    char16_t m_highSurrogate = 0;
    ParaState m_paraAtLastText;
    bool m_textSinceParagraph = false;
};

const std::unordered_map<std::string_view, Keyword> &Reader::keywords()
{
    static const Keyword table[] = {
        // Character formatting
        {"b", &Reader::setFlag, Bold, InText},
        {"i", &Reader::setFlag, Italic, InText},
        {"ul", &Reader::setFlag, Underline, InText},
        {"uld", &Reader::setFlag, Underline, InText},
        {"uldash", &Reader::setFlag, Underline, InText},
        {"uldb", &Reader::setFlag, Underline, InText},
        {"ulth", &Reader::setFlag, Underline, InText},
        {"ulw", &Reader::setFlag, Underline, InText},
        {"ulwave", &Reader::setFlag, Underline, InText},
        {"ulnone", &Reader::clearFlag, Underline, InText},
        {"strike", &Reader::setFlag, Strike, InText},
        {"striked", &Reader::setFlag, Strike, InText},
        {"v", &Reader::setFlag, Hidden, InText},
        {"super", &Reader::setVertical, Superscript, InText},
        {"sub", &Reader::setVertical, Subscript, InText},
        {"nosupersub", &Reader::setVertical, 0, InText},
        {"plain", &Reader::resetChars, 0, InText},
        {"fs", &Reader::setFontSize, 0, InText},
        {"f", &Reader::setFont, 0, InText | InFontTable},
        {"cf", &Reader::setColour, 0, InText},
        {"cb", &Reader::setColour, 1, InText},
        {"highlight", &Reader::setColour, 1, InText},
        // Paragraph formatting
        {"pard", &Reader::resetParagraph, 0, InText},
        {"listtext", &Reader::readListText, 0, InText},
        {"pntext", &Reader::readListText, 0, InText},
        {"ql", &Reader::setAlignment, Qt::AlignLeft, InText},
        {"qc", &Reader::setAlignment, Qt::AlignHCenter, InText},
        {"qr", &Reader::setAlignment, Qt::AlignRight, InText},
        {"qj", &Reader::setAlignment, Qt::AlignJustify, InText},
        {"qd", &Reader::setAlignment, Qt::AlignJustify, InText},
        {"li", &Reader::setParaLength, LeftIndent, InText},
        {"lin", &Reader::setParaLength, LeftIndent, InText},
        {"ri", &Reader::setParaLength, RightIndent, InText},
        {"rin", &Reader::setParaLength, RightIndent, InText},
        {"fi", &Reader::setParaLength, FirstIndent, InText},
        {"sb", &Reader::setParaLength, SpaceBefore, InText},
        {"sa", &Reader::setParaLength, SpaceAfter, InText},
        {"tx", &Reader::addTabStop, 0, InText},
        {"tqr", &Reader::setTabType, QTextOption::RightTab, InText},
        {"tqc", &Reader::setTabType, QTextOption::CenterTab, InText},
        {"tqdec", &Reader::setTabType, QTextOption::DelimiterTab, InText},
        {"deftab", &Reader::setDefaultTab, 0, InText},
        // Breaks; the help window has no pages or sections
        {"par", &Reader::endParagraph, 0, InText},
        {"page", &Reader::endParagraph, 0, InText},
        {"sect", &Reader::endParagraph, 0, InText},
        {"line", &Reader::insertSymbol, QChar::LineSeparator, InText},
        {"tab", &Reader::insertSymbol, u'\t', InText},
        // Tables. A table inside a cell keeps its text in the cell around
        // it, its cells apart by tabs; its rows end where the paragraph
        // marks written for readers without nested tables (\nonesttables)
        // say, since \nestrow comes in a group such readers skip.
        {"intbl", &Reader::setTableLevel, -1, InText},
        {"itap", &Reader::setTableLevel, 0, InText},
        {"trowd", &Reader::resetRow, 0, InText},
        {"trleft", &Reader::setRowLeft, 0, InText},
        {"cellx", &Reader::addCellBoundary, 0, InText},
        {"cell", &Reader::endCell, 0, InText},
        {"row", &Reader::endRow, 0, InText},
        {"nestcell", &Reader::insertSymbol, u'\t', InText},
        // Pictures: PNG and JPEG are shown, other kinds leave nothing. A
        // word processor writes a picture for itself (\shppict) and the same
        // again for older readers (\nonshppict).
        {"pict", &Reader::beginPicture, 0, InText | InShape},
        {"pngblip", &Reader::setPictureKind, int(RtfPicture::Kind::Png), InPicture},
        {"jpegblip", &Reader::setPictureKind, int(RtfPicture::Kind::Jpeg), InPicture},
        {"emfblip", &Reader::setPictureKind, int(RtfPicture::Kind::Other), InPicture},
        {"wmetafile", &Reader::setPictureKind, int(RtfPicture::Kind::Other), InPicture},
        {"pmmetafile", &Reader::setPictureKind, int(RtfPicture::Kind::Other), InPicture},
        {"macpict", &Reader::setPictureKind, int(RtfPicture::Kind::Other), InPicture},
        {"dibitmap", &Reader::setPictureKind, int(RtfPicture::Kind::Other), InPicture},
        {"wbitmap", &Reader::setPictureKind, int(RtfPicture::Kind::Other), InPicture},
        {"picwgoal", &Reader::setPictureGoal, Qt::Horizontal, InPicture},
        {"pichgoal", &Reader::setPictureGoal, Qt::Vertical, InPicture},
        {"picscalex", &Reader::setPictureScale, Qt::Horizontal, InPicture},
        {"picscaley", &Reader::setPictureScale, Qt::Vertical, InPicture},
        {"shppict", &Reader::readShapePicture, 0, InText | AfterStar},
        {"nonshppict", &Reader::readShapePictureFallback, 0, InText},
        // A drawing holds its picture as its property "pib"; some word
        // processors write pictures only so. What the drawing shows to
        // readers without drawings (\shprslt) is the same again.
        {"shpinst", &Reader::readShape, 0, InText | AfterStar},
        {"sn", &Reader::readShapePropertyName, 0, InShape},
        {"shprslt", &Reader::readShapePictureFallback, 0, InText},
        // Special characters
        {"emdash", &Reader::insertSymbol, 0x2014, InText},
        {"endash", &Reader::insertSymbol, 0x2013, InText},
        {"bullet", &Reader::insertSymbol, 0x2022, InText},
        {"lquote", &Reader::insertSymbol, 0x2018, InText},
        {"rquote", &Reader::insertSymbol, 0x2019, InText},
        {"ldblquote", &Reader::insertSymbol, 0x201C, InText},
        {"rdblquote", &Reader::insertSymbol, 0x201D, InText},
        {"emspace", &Reader::insertSymbol, 0x2003, InText},
        {"enspace", &Reader::insertSymbol, 0x2002, InText},
        {"qmspace", &Reader::insertSymbol, 0x2005, InText},
        {"zwj", &Reader::insertSymbol, 0x200D, InText},
        {"zwnj", &Reader::insertSymbol, 0x200C, InText},
        {"u", &Reader::unicodeChar, 0, Anywhere},
        {"uc", &Reader::setUnicodeSkip, 0, Anywhere},
        // Document
        {"ansicpg", &Reader::setDocumentCodePage, 0, InText},
        {"ansi", &Reader::setDocumentCodePage, 1252, InText},
        {"mac", &Reader::setDocumentCodePage, 10000, InText},
        {"pc", &Reader::setDocumentCodePage, 437, InText},
        {"pca", &Reader::setDocumentCodePage, 850, InText},
        {"deff", &Reader::setDefaultFont, 0, InText},
        {"fonttbl", &Reader::setDestination, int(Destination::FontTable), InText},
        {"colortbl", &Reader::setDestination, int(Destination::ColourTable), InText},
        // Font table entries
        {"fcharset", &Reader::setFontCharset, 0, InFontTable},
        {"cpg", &Reader::setFontCodePage, 0, InFontTable},
        {"fnil", &Reader::setFontHint, QFont::AnyStyle, InFontTable},
        {"froman", &Reader::setFontHint, QFont::Serif, InFontTable},
        {"fswiss", &Reader::setFontHint, QFont::SansSerif, InFontTable},
        {"fmodern", &Reader::setFontHint, QFont::Monospace, InFontTable},
        {"fscript", &Reader::setFontHint, QFont::Cursive, InFontTable},
        {"fdecor", &Reader::setFontHint, QFont::Decorative, InFontTable},
        // Colour table entries
        {"red", &Reader::setColourComponent, 0, InColourTable},
        {"green", &Reader::setColourComponent, 1, InColourTable},
        {"blue", &Reader::setColourComponent, 2, InColourTable},
        // Destinations whose content is not shown. A field's instruction
        // (\fldinst) is skipped while its result (\fldrslt) is read as text.
        {"info", &Reader::skipDestination, 0, Anywhere},
        {"stylesheet", &Reader::skipDestination, 0, Anywhere},
        {"object", &Reader::skipDestination, 0, Anywhere},
        {"fldinst", &Reader::skipDestination, 0, Anywhere},
        {"header", &Reader::skipDestination, 0, Anywhere},
        {"headerl", &Reader::skipDestination, 0, Anywhere},
        {"headerr", &Reader::skipDestination, 0, Anywhere},
        {"headerf", &Reader::skipDestination, 0, Anywhere},
        {"footer", &Reader::skipDestination, 0, Anywhere},
        {"footerl", &Reader::skipDestination, 0, Anywhere},
        {"footerr", &Reader::skipDestination, 0, Anywhere},
        {"footerf", &Reader::skipDestination, 0, Anywhere},
        {"footnote", &Reader::skipDestination, 0, Anywhere},
        {"pn", &Reader::skipDestination, 0, Anywhere},
        {"listtable", &Reader::skipDestination, 0, Anywhere},
        {"listoverridetable", &Reader::skipDestination, 0, Anywhere},
        {"revtbl", &Reader::skipDestination, 0, Anywhere},
        {"rsidtbl", &Reader::skipDestination, 0, Anywhere},
        {"filetbl", &Reader::skipDestination, 0, Anywhere},
        {"xmlnstbl", &Reader::skipDestination, 0, Anywhere},
        {"themedata", &Reader::skipDestination, 0, Anywhere},
        {"colorschememapping", &Reader::skipDestination, 0, Anywhere},
        {"latentstyles", &Reader::skipDestination, 0, Anywhere},
        {"datastore", &Reader::skipDestination, 0, Anywhere},
        {"generator", &Reader::skipDestination, 0, Anywhere},
        {"xe", &Reader::skipDestination, 0, Anywhere},
        {"tc", &Reader::skipDestination, 0, Anywhere},
    };
    static const std::unordered_map<std::string_view, Keyword> byName = [] {
        std::unordered_map<std::string_view, Keyword> map;
        for (const Keyword &keyword : table)
            map.emplace(keyword.name, keyword);
        return map;
    }();
    return byName;
}

void Reader::run()
{
    // One edit for the whole document: otherwise every insertion announces
    // a change and has the cursor lay out its block again.
    m_cursor.beginEditBlock();
    while (m_pos < m_size) {
        switch (m_data[m_pos]) {
        case '{':
            ++m_pos;
            openGroup();
            break;
        case '}':
            ++m_pos;
            closeGroup();
            break;
        case '\\':
            ++m_pos;
            readControl();
            break;
        default:
            readText();
            break;
        }
    }
    finish();
    m_cursor.endEditBlock();
}

// Reads plain text up to the next brace or backslash in one piece.
void Reader::readText()
{
    const qsizetype start = m_pos;
    while (m_pos < m_size && m_data[m_pos] != '{' && m_data[m_pos] != '}' && m_data[m_pos] != '\\')
        ++m_pos;
    QByteArrayView span(m_data + start, m_pos - start);
    m_starred = false;
    if (m_fallbackLeft > 0)
        span = dropFallback(span);
    switch (destination()) {
    case Destination::Text:
        addTextBytes(span);
        break;
    case Destination::FontTable:
        addFontTableText(span);
        break;
    case Destination::ColourTable:
        addColourTableText(span);
        break;
    case Destination::Picture:
        m_picture.addHex(span);
        break;
    case Destination::ShapeName:
        m_shapeProperty.append(span.first(std::min(span.size(), MaxPropertyName)));
        m_shapeProperty.truncate(MaxPropertyName);
        break;
    case Destination::Shape:
    case Destination::Skip:
        break;
    }
}

void Reader::readControl()
{
    if (m_pos >= m_size)
        return;
    const char c = m_data[m_pos];
    if (isLetter(c)) {
        readControlWord();
    } else {
        ++m_pos;
        readControlSymbol(c);
    }
}

void Reader::readControlWord()
{
    const qsizetype start = m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]))
        ++m_pos;
    const std::string_view name(m_data + start, size_t(m_pos - start));
    const Param param = readParameter();
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos;
    // Binary data must be stepped over wherever it is, or its bytes would be
    // read as braces and control words.
    if (name == "bin") {
        m_starred = false;
        consumeFallback();
        skipBinary(param);
        return;
    }
    if (consumeFallback())
        return;
    dispatch(name, param);
    m_starred = false;
}

void Reader::readControlSymbol(char symbol)
{
    if (symbol == '\'') {
        readHexByte();
        return;
    }
    m_starred = false;
    if (consumeFallback())
        return;
    if (symbol == '*') {
        // Marks a destination that a reader may not know; the help window
        // shows none of them but pictures.
        state().destination = Destination::Skip;
        m_starred = true;
        return;
    }
    if (destination() != Destination::Text)
        return;
    flushBytes();
    if (isLineEnd(symbol)) {
        endParagraph(0, {});
        return;
    }
    for (const SymbolChar &entry : ControlSymbols) {
        if (entry.symbol == symbol) {
            appendText(QString(QChar(entry.character)));
            return;
        }
    }
}

// \'hh: one byte in the code page of the current font. A broken escape
// gives nothing and takes only its hex digits with it.
void Reader::readHexByte()
{
    int digits = 0;
    int value = 0;
    while (digits < 2 && m_pos < m_size && hexValue(m_data[m_pos]) >= 0) {
        value = value * 16 + hexValue(m_data[m_pos]);
        ++m_pos;
        ++digits;
    }
    if (consumeFallback() || digits < 2)
        return;
    const char byte = char(value);
    if (destination() == Destination::Text)
        addTextBytes(QByteArrayView(&byte, 1));
    else if (destination() == Destination::FontTable)
        m_fontName.append(byte);
}

// Numbers are clamped to 32 bits; the digits beyond are read and dropped.
Param Reader::readParameter()
{
    Param param;
    bool negative = false;
    if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos >= m_size || !isDigit(m_data[m_pos]))
        return param;
    constexpr qint64 Limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    while (m_pos < m_size && isDigit(m_data[m_pos])) {
        magnitude = std::min(Limit, magnitude * 10 + (m_data[m_pos] - '0'));
        ++m_pos;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    param.value = int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max()));
    param.present = true;
    return param;
}

void Reader::skipBinary(Param length)
{
    const qsizetype wanted = length.present ? std::max(0, length.value) : 0;
    const qsizetype taken = std::min(wanted, m_size - m_pos);
    if (destination() == Destination::Picture)
        m_picture.addBinary(QByteArrayView(m_data + m_pos, taken));
    m_pos += taken;
}

// After \uN the next \ucN characters are the fallback for older readers: a
// byte, a \'hh or a control word each count as one; a brace ends them.
bool Reader::consumeFallback()
{
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

QByteArrayView Reader::dropFallback(QByteArrayView span)
{
    qsizetype i = 0;
    while (i < span.size() && m_fallbackLeft > 0) {
        if (!isLineEnd(span[i]))
            --m_fallbackLeft;
        ++i;
    }
    return span.sliced(i);
}

void Reader::dispatch(std::string_view name, Param param)
{
    const auto &table = keywords();
    const auto found = table.find(name);
    if (found == table.end())
        return;
    const Keyword &keyword = found->second;
    const bool afterStar = m_starred && (keyword.scope & AfterStar);
    if ((keyword.scope & ScopeOf[int(destination())]) == 0 && !afterStar)
        return;
    flushBytes();
    (this->*keyword.handler)(keyword.arg, param);
}

void Reader::openGroup()
{
    flushBytes();
    m_fallbackLeft = 0;
    m_starred = false;
    if (int(m_stack.size()) > MaxGroupDepth) {
        ++m_flattenedGroups;
        return;
    }
    const GroupState inherited = m_stack.back();
    m_stack.push_back(inherited);
}

// A '}' with no open group is ignored, so text after it is still shown.
void Reader::closeGroup()
{
    flushBytes();
    m_fallbackLeft = 0;
    m_starred = false;
    if (m_flattenedGroups > 0) {
        --m_flattenedGroups;
        return;
    }
    if (m_stack.size() <= 1)
        return;
    const Destination closing = destination();
    const Destination parent = m_stack[m_stack.size() - 2].destination;
    if (closing == Destination::FontTable)
        commitFontName();
    if (closing == Destination::ColourTable && parent != Destination::ColourTable &&
        m_colourEntrySet)
        commitColour();
    if (closing == Destination::Picture && parent != Destination::Picture)
        insertPicture();
    m_stack.pop_back();
}

void Reader::addTextBytes(QByteArrayView bytes)
{
    if (state().chars.flags & Hidden)
        return;
    for (char c : bytes) {
        if (!isLineEnd(c))
            m_bytes.append(c);
    }
}

void Reader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QByteArray bytes = std::exchange(m_bytes, {});
    if (const RtfSymbols::SymbolFont symbols = currentSymbolFont();
        symbols != RtfSymbols::SymbolFont::None) {
        appendSymbolBytes(bytes, symbols);
        return;
    }
    appendText(decode(bytes, currentCodePage()));
}

// `mappedSymbol`: the text is a symbol font's characters turned into
// Unicode, to be drawn in the text's font.
void Reader::appendText(QString text, bool mappedSymbol)
{
    if (destination() != Destination::Text || (state().chars.flags & Hidden))
        return;
    dropLoneSurrogate();
    sanitize(text, false);
    if (text.isEmpty())
        return;
    placeContent();
    ensureRunFormat(mappedSymbol);
    m_run += text;
    m_paraAtLastText = state().para;
    m_textSinceParagraph = true;
}

// Bytes that have a Unicode character leave the symbol font; the others
// stay in it as they were, in case the font is there after all.
void Reader::appendSymbolBytes(QByteArrayView bytes, RtfSymbols::SymbolFont font)
{
    QString piece;
    bool pieceMapped = false;
    for (char byte : bytes) {
        const char16_t mapped = RtfSymbols::toUnicode(font, uchar(byte));
        if ((mapped != 0) != pieceMapped && !piece.isEmpty())
            appendText(std::exchange(piece, {}), pieceMapped);
        pieceMapped = mapped != 0;
        piece += mapped != 0 ? QChar(mapped) : QChar(uchar(byte));
    }
    appendText(piece, pieceMapped);
}

// \uN is a signed 16-bit number; characters beyond the basic plane come as
// two of them, a surrogate pair.
void Reader::appendUnicode(int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0xFFFF) {
        appendText(QString(QChar::ReplacementCharacter));
        return;
    }
    const QChar c{char16_t(value)};
    if (c.isHighSurrogate()) {
        dropLoneSurrogate();
        m_highSurrogate = c.unicode();
        return;
    }
    if (c.isLowSurrogate()) {
        if (m_highSurrogate == 0) {
            appendText(QString(QChar::ReplacementCharacter));
            return;
        }
        const QChar pair[] = {QChar(m_highSurrogate), c};
        m_highSurrogate = 0;
        appendText(QString(pair, 2));
        return;
    }
    appendCharacter(c);
}

// In a symbol font \uN in the private-use block stands for a byte of the
// font; any other character is already the one meant.
void Reader::appendCharacter(QChar c)
{
    const RtfSymbols::SymbolFont font = currentSymbolFont();
    const char16_t u = c.unicode();
    if (font == RtfSymbols::SymbolFont::None) {
        appendText(QString(c));
    } else if (u >= RtfSymbols::PrivateUseBase && u <= RtfSymbols::PrivateUseBase + 0xFF) {
        const char16_t mapped = RtfSymbols::toUnicode(font, uchar(u - RtfSymbols::PrivateUseBase));
        appendText(QString(mapped != 0 ? QChar(mapped) : c), mapped != 0);
    } else {
        appendText(QString(c), true);
    }
}

void Reader::dropLoneSurrogate()
{
    if (m_highSurrogate == 0)
        return;
    m_highSurrogate = 0;
    appendText(QString(QChar::ReplacementCharacter));
}

// Text goes into the document in runs of one format, not a character at a
// time: a run ends only when the formatting really changes.
void Reader::ensureRunFormat(bool mappedSymbol)
{
    const CharState &chars = state().chars;
    if (m_runValid && chars == m_runChars && mappedSymbol == m_runMappedSymbol)
        return;
    flushRun();
    if (!mappedSymbol && currentSymbolFont() == RtfSymbols::SymbolFont::None)
        m_textFont = chars.font;
    m_runFormat = charFormat(chars, mappedSymbol);
    m_runChars = chars;
    m_runMappedSymbol = mappedSymbol;
    m_runValid = true;
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
    if (m_table.rowOpen())
        m_table.addText(m_run, m_runFormat);
    else
        m_cursor.insertText(m_run, m_runFormat);
    m_run.clear();
}

void Reader::finish()
{
    flushBytes();
    dropLoneSurrogate();
    flushRun();
    // The last paragraph often has no \par: it takes the formatting its
    // text had, not what is left once the document's group has closed.
    const ParaState &last = m_textSinceParagraph ? m_paraAtLastText : state().para;
    if (!m_table.isEmpty()) {
        if (m_table.rowOpen())
            m_table.endRow(m_rowDefinition, blockFormat(last));
        buildTable();
    }
    m_cursor.setBlockFormat(blockFormat(m_textSinceParagraph ? m_paraAtLastText : state().para));
    QTextDocument &doc = *m_cursor.document();
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(m_defaultTabTwips / TwipsPerPixel);
    doc.setDefaultTextOption(option);
}

int Reader::currentCodePage() const
{
    const CharState &chars = m_stack.back().chars;
    const FontEntry *font = fontAt(chars.font);
    return font && font->codePage != 0 ? font->codePage : m_codePage;
}

RtfSymbols::SymbolFont Reader::currentSymbolFont() const
{
    const FontEntry *font = fontAt(m_stack.back().chars.font);
    return font ? font->symbols() : RtfSymbols::SymbolFont::None;
}

// Content goes into the open row's cell, whatever the paragraph says: a
// list item's number comes in a group of its own that starts with \pard. A
// paragraph in a table opens a row; content outside a table after its last
// row ends the table, which then goes into the document whole.
void Reader::placeContent()
{
    if (m_table.rowOpen())
        return;
    if (state().para.tableLevel > 0) {
        flushRun();
        if (!m_table.fits(m_rowDefinition))
            buildTable();
        m_table.beginRow(m_rowDefinition);
    } else if (!m_table.isEmpty()) {
        buildTable();
    }
}

void Reader::buildTable()
{
    flushRun();
    m_table.build(m_cursor);
    m_textSinceParagraph = false;
}

// Pictures are kept in the document under names of their own, and shown at
// the size the picture itself settled.
void Reader::insertPicture()
{
    const QImage image = m_picture.image();
    m_picture = RtfPicture();
    if (image.isNull() || (state().chars.flags & Hidden))
        return;
    placeContent();
    flushRun();
    const QString name = QStringLiteral("rtfpicture:%1").arg(++m_pictureCount);
    m_cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    if (m_table.rowOpen())
        m_table.addImage(format);
    else
        m_cursor.insertImage(format);
    m_paraAtLastText = state().para;
    m_textSinceParagraph = true;
    m_shapePictureShown = true;
}

QString Reader::decode(QByteArrayView bytes, int codePage)
{
    if (codePage == SymbolCodePage)
        return QString::fromLatin1(bytes);
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end()) {
        QStringDecoder decoder = makeDecoder(codePage);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringDecoder::Latin1, QStringDecoder::Flag::Stateless);
        found = m_decoders.emplace(codePage, std::move(decoder)).first;
    }
    return found->second.decode(bytes);
}

const FontEntry *Reader::fontAt(int index) const
{
    const auto found = m_fonts.constFind(index >= 0 ? index : m_defaultFont);
    return found == m_fonts.cend() ? nullptr : &found.value();
}

// Index 0 is the default colour whatever the table says, and so is any
// index the table does not have.
QColor Reader::colourAt(int index) const
{
    if (index <= 0 || size_t(index) >= m_colours.size())
        return {};
    return m_colours[size_t(index)];
}

QTextCharFormat Reader::charFormat(const CharState &chars, bool mappedSymbol) const
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
    const FontEntry *font = fontAt(mappedSymbol ? m_textFont : chars.font);
    if (font && !(mappedSymbol && font->symbols() != RtfSymbols::SymbolFont::None)) {
        if (!font->family.isEmpty())
            format.setFontFamilies(QStringList{font->family});
        format.setFontStyleHint(font->hint);
    }
    if (const QColor colour = colourAt(chars.colour); colour.isValid())
        format.setForeground(colour);
    if (const QColor colour = colourAt(chars.background); colour.isValid())
        format.setBackground(colour);
    return format;
}

QTextBlockFormat Reader::blockFormat(const ParaState &para) const
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

// Entries look like "\f0\fswiss\fcharset0 Arial;", alone or each in its own
// group; the name runs up to the semicolon.
void Reader::addFontTableText(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == ';')
            commitFontName();
        else if (!isLineEnd(c))
            m_fontName.append(c);
    }
}

void Reader::commitFontName()
{
    if (m_fontName.isEmpty())
        return;
    FontEntry &font = m_fonts[m_fontEntry];
    const int codePage = font.codePage != 0 ? font.codePage : m_codePage;
    QString name = decode(m_fontName, codePage);
    sanitize(name, false);
    name = name.trimmed();
    m_fontName.clear();
    if (!name.isEmpty() && font.family.isEmpty())
        font.family = name;
    m_runValid = false;
}

void Reader::addColourTableText(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == ';')
            commitColour();
    }
}

// An entry without components is the default colour.
void Reader::commitColour()
{
    if (m_colourEntrySet)
        m_colours.emplace_back(m_colourEntry[0], m_colourEntry[1], m_colourEntry[2]);
    else
        m_colours.emplace_back();
    m_colourEntry = {};
    m_colourEntrySet = false;
    m_runValid = false;
}

void Reader::setFlag(int flag, Param param)
{
    quint16 &flags = state().chars.flags;
    flags = quint16(param.isOn() ? (flags | flag) : (flags & ~flag));
}

void Reader::clearFlag(int flag, Param)
{
    state().chars.flags &= ~flag;
}

void Reader::setVertical(int flag, Param)
{
    quint16 &flags = state().chars.flags;
    flags = quint16((flags & ~(Superscript | Subscript)) | flag);
}

void Reader::resetChars(int, Param)
{
    state().chars = CharState{};
}

void Reader::setFontSize(int, Param param)
{
    state().chars.halfPoints =
        param.present ? std::clamp(param.value, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
}

// In the font table \fN starts an entry; in the text it chooses one.
void Reader::setFont(int, Param param)
{
    if (destination() == Destination::FontTable) {
        commitFontName();
        m_fontEntry = param.value;
    } else {
        state().chars.font = param.value;
    }
}

void Reader::setColour(int background, Param param)
{
    (background ? state().chars.background : state().chars.colour) = param.value;
}

// A list item's number resets the paragraph for itself alone; it stays in
// the table its paragraph is in.
void Reader::resetParagraph(int, Param)
{
    ParaState &para = state().para;
    const int tableLevel = para.tableLevel;
    para = ParaState{};
    if (state().listText)
        para.tableLevel = tableLevel;
}

void Reader::readListText(int, Param)
{
    state().listText = true;
}

void Reader::setAlignment(int alignment, Param)
{
    state().para.alignment = alignment;
}

void Reader::setParaLength(int which, Param param)
{
    const int low = which == FirstIndent ? -MaxTwips : 0;
    state().para.twips[size_t(which)] = std::clamp(param.value, low, MaxTwips);
}

void Reader::setTabType(int type, Param)
{
    state().para.nextTabType = QTextOption::TabType(type);
}

// A stop takes the kind named just before it.
void Reader::addTabStop(int, Param param)
{
    ParaState &para = state().para;
    const QTextOption::TabType type = std::exchange(para.nextTabType, QTextOption::LeftTab);
    if (para.tabCount < MaxTabStops)
        para.tabs[size_t(para.tabCount++)] = {std::clamp(param.value, 0, MaxTwips), type};
}

void Reader::setDefaultTab(int, Param param)
{
    if (param.value > 0)
        m_defaultTabTwips = std::clamp(param.value, int(TwipsPerPixel), MaxTwips);
}

// \intbl puts the paragraph in a table; \itapN says how deep, 0 for none.
void Reader::setTableLevel(int level, Param param)
{
    int &current = state().para.tableLevel;
    if (level < 0)
        current = std::max(current, 1);
    else
        current = param.present ? std::clamp(param.value, 0, MaxGroupDepth) : 1;
}

void Reader::resetRow(int, Param)
{
    m_rowDefinition = RtfRowDefinition();
}

void Reader::setRowLeft(int, Param param)
{
    m_rowDefinition.left = param.value;
}

void Reader::addCellBoundary(int, Param param)
{
    if (int(m_rowDefinition.boundaries.size()) < RtfTableBuilder::MaxColumns)
        m_rowDefinition.boundaries.push_back(param.value);
}

// Outside a table a cell mark is read as a tab, so the text keeps apart.
void Reader::endCell(int, Param)
{
    if (state().para.tableLevel == 0 && !m_table.rowOpen()) {
        insertSymbol(u'\t', {});
        return;
    }
    placeContent();
    dropLoneSurrogate();
    flushRun();
    m_table.endCell(blockFormat(state().para));
    m_textSinceParagraph = false;
}

void Reader::endRow(int, Param)
{
    if (m_table.rowOpen()) {
        flushRun();
        m_table.endRow(m_rowDefinition, blockFormat(state().para));
        m_textSinceParagraph = false;
    } else if (state().para.tableLevel == 0) {
        endParagraph(0, {});
    }
}

void Reader::beginPicture(int, Param)
{
    if (destination() == Destination::Shape && m_shapeProperty != "pib") {
        state().destination = Destination::Skip;
        return;
    }
    state().destination = Destination::Picture;
    m_picture = RtfPicture();
}

void Reader::setPictureKind(int kind, Param)
{
    m_picture.setKind(RtfPicture::Kind(kind));
}

void Reader::setPictureGoal(int orientation, Param param)
{
    m_picture.setGoal(Qt::Orientation(orientation), param.value);
}

void Reader::setPictureScale(int orientation, Param param)
{
    m_picture.setScale(Qt::Orientation(orientation), param.value);
}

// {\*\shppict {\pict ...}}: the picture as the word processor shows it,
// read where its group would be.
void Reader::readShapePicture(int, Param)
{
    const size_t depth = m_stack.size();
    if (depth < 2 || m_stack[depth - 2].destination == Destination::Text)
        state().destination = Destination::Text;
    m_shapePictureShown = false;
}

// {\*\shpinst ...}: a drawing, read for its picture only.
void Reader::readShape(int, Param)
{
    const size_t depth = m_stack.size();
    if (depth < 2 || m_stack[depth - 2].destination == Destination::Text)
        state().destination = Destination::Shape;
    m_shapePictureShown = false;
}

void Reader::readShapePropertyName(int, Param)
{
    state().destination = Destination::ShapeName;
    m_shapeProperty.clear();
}

// {\nonshppict ...} and {\shprslt ...}: the same picture again for readers
// without the one before, read only when that one did not show.
void Reader::readShapePictureFallback(int, Param)
{
    if (m_shapePictureShown)
        state().destination = Destination::Skip;
    m_shapePictureShown = false;
}

void Reader::endParagraph(int, Param)
{
    if (state().chars.flags & Hidden)
        return;
    placeContent();
    dropLoneSurrogate();
    ensureRunFormat(false);
    flushRun();
    if (m_table.rowOpen()) {
        m_table.endParagraph(blockFormat(state().para), m_runFormat);
    } else {
        m_cursor.setBlockFormat(blockFormat(state().para));
        m_cursor.insertBlock(QTextBlockFormat(), m_runFormat);
    }
    m_textSinceParagraph = false;
}

void Reader::insertSymbol(int character, Param)
{
    appendText(QString(QChar(char16_t(character))));
}

void Reader::unicodeChar(int, Param param)
{
    if (destination() == Destination::Text)
        appendUnicode(param.value);
    m_fallbackLeft = state().unicodeSkip;
}

void Reader::setUnicodeSkip(int, Param param)
{
    state().unicodeSkip = param.present ? std::max(0, param.value) : 1;
}

void Reader::setDocumentCodePage(int codePage, Param param)
{
    m_codePage = codePage != 0 ? codePage : param.value;
}

void Reader::setDefaultFont(int, Param param)
{
    m_defaultFont = param.value;
    m_runValid = false;
}

void Reader::skipDestination(int, Param)
{
    state().destination = Destination::Skip;
}

void Reader::setDestination(int destination, Param)
{
    state().destination = Destination(destination);
}

void Reader::setFontCharset(int, Param param)
{
    m_fonts[m_fontEntry].codePage = codePageForCharset(param.value);
}

void Reader::setFontCodePage(int, Param param)
{
    m_fonts[m_fontEntry].codePage = std::max(0, param.value);
}

void Reader::setFontHint(int hint, Param)
{
    m_fonts[m_fontEntry].hint = QFont::StyleHint(hint);
}

void Reader::setColourComponent(int component, Param param)
{
    m_colourEntry[size_t(component)] = std::clamp(param.value, 0, 255);
    m_colourEntrySet = true;
}

QByteArrayView withoutLeadingNoise(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    while (!view.isEmpty() &&
           (view.front() == ' ' || view.front() == '\t' || isLineEnd(view.front())))
        view = view.sliced(1);
    return view;
}

QString plainText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    sanitize(text, true);
    return text;
}

} // namespace

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool looksLikeRtf(const QByteArray &bytes)
{
    return withoutLeadingNoise(bytes).startsWith("{\\rtf");
}

void read(const QByteArray &rtf, QTextDocument &into)
{
    // Every insertion would otherwise be kept for undo, doubling the memory
    // a large manual takes, for a document nobody edits.
    const bool undo = into.isUndoRedoEnabled();
    into.setUndoRedoEnabled(false);
    into.clear();
    Reader(withoutLeadingNoise(rtf), into).run();
    into.setUndoRedoEnabled(undo);
}

void load(const QByteArray &bytes, QTextDocument &into)
{
    if (looksLikeRtf(bytes)) {
        read(bytes, into);
        return;
    }
    const bool undo = into.isUndoRedoEnabled();
    into.setUndoRedoEnabled(false);
    into.setPlainText(plainText(bytes));
    into.setUndoRedoEnabled(undo);
}

} // namespace RtfReader
