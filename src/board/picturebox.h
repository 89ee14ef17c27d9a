// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardcontrol.h"

// A box: a filled rectangle that holds other controls; the board's fields
// are boxes that take the keyboard focus.
class PictureBox : public BoardControl
{
    Q_OBJECT

public:
    PictureBox(const QString &name, int index, QWidget *parent);

    qint32 backColor() const { return m_backColor; }
    void setBackColor(qint32 color);

signals:
    void focusGained();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    qint32 m_backColor = 0;
};
