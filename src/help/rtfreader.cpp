// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfreader.h"

#include "help/rtfcontext.h"
#include "help/rtfgroups.h"
#include "help/rtfkeywords.h"
#include "help/rtfparagraph.h"
#include "help/rtftablecontrol.h"
#include "help/rtftext.h"

#include <QStringDecoder>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <string_view>

namespace RtfReader {
namespace {

struct SymbolChar
{
    char symbol;
    char16_t character;
};

constexpr SymbolChar ControlSymbols[] = {
    {'\\', u'\\'}, {'{', u'{'}, {'}', u'}'}, {'~', u'\u00A0'}, {'-', u'\u00AD'}, {'_', u'\u2011'},
};

// Reads the input into braces, control words, control symbols and text,
// and hands each to the part of the reader it is for.
class Scanner
{
public:
    Scanner(QByteArrayView rtf, QTextDocument &into)
        : m_data(rtf.constData())
        , m_size(rtf.size())
        , m_context(into)
    {
    }

    void run();

private:
    void readText();
    void readControl();
    void readControlWord();
    void readControlSymbol(char symbol);
    void readTextSymbol(char symbol);
    void readHexByte();
    Param readParameter();
    void skipBinary(Param length);
    bool consumeFallback();
    QByteArrayView dropFallback(QByteArrayView span);
    void finish();

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    Context m_context;
};

void Scanner::run()
{
    // One edit for the whole document: otherwise every insertion announces
    // a change and has the cursor lay out its block again.
    m_context.cursor.beginEditBlock();
    while (m_pos < m_size) {
        switch (m_data[m_pos]) {
        case '{':
            ++m_pos;
            openGroup(m_context);
            break;
        case '}':
            ++m_pos;
            closeGroup(m_context);
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
    m_context.cursor.endEditBlock();
}

// Reads plain text up to the next brace or backslash in one piece.
void Scanner::readText()
{
    const qsizetype start = m_pos;
    while (m_pos < m_size && m_data[m_pos] != '{' && m_data[m_pos] != '}' && m_data[m_pos] != '\\')
        ++m_pos;
    QByteArrayView span(m_data + start, m_pos - start);
    m_context.starred = false;
    if (m_context.fallbackLeft > 0)
        span = dropFallback(span);
    addDestinationText(m_context, span);
}

void Scanner::readControl()
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

void Scanner::readControlWord()
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
        m_context.starred = false;
        consumeFallback();
        skipBinary(param);
        return;
    }
    if (consumeFallback())
        return;
    dispatch(m_context, name, param);
    m_context.starred = false;
}

void Scanner::readControlSymbol(char symbol)
{
    if (symbol == '\'') {
        readHexByte();
        return;
    }
    m_context.starred = false;
    if (consumeFallback())
        return;
    if (symbol == '*') {
        // Marks a destination that a reader may not know; the help window
        // shows none of them but pictures.
        m_context.state().destination = Destination::Skip;
        m_context.starred = true;
        return;
    }
    if (m_context.destination() == Destination::Text)
        readTextSymbol(symbol);
}

// A backslash before a line end ends the paragraph; the others stand for a
// character.
void Scanner::readTextSymbol(char symbol)
{
    flushBytes(m_context);
    if (isLineEnd(symbol)) {
        endParagraph(m_context, 0, {});
        return;
    }
    const auto found =
        std::find_if(std::begin(ControlSymbols), std::end(ControlSymbols),
                     [symbol](const SymbolChar &entry) { return entry.symbol == symbol; });
    if (found != std::end(ControlSymbols))
        appendText(m_context, QString(QChar(found->character)));
}

// \'hh: one byte in the code page of the current font. A broken escape
// gives nothing and takes only its hex digits with it.
void Scanner::readHexByte()
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
    addDestinationByte(m_context, char(value));
}

// Numbers are clamped to 32 bits; the digits beyond are read and dropped.
Param Scanner::readParameter()
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

void Scanner::skipBinary(Param length)
{
    const qsizetype wanted = length.present ? std::max(0, length.value) : 0;
    const qsizetype taken = std::min(wanted, m_size - m_pos);
    if (m_context.destination() == Destination::Picture)
        m_context.picture.addBinary(QByteArrayView(m_data + m_pos, taken));
    m_pos += taken;
}

// After \uN the next \ucN characters are the fallback for older readers: a
// byte, a \'hh or a control word each count as one; a brace ends them.
bool Scanner::consumeFallback()
{
    if (m_context.fallbackLeft <= 0)
        return false;
    --m_context.fallbackLeft;
    return true;
}

QByteArrayView Scanner::dropFallback(QByteArrayView span)
{
    qsizetype i = 0;
    while (i < span.size() && m_context.fallbackLeft > 0) {
        if (!isLineEnd(span[i]))
            --m_context.fallbackLeft;
        ++i;
    }
    return span.sliced(i);
}

// The last paragraph often has no \par: it takes the formatting its text
// had, not what is left once the document's group has closed.
void Scanner::finish()
{
    flushBytes(m_context);
    dropLoneSurrogate(m_context);
    flushRun(m_context);
    const ParaState &last =
        m_context.textSinceParagraph ? m_context.paraAtLastText : m_context.state().para;
    finishTable(m_context, last);
    m_context.cursor.setBlockFormat(blockFormat(last));
    QTextDocument &doc = *m_context.cursor.document();
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(m_context.defaultTabTwips / TwipsPerPixel);
    doc.setDefaultTextOption(option);
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
    Scanner(withoutLeadingNoise(rtf), into).run();
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
