// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfcodepage.h"

#include <QByteArray>

#include <algorithm>
#include <utility>

namespace RtfReader {
namespace {

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

// Charset 0 is Western whatever the document's code page: a Word file saved
// on a Cyrillic Windows still writes "München" in it.
constexpr CharsetCodePage CharsetCodePages[] = {
    {0, 1252},   {1, 0},      {2, SymbolCodePage}, {77, 10000}, {128, 932},
    {129, 949},  {130, 1361}, {134, 936},          {136, 950},  {161, 1253},
    {162, 1254}, {163, 1258}, {177, 1255},         {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},  {238, 1250},         {255, 437},
};

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

} // namespace

int codePageForCharset(int charset)
{
    for (const CharsetCodePage &entry : CharsetCodePages) {
        if (entry.charset == charset)
            return entry.codePage;
    }
    return 0;
}

QString RtfDecoders::decode(QByteArrayView bytes, int codePage)
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

} // namespace RtfReader
