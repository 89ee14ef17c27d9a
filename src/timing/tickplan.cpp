// SPDX-License-Identifier: GPL-3.0-or-later
#include "timing/tickplan.h"

namespace TickPlan {

namespace {

// A slot's tenths turn at its start's own place within the tenth.
std::optional<qint64> phaseOf(const modCount::Counts &counts, qint16 slot)
{
    const modCount::CountSlot &count = counts.table[size_t(slot)];
    if (!count.CountRunning || !count.CountStart)
        return std::nullopt;
    return count.CountStart->millis % IntervalMs;
}

qint64 nextInPhase(qint64 nowMs, qint64 phase)
{
    const qint64 since = ((nowMs - phase) % IntervalMs + IntervalMs) % IntervalMs;
    return nowMs + IntervalMs - since;
}

} // namespace

qint64 nextTickMs(const modCount::Counts &counts, qint64 nowMs)
{
    std::optional<qint64> phase = phaseOf(counts, modCount::GameSlot);
    if (!phase)
        phase = phaseOf(counts, modCount::ShotSlot);
    qint64 next = phase ? nextInPhase(nowMs, *phase) : nowMs + IntervalMs;
    for (const qint16 slot : {modCount::GameSlot, modCount::ShotSlot}) {
        const std::optional<qint64> zero = modCount::zeroAtMs(counts, slot);
        if (zero && *zero > nowMs && *zero < next)
            next = *zero;
    }
    return next;
}

} // namespace TickPlan
