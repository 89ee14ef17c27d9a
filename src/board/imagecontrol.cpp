#include "board/imagecontrol.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(const QString &name, int index, QWidget *parent)
    : BoardControl(ControlKind::Image, name, index, parent)
{
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
    if (fileName == m_loadedFile && file.lastModified() == m_loadedModified
        && file.size() == m_loadedSize && !m_picture.isNull())
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

// Taking the press is what brings the matching release here.
void ImageControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        BoardControl::mousePressEvent(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(index());
}
