// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/picturebox.h"

#include "settings/colors.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(const QString &name, int index, QWidget *parent)
    : BoardControl(ControlKind::PictureBox, name, index, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setBackColor(qint32 color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), toQColor(m_backColor));
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    BoardControl::focusInEvent(event);
    emit focusGained();
}
