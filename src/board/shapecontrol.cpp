// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/shapecontrol.h"

#include "settings/colors.h"

#include <QPainter>

#include <cmath>

ShapeControl::ShapeControl(const QString &name, int index, ShapeType type, QWidget *parent)
    : BoardControl(ControlKind::Shape, name, index, parent)
    , m_type(type)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setFillColor(qint32 color)
{
    if (color == m_fillColor)
        return;
    m_fillColor = color;
    if (m_filled)
        update();
}

void ShapeControl::setFilled(bool filled)
{
    if (filled == m_filled)
        return;
    m_filled = filled;
    update();
}

void ShapeControl::setBorderColor(qint32 color)
{
    if (color == m_borderColor)
        return;
    m_borderColor = color;
    if (m_borderWidth > 0)
        update();
}

void ShapeControl::setBorderWidth(double width)
{
    if (width == m_borderWidth)
        return;
    m_borderWidth = width;
    update();
}

// The border lies inside the box, so a shape never paints outside it.
QRectF ShapeControl::outline() const
{
    const double pen = std::round(m_borderWidth);
    QRectF box = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    if (m_type == ShapeType::Circle) {
        const double side = qMin(box.width(), box.height());
        box = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    return box;
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    const bool border = m_borderWidth >= 0.5;
    if (!m_filled && !border)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, m_type != ShapeType::Rectangle);
    painter.setBrush(m_filled ? QBrush(toQColor(m_fillColor)) : QBrush(Qt::NoBrush));
    if (border) {
        QPen pen(toQColor(m_borderColor), std::round(m_borderWidth));
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    const QRectF box = outline();
    switch (m_type) {
    case ShapeType::Rectangle:
        painter.drawRect(box);
        break;
    case ShapeType::Oval:
    case ShapeType::Circle:
        painter.drawEllipse(box);
        break;
    case ShapeType::RoundedRectangle: {
        const double radius = qMin(box.width(), box.height()) / 10;
        painter.drawRoundedRect(box, radius, radius);
        break;
    }
    }
}
