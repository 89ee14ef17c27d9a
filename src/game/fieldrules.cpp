// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/fieldrules.h"

namespace {

using K = FieldKind;
using R = FigureRowId;

FieldRule penalty(qint16 slot)
{
    return {K::Penalty, slot, FigureRowId(slot), ShortClockLimit};
}

const std::array<FieldRule, FieldCount> Rules = {{
    {K::GameClock, modCount::GameSlot, R::GameClock, GameClockLimit},
    {K::Score, -1, R::HomeScore, 0},
    {K::Score, -1, R::VisitorScore, 0},
    {K::Goal, -1, std::nullopt, 0},
    {K::ShotClock, modCount::ShotSlot, R::ShotClock, ShortClockLimit},
    penalty(1),
    penalty(3),
    penalty(2),
    penalty(4),
    penalty(5),
    penalty(6),
}};

} // namespace

const FieldRule &fieldRule(FieldId field)
{
    return Rules[size_t(field)];
}
