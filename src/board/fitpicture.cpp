// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/fitpicture.h"

#include "board/imagecontrol.h"

#include <QFileInfo>

namespace modGrabKeys {

QRectF fittedPlace(const QSizeF &picture, const QSizeF &container)
{
    const double w = picture.width();
    const double h = picture.height();
    const double cW = container.width();
    const double cH = container.height();
    if (w <= 0 || h <= 0 || cW <= 0 || cH <= 0)
        return {};
    double width = cW;
    double height = cW * h / w;
    if (cW / w > cH / h) {
        height = cH;
        width = cH * w / h;
    }
    return {(cW - width) / 2, (cH - height) / 2, width, height};
}

void FitPicture(ImageControl &image, const BoardControl &container, const QString &fileName)
{
    image.hide();
    if (fileName.isEmpty())
        image.setPicture({});
    else if (QFileInfo(fileName).isFile())
        image.loadPicture(fileName);

    const QSizeF picture = QSizeF(image.picture().size()) * TwipsPerPixel;
    const QRectF place = fittedPlace(picture, {container.twipWidth(), container.twipHeight()});
    if (!place.isEmpty())
        image.setTwipGeometry(place.x(), place.y(), place.width(), place.height());
    image.show();
}

} // namespace modGrabKeys
