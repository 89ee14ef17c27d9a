// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/tickplan.h"

namespace TickPlan {

std::optional<int> stepCorrectionMs(qint64 nowMs)
{
    const qint64 intoTenth = ((nowMs % IntervalMs) + IntervalMs) % IntervalMs;
    if (intoTenth <= InStepMs)
        return std::nullopt;
    return int(IntervalMs - intoTenth);
}

} // namespace TickPlan
