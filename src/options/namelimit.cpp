// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/namelimit.h"

#include <algorithm>

LimitedName limitNameEdit(const QString &before, const QString &after, qsizetype limit)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const qsizetype kept = head + tail;
    const QString inserted = after.mid(head, after.size() - kept);
    const QString fits = inserted.left(std::max<qsizetype>(0, limit - kept));
    if (fits.size() == inserted.size())
        return {after, head + inserted.size()};
    return {before.left(head) + fits + before.right(tail), head + fits.size()};
}
