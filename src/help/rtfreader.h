// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfsyntax.h"
#include "settings/units.h"

#include <QByteArray>

class QTextDocument;

// Turns the operator's manual, written as RTF, into the document the help
// window shows. A damaged manual must never take the program down, so any
// input gives whatever text can be recovered, in time linear in its size and
// with a document no longer than the input.
namespace RtfReader {

// True when the bytes start with the RTF header "{\rtf", after an optional
// UTF-8 byte order mark and white space.
bool looksLikeRtf(const QByteArray &bytes);

// Replaces the content of `into` with the RTF document in `rtf`.
void read(const QByteArray &rtf, QTextDocument &into);

// What the help window does with a file: RTF when the header says so, plain
// text otherwise (UTF-8, or Latin-1 when the bytes are not valid UTF-8).
void load(const QByteArray &bytes, QTextDocument &into);

} // namespace RtfReader
