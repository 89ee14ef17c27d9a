// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardcontrol.h"

#include <QDateTime>
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
    // Reads a picture file; one that cannot be read leaves no picture. The
    // same unchanged file is not read twice.
    void loadPicture(const QString &fileName);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QString m_loadedFile;
    QDateTime m_loadedModified;
    qint64 m_loadedSize = -1;
};
