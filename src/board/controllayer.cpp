// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/controllayer.h"

#include <algorithm>

void ControlLayer::add(BoardControl *control)
{
    m_controls.append(control);
}

BoardControl *ControlLayer::find(const QString &name, int index) const
{
    for (BoardControl *control : m_controls) {
        if (control->index() == index && control->controlName() == name)
            return control;
    }
    return nullptr;
}

QList<BoardControl *> ControlLayer::set(const QString &name) const
{
    QList<BoardControl *> elements;
    for (BoardControl *control : m_controls) {
        if (control->controlName() == name && control->index() >= 0)
            elements.append(control);
    }
    std::sort(elements.begin(), elements.end(),
              [](BoardControl *a, BoardControl *b) { return a->index() < b->index(); });
    return elements;
}

void ControlLayer::stackDrawnBeneathBoxes() const
{
    for (auto it = m_controls.crbegin(); it != m_controls.crend(); ++it) {
        const ControlKind kind = (*it)->kind();
        if (kind == ControlKind::Shape || kind == ControlKind::Label || kind == ControlKind::Image)
            (*it)->lower();
    }
}
