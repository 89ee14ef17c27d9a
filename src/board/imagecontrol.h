#pragma once

#include "board/boardcontrol.h"

#include <QPixmap>

// A picture, drawn stretched to the control's box, or nothing at all: an
// image without a picture is an invisible click area.
class ImageControl : public BoardControl
{
    Q_OBJECT

public:
    ImageControl(const QString &name, int index, QWidget *parent);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
};
