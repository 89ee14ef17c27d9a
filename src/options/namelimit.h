// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A name box takes at most `limit` characters. An edit that inserts (typing,
// pasting, or either over a selection) keeps only as much of the inserted
// text, from its beginning, as the rest of the name leaves room for; an edit
// that only removes is always taken, so a longer name that was stored stays
// whole until the operator edits it.
struct LimitedName
{
    QString text;
    // Just after what was inserted.
    qsizetype cursor = 0;
};

LimitedName limitNameEdit(const QString &before, const QString &after, qsizetype limit);
