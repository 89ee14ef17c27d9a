// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

// When the board's tick runs: every 100 ms, on the steady clock's whole
// tenths. A slot counts the tenths of the steady clock that begin after its
// start (a run from 10:00:00.950 has used 0.1 s at 10:00:01.000), so every
// running clock's figures change, and every clock reaches zero, on a whole
// tenth: a tick there shows each tenth, sounds each alarm and hands the shot
// clock's zero over at the instant it comes, instead of up to a tick late.
// Being in step with the tenths, the tick needs no new aim when a clock
// starts; only a tick that came off them, after a heavy load or a suspend,
// is set again.
namespace TickPlan {

constexpr qint64 IntervalMs = 100;
// How far after a whole tenth a tick may come and still be in step.
constexpr qint64 InStepMs = 3;

// Nothing while a tick at `nowMs` is in step; else the wait until the next
// whole tenth.
std::optional<int> stepCorrectionMs(qint64 nowMs);

} // namespace TickPlan
