// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/screenfit.h"

#include <QtGlobal>

namespace {

// The start of a span of `length` inside [first, first + room), held at the
// start where the span is longer than the room.
int within(int start, int length, int first, int room)
{
    return qMax(first, qMin(start, first + room - length));
}

} // namespace

QRect fitInside(const QRect &client, const QMargins &frame, const QRect &available)
{
    const QSize room = available.size().shrunkBy(frame).expandedTo(QSize(1, 1));
    QSize size = client.size();
    if (size.width() > room.width() || size.height() > room.height())
        size = size.scaled(room, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QSize outer = size.grownBy(frame);
    const int left =
        within(client.left() - frame.left(), outer.width(), available.left(), available.width());
    const int top =
        within(client.top() - frame.top(), outer.height(), available.top(), available.height());
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}
