// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/imagecontrol.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

ImageControl::ImageControl(const QString &name, int index, QWidget *parent)
    : BoardControl(ControlKind::Image, name, index, parent)
{
    setClickable(true);
}

void ImageControl::setPicture(const QPixmap &picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    update();
}

void ImageControl::loadPicture(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (fileName == m_loadedFile && file.lastModified() == m_loadedModified &&
        file.size() == m_loadedSize && !m_picture.isNull())
        return;
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    setPicture(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    m_loadedFile = picture.isNull() ? QString() : fileName;
    m_loadedModified = file.lastModified();
    m_loadedSize = file.size();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}
