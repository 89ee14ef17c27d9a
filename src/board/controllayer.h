// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardcontrol.h"

#include <QList>
#include <QString>

// Every control of one window, in the order they were created: the order of
// walks that act on all controls by their kind.
class ControlLayer
{
public:
    void add(BoardControl *control);

    const QList<BoardControl *> &controls() const { return m_controls; }
    int count() const { return static_cast<int>(m_controls.size()); }

    // A lone control by name, or one element of a set.
    BoardControl *find(const QString &name, int index = -1) const;
    // The elements of a set, by index from 0.
    QList<BoardControl *> set(const QString &name) const;

    template<typename T> T *get(const QString &name, int index = -1) const
    {
        return qobject_cast<T *>(find(name, index));
    }

    // Keeps shapes, labels and images, which in a real window are painted on
    // their container's surface, beneath every box and figure, and in
    // creation order among themselves.
    void stackDrawnBeneathBoxes() const;

private:
    QList<BoardControl *> m_controls;
};
