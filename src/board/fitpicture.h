// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class BoardControl;
class ImageControl;

namespace modGrabKeys {

// Where a picture of the given size stands in a container, proportions
// kept, centred; the container's whole width when the picture is the wider
// in proportion, else its whole height. Empty for a picture without size.
QRectF fittedPlace(const QSizeF &picture, const QSizeF &container);

// Loads a picture file into the image and fits it into its container. An
// empty name clears the picture; a name of no file keeps the picture there
// was; a file that cannot be read as a picture leaves the image empty.
void FitPicture(ImageControl &image, const BoardControl &container, const QString &fileName);

} // namespace modGrabKeys
