// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/units.h"

#include <QString>
#include <QWidget>

enum class ControlKind { PictureBox, Image, Label, Shape, Segmora };

// One control of an absolutely positioned window. Its place is held in twips
// (15 to a pixel) and turned into pixels only when the widget is placed, so
// scaling never accumulates rounding. A control belongs to an indexed set
// when several share its name; a lone control has index -1.
class BoardControl : public QWidget
{
    Q_OBJECT

public:
    BoardControl(ControlKind kind, const QString &name, int index, QWidget *parent);

    ControlKind kind() const { return m_kind; }
    QString controlName() const { return m_name; }
    int index() const { return m_index; }

    double twipLeft() const { return m_left; }
    double twipTop() const { return m_top; }
    virtual double twipWidth() const { return m_width; }
    virtual double twipHeight() const { return m_height; }

    void setTwipLeft(double left);
    void setTwipTop(double top);
    virtual void setTwipWidth(double width);
    virtual void setTwipHeight(double height);
    void setTwipGeometry(double left, double top, double width, double height);

signals:
    // The left button pressed and let go on the control. A double-click is
    // one click: its second press does nothing.
    void clicked(int index);

protected:
    // A control that answers clicks takes the left button from what lies
    // beneath it; others leave every press to their container.
    void setClickable(bool clickable) { m_clickable = clickable; }
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    // Places the widget from the twip geometry; subclasses whose size derives
    // from another property call it after that property changes.
    void place();

private:
    ControlKind m_kind;
    QString m_name;
    int m_index;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    bool m_clickable = false;
    bool m_pressed = false;
};
