// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Word processors write bullets, arrows and Greek letters as bytes of the
// Symbol and Wingdings fonts. Linux desktops rarely have those fonts, and
// the ones standing in for them lack the glyphs, so the characters are
// turned into Unicode and drawn in the font of the text around them.
namespace RtfSymbols {

enum class SymbolFont { None, Symbol, Wingdings, Other };

// What kind of symbol font a font table entry names: by its name, or any
// other font whose character set is the symbol one.
SymbolFont symbolFontOf(const QString &family, bool symbolCharset);

// The Unicode character for a byte of the font, or 0 when it has none.
char16_t toUnicode(SymbolFont font, uchar byte);

// Symbol fonts also arrive as \uN in the private-use block at F000, one
// character per byte of the font.
inline constexpr char16_t PrivateUseBase = 0xF000;

} // namespace RtfSymbols
