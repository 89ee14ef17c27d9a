// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The bounds every part of the RTF reader keeps to, and the characters of
// RTF's own syntax: the floor the reader, its tables and its pictures stand
// on alike.
namespace RtfReader {

// Groups nested deeper than this are read as if flat, so a hostile file
// cannot make the group stack grow without bound.
inline constexpr int MaxGroupDepth = 1000;
// Qt lays out any size it is given; a line of 10,000,000 points would be
// laid out too. The bounds are Word's own.
inline constexpr qreal MinPointSize = 1;
inline constexpr qreal MaxPointSize = 1638;
// 22 inches, Word's widest page: anything beyond is damage, not layout.
inline constexpr int MaxTwips = 31680;
// The code page used when the document names none.
inline constexpr int DefaultCodePage = 1252;

// The value of a hex digit, or -1 for any other character.
constexpr int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Line ends in RTF are only there for the file's readers, not its text.
constexpr bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace RtfReader
