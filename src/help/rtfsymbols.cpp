// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfsymbols.h"

#include <iterator>

namespace RtfSymbols {
namespace {

constexpr char16_t Unmapped = 0xFFFF;

// The Symbol font from 0x20 to 0x7E and from 0xA0 to 0xFE, sixteen bytes a
// line; U+FFFF marks the pieces of large brackets that have no character.
constexpr char16_t SymbolLow[] = u" !\u2200#\u2203%&\u220B()\u2217+,\u2212./"
                                 u"0123456789:;<=>?"
                                 u"\u2245\u0391\u0392\u03A7\u0394\u0395\u03A6\u0393"
                                 u"\u0397\u0399\u03D1\u039A\u039B\u039C\u039D\u039F"
                                 u"\u03A0\u0398\u03A1\u03A3\u03A4\u03A5\u03C2\u03A9"
                                 u"\u039E\u03A8\u0396[\u2234]\u22A5_"
                                 u"\uFFFF\u03B1\u03B2\u03C7\u03B4\u03B5\u03C6\u03B3"
                                 u"\u03B7\u03B9\u03D5\u03BA\u03BB\u03BC\u03BD\u03BF"
                                 u"\u03C0\u03B8\u03C1\u03C3\u03C4\u03C5\u03D6\u03C9"
                                 u"\u03BE\u03C8\u03B6{|}\u223C";
constexpr char16_t SymbolHigh[] = u"\u20AC\u03D2\u2032\u2264\u2044\u221E\u0192\u2663"
                                  u"\u2666\u2665\u2660\u2194\u2190\u2191\u2192\u2193"
                                  u"\u00B0\u00B1\u2033\u2265\u00D7\u221D\u2202\u2022"
                                  u"\u00F7\u2260\u2261\u2248\u2026\u23D0\u23AF\u21B5"
                                  u"\u2135\u2111\u211C\u2118\u2297\u2295\u2205\u2229"
                                  u"\u222A\u2283\u2287\u2284\u2282\u2286\u2208\u2209"
                                  u"\u2220\u2207\u00AE\u00A9\u2122\u220F\u221A\u22C5"
                                  u"\u00AC\u2227\u2228\u21D4\u21D0\u21D1\u21D2\u21D3"
                                  u"\u25CA\u2329\u00AE\u00A9\u2122\u2211\u239B\u239C"
                                  u"\u239D\u23A1\u23A2\u23A3\u23A7\u23A8\u23A9\u23AA"
                                  u"\uFFFF\u232A\u222B\u2320\u23AE\u2321\u239E\u239F"
                                  u"\u23A0\u23A4\u23A5\u23A6\u23AB\u23AC\u23AD";
static_assert(std::size(SymbolLow) == 0x7F - 0x20 + 1);
static_assert(std::size(SymbolHigh) == 0xFF - 0xA0 + 1);

struct Dingbat
{
    uchar byte;
    char16_t character;
};

// The Wingdings characters word processors offer as bullets and marks.
constexpr Dingbat Wingdings[] = {
    {0x4A, u'\u263A'}, {0x4C, u'\u2639'}, {0x6C, u'\u25CF'}, {0x6E, u'\u25A0'}, {0x6F, u'\u25A1'},
    {0x71, u'\u2751'}, {0x72, u'\u2752'}, {0x75, u'\u25C6'}, {0x76, u'\u2756'}, {0x9F, u'\u2022'},
    {0xA7, u'\u25AA'}, {0xA8, u'\u25FB'}, {0xD8, u'\u27A2'}, {0xFB, u'\u2717'}, {0xFC, u'\u2714'},
    {0xFD, u'\u2612'}, {0xFE, u'\u2611'},
};

char16_t fromSymbol(uchar byte)
{
    char16_t c = Unmapped;
    if (byte >= 0x20 && byte < 0x7F)
        c = SymbolLow[byte - 0x20];
    else if (byte >= 0xA0 && byte < 0xFF)
        c = SymbolHigh[byte - 0xA0];
    return c == Unmapped ? 0 : c;
}

char16_t fromWingdings(uchar byte)
{
    for (const Dingbat &entry : Wingdings) {
        if (entry.byte == byte)
            return entry.character;
    }
    return 0;
}

} // namespace

SymbolFont symbolFontOf(const QString &family, bool symbolCharset)
{
    if (family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        return SymbolFont::Symbol;
    if (family.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0)
        return SymbolFont::Wingdings;
    return symbolCharset ? SymbolFont::Other : SymbolFont::None;
}

char16_t toUnicode(SymbolFont font, uchar byte)
{
    switch (font) {
    case SymbolFont::Symbol:
        return fromSymbol(byte);
    case SymbolFont::Wingdings:
        return fromWingdings(byte);
    case SymbolFont::Other:
        // Any symbol font puts its bullet where Symbol has it.
        return byte == 0xB7 ? u'\u2022' : 0;
    case SymbolFont::None:
        break;
    }
    return 0;
}

} // namespace RtfSymbols
