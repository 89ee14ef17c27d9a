// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"

#include <QString>

// How the format plays, in one paragraph of plain words, for the operator
// choosing one: each field has its say, whatever the format is called.
QString describe(const MatchFormat &format);
