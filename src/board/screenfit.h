// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>

// The client rectangle of a window whose frame must lie inside the screen's
// available area: the same rectangle where it does; else moved inside, and
// first made smaller in proportion where the whole area cannot hold it.
QRect fitInside(const QRect &client, const QMargins &frame, const QRect &available);
