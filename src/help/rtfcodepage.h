// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <unordered_map>

// The file's bytes as text the document can hold: each font's code page,
// and the characters that must never reach the document.
namespace RtfReader {

// Windows has no real code page for the Symbol font; this number stands for
// it, as it does in the Windows API.
inline constexpr int SymbolCodePage = 42;

// \fcharsetN to the code page of that font's text; 0 leaves the document's.
int codePageForCharset(int charset);

// One converter a code page, made when first needed.
class RtfDecoders
{
public:
    // Bytes of a code page no converter knows read as Latin-1; the Symbol
    // font's bytes are kept as they are, for the symbol tables to map.
    QString decode(QByteArrayView bytes, int codePage);

private:
    std::unordered_map<int, QStringDecoder> m_decoders;
};

// Drops controls and the document's own markers; `keepNewlines` keeps line
// ends, as plain text has them.
void sanitize(QString &text, bool keepNewlines);

} // namespace RtfReader
