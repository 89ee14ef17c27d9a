// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardcontrol.h"

#include <QMouseEvent>

BoardControl::BoardControl(ControlKind kind, const QString &name, int index, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_name(name)
    , m_index(index)
{
    setObjectName(index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(index));
}

void BoardControl::setTwipLeft(double left)
{
    if (left == m_left)
        return;
    m_left = left;
    place();
}

void BoardControl::setTwipTop(double top)
{
    if (top == m_top)
        return;
    m_top = top;
    place();
}

void BoardControl::setTwipWidth(double width)
{
    if (width == m_width)
        return;
    m_width = width;
    place();
}

void BoardControl::setTwipHeight(double height)
{
    if (height == m_height)
        return;
    m_height = height;
    place();
}

void BoardControl::setTwipGeometry(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    place();
}

void BoardControl::place()
{
    // Edges are rounded rather than sizes, so neighbours that touch in twips
    // touch on screen too.
    const int x = twipsToPixels(m_left);
    const int y = twipsToPixels(m_top);
    const int right = twipsToPixels(m_left + twipWidth());
    const int bottom = twipsToPixels(m_top + twipHeight());
    const QRect rect(x, y, qMax(1, right - x), qMax(1, bottom - y));
    if (rect != geometry())
        setGeometry(rect);
}

// Taking the press is what brings the matching release here.
void BoardControl::mousePressEvent(QMouseEvent *event)
{
    if (!m_clickable || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

// As on Windows, a double-click is a click and then a double-click event
// that the board has no use for: a lamp double-clicked lights once and stays
// lit, rather than lighting and going out again.
void BoardControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_clickable || event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_pressed = false;
    event->accept();
}

// A press dragged off the control and let go elsewhere is no click.
void BoardControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_clickable || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked(m_index);
}
