#include "help/rtfreader.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

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

enum class Destination : quint8 { Text, Skip, FontTable, ColourTable };

// Where a control word means something. Elsewhere it is ignored, so that a
// stray \b in the font table or a \red in the text changes nothing.
enum Scope : quint8 {
    InText = 1 << 0,
    InFontTable = 1 << 1,
    InColourTable = 1 << 2,
    Anywhere = InText | InFontTable | InColourTable,
};

constexpr quint8 ScopeOf[] = {InText, 0, InFontTable, InColourTable};

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

struct ParaState
{
    int alignment = Qt::AlignLeft;
    std::array<int, ParaLengthCount> twips{};
};

// Everything RTF saves at '{' and restores at '}'.
struct GroupState
{
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
    CharState chars;
    ParaState para;
};

struct FontEntry
{
    QString family;
    int codePage = 0; // 0: the document's
    QFont::StyleHint hint = QFont::AnyStyle;
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
constexpr CharsetCodePage CharsetCodePages[] = {
    {0, 0},      {1, 0},      {2, SymbolCodePage}, {77, 10000}, {128, 932},
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

// Manuals put their bullets in the Symbol font, at the place of the Latin-1
// middle dot.
QString decodeSymbol(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    text.replace(QChar(0xB7), QChar(0x2022));
    return text;
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
    void appendText(QString text);
    void appendUnicode(int value);
    void dropLoneSurrogate();
    void ensureRunFormat();
    void flushRun();
    void finish();
    int currentCodePage() const;
    QString decode(QByteArrayView bytes, int codePage);
    const FontEntry *fontAt(int index) const;
    QColor colourAt(int index) const;
    QTextCharFormat charFormat(const CharState &chars) const;
    QTextBlockFormat blockFormat(const ParaState &para) const;

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
    void setAlignment(int alignment, Param);
    void setParaLength(int which, Param param);
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

    int m_codePage = DefaultCodePage;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = 0;
    QByteArray m_fontName;
    std::vector<QColor> m_colours;
    std::array<int, 3> m_colourEntry{};
    bool m_colourEntrySet = false;
    std::unordered_map<int, QStringDecoder> m_decoders;

    QTextCursor m_cursor;
    QByteArray m_bytes; // text bytes not yet decoded, all in one code page
    QString m_run; // decoded text not yet inserted, all in m_runFormat
    QTextCharFormat m_runFormat;
    CharState m_runChars;
    bool m_runValid = false;
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
        // Breaks; the help window has no pages, sections or tables
        {"par", &Reader::endParagraph, 0, InText},
        {"page", &Reader::endParagraph, 0, InText},
        {"sect", &Reader::endParagraph, 0, InText},
        {"row", &Reader::endParagraph, 0, InText},
        {"line", &Reader::insertSymbol, QChar::LineSeparator, InText},
        {"tab", &Reader::insertSymbol, u'\t', InText},
        {"cell", &Reader::insertSymbol, u'\t', InText},
        {"nestcell", &Reader::insertSymbol, u'\t', InText},
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
        {"pict", &Reader::skipDestination, 0, Anywhere},
        {"shppict", &Reader::skipDestination, 0, Anywhere},
        {"nonshppict", &Reader::skipDestination, 0, Anywhere},
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
        consumeFallback();
        skipBinary(param);
        return;
    }
    if (consumeFallback())
        return;
    dispatch(name, param);
}

void Reader::readControlSymbol(char symbol)
{
    if (symbol == '\'') {
        readHexByte();
        return;
    }
    if (consumeFallback())
        return;
    if (symbol == '*') {
        // Marks a destination that a reader may not know; none of them is
        // shown in the help window.
        state().destination = Destination::Skip;
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
    m_pos += std::min(wanted, m_size - m_pos);
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
    if ((keyword.scope & ScopeOf[int(destination())]) == 0)
        return;
    flushBytes();
    (this->*keyword.handler)(keyword.arg, param);
}

void Reader::openGroup()
{
    flushBytes();
    m_fallbackLeft = 0;
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
    QString text = decode(m_bytes, currentCodePage());
    m_bytes.clear();
    appendText(std::move(text));
}

void Reader::appendText(QString text)
{
    if (destination() != Destination::Text || (state().chars.flags & Hidden))
        return;
    dropLoneSurrogate();
    sanitize(text, false);
    if (text.isEmpty())
        return;
    ensureRunFormat();
    m_run += text;
    m_paraAtLastText = state().para;
    m_textSinceParagraph = true;
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
    appendText(QString(c));
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
void Reader::ensureRunFormat()
{
    const CharState &chars = state().chars;
    if (m_runValid && chars == m_runChars)
        return;
    flushRun();
    m_runFormat = charFormat(chars);
    m_runChars = chars;
    m_runValid = true;
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
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
    m_cursor.setBlockFormat(blockFormat(m_textSinceParagraph ? m_paraAtLastText : state().para));
}

int Reader::currentCodePage() const
{
    const CharState &chars = m_stack.back().chars;
    const FontEntry *font = fontAt(chars.font);
    return font && font->codePage != 0 ? font->codePage : m_codePage;
}

QString Reader::decode(QByteArrayView bytes, int codePage)
{
    if (codePage == SymbolCodePage)
        return decodeSymbol(bytes);
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

QTextCharFormat Reader::charFormat(const CharState &chars) const
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
    if (const FontEntry *font = fontAt(chars.font)) {
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
    format.setTextIndent(std::max(pixels(FirstIndent), -pixels(LeftIndent)));
    format.setTopMargin(pixels(SpaceBefore));
    format.setBottomMargin(pixels(SpaceAfter));
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

void Reader::resetParagraph(int, Param)
{
    state().para = ParaState{};
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

void Reader::endParagraph(int, Param)
{
    if (state().chars.flags & Hidden)
        return;
    dropLoneSurrogate();
    ensureRunFormat();
    flushRun();
    m_cursor.setBlockFormat(blockFormat(state().para));
    m_cursor.insertBlock(QTextBlockFormat(), m_runFormat);
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
