// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/units.h"

#include <QByteArray>
#include <QtGlobal>

class QTextDocument;

// Turns the operator's manual, written as RTF, into the document the help
// window shows. A damaged manual must never take the program down, so any
// input gives whatever text can be recovered, in time linear in its size and
// with a document no longer than the input.
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

// True when the bytes start with the RTF header "{\rtf", after an optional
// UTF-8 byte order mark and white space.
bool looksLikeRtf(const QByteArray &bytes);

// The value of a hex digit, or -1 for any other character.
int hexValue(char c);

// Replaces the content of `into` with the RTF document in `rtf`.
void read(const QByteArray &rtf, QTextDocument &into);

// What the help window does with a file: RTF when the header says so, plain
// text otherwise (UTF-8, or Latin-1 when the bytes are not valid UTF-8).
void load(const QByteArray &bytes, QTextDocument &into);

} // namespace RtfReader
