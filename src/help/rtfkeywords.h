// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/rtfcontext.h"

#include <string_view>

// Every control word the reader knows, gathered from the tables of its
// parts, and the one place a control word is looked up.
namespace RtfReader {

// Runs the word's handler where the word counts; an unknown word, or one
// out of its place, changes nothing.
void dispatch(Context &context, std::string_view name, Param param);

} // namespace RtfReader
