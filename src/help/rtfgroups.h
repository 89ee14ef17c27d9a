// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

#include <QByteArrayView>

// Groups and destinations: what '{' saves and '}' restores, and for each
// destination where its text goes, which control words count in it, and
// what ends with it.
namespace RtfReader {

Keywords destinationKeywords();

void openGroup(Context &context);
// A '}' with no open group is ignored, so text after it is still shown.
void closeGroup(Context &context);

// The scopes of the control words that count in the current destination.
quint8 currentScope(const Context &context);
void addDestinationText(Context &context, QByteArrayView bytes);
// A byte written as \'hh.
void addDestinationByte(Context &context, char byte);

} // namespace RtfReader
