// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardcontrol.h"

enum class ShapeType { Rectangle, Oval, Circle, RoundedRectangle };

// A drawn shape: colon dots, lamps, marks, frames and the selection
// highlight. Shapes never take the mouse; what lies beneath gets the click.
class ShapeControl : public BoardControl
{
    Q_OBJECT

public:
    ShapeControl(const QString &name, int index, ShapeType type, QWidget *parent);

    ShapeType shapeType() const { return m_type; }
    qint32 fillColor() const { return m_fillColor; }
    void setFillColor(qint32 color);
    // A shape without fill shows only its border.
    bool filled() const { return m_filled; }
    void setFilled(bool filled);
    void setBorderColor(qint32 color);
    // In pixels; 0 draws no border.
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF outline() const;

    ShapeType m_type;
    qint32 m_fillColor = 0;
    bool m_filled = false;
    qint32 m_borderColor = 0;
    double m_borderWidth = 0;
};
