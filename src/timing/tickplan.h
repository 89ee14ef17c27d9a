// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/modcount.h"

#include <QtGlobal>

// When the board's tick runs next. Every 100 ms, in step with the tenths of
// the running game clock (or, with the game clock stopped, of the running
// shot clock), so each figure changes at the instant true time says; and,
// between two of those, once more at the instant a running game or shot
// clock reaches zero, so the buzzer, the horn and the hand-off are on time.
namespace TickPlan {

constexpr qint64 IntervalMs = 100;

// The steady-clock millisecond of the next tick after `nowMs`.
qint64 nextTickMs(const modCount::Counts &counts, qint64 nowMs);

} // namespace TickPlan
