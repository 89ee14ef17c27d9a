// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

#include <QByteArrayView>

// Pictures as the control words describe them, alone ({\pict}), as a word
// processor shows them ({\*\shppict}), inside a drawing ({\*\shpinst}), and
// again for older readers; the picture itself is the context's RtfPicture.
namespace RtfReader {

Keywords pictureKeywords();

// The name of the drawing property being read, as far as any name the
// reader looks for goes.
void addShapePropertyName(Context &context, QByteArrayView bytes);
// Puts the picture just read into the document, when it can be shown.
void insertPicture(Context &context);

} // namespace RtfReader
