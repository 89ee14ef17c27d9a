// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/figurerow.h"

FigureRow::FigureRow(QString name, int count)
    : m_name(std::move(name))
    , m_captions(size_t(count), -1)
{
}

void FigureRow::setCaption(int index, int caption)
{
    if (index < 0 || index >= count())
        return;
    const int value = caption < 0 ? -1 : caption;
    int &current = m_captions[size_t(index)];
    if (current == value)
        return;
    current = value;
    if (m_watcher)
        m_watcher(index, value);
}

void ColonState::setDotLit(int index, bool lit)
{
    if (index < 0 || index > 1 || m_lit[index] == lit)
        return;
    m_lit[index] = lit;
    if (m_watcher)
        m_watcher(index, lit);
}
