// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gameevent.h"
#include "record/journalformat.h"

#include <QString>

// What an undo or a redo did, in words an operator reads at a glance: the
// kind of change, the team or clock, and the value before and after, as
// "goal, home 3 → 2".
namespace ChangeWords {

QString describe(const GameEvent &event, const JournalFormat::Stamp &stamp);

} // namespace ChangeWords
