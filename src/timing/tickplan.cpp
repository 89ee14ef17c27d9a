// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/tickplan.h"

#include <algorithm>

namespace TickPlan {

qint64 nextTickMs(const modCount::Counts &counts, qint64 nowMs)
{
    const bool running = std::any_of(counts.table.cbegin(), counts.table.cend(),
                                     [](const modCount::CountSlot &s) { return s.CountRunning; });
    if (!running)
        return nowMs + IntervalMs;
    const qint64 intoTenth = ((nowMs % IntervalMs) + IntervalMs) % IntervalMs;
    return nowMs + IntervalMs - intoTenth;
}

} // namespace TickPlan
