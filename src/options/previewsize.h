// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The largest whole point size from 60 down to 10 at which both team names,
// in bold Arial with a one-pixel border, fit a box 1900 twips wide and 600
// high; 9 when none does.
qint16 teamNameSize(const QString &home, const QString &visitor);
