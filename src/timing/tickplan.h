// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/modcount.h"

#include <QtGlobal>

// When the board's tick runs next. Every 100 ms; while a clock runs, at the
// instants its figures change. A slot counts the tenths of the steady clock
// that begin after its start (a run from 10:00:00.950 has used 0.1 s at
// 10:00:01.000), so every running clock's tenths, and so its arrival at
// zero, fall on the steady clock's whole tenths: a tick there shows each
// tenth, and sounds each alarm and hands the shot clock's zero over, at
// the instant it comes instead of up to a tick late.
namespace TickPlan {

constexpr qint64 IntervalMs = 100;

// The steady-clock millisecond of the next tick after `nowMs`.
qint64 nextTickMs(const modCount::Counts &counts, qint64 nowMs);

} // namespace TickPlan
