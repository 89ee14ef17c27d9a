// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfpicturecontrol.h"

#include "help/rtftext.h"

#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace RtfReader {
namespace {

// Longer than any drawing property the reader looks for.
constexpr qsizetype MaxPropertyName = 16;

bool inText(const Context &context)
{
    const size_t depth = context.stack.size();
    return depth < 2 || context.stack[depth - 2].destination == Destination::Text;
}

void beginPicture(Context &context, int, Param)
{
    if (context.destination() == Destination::Shape && context.shapeProperty != "pib") {
        context.state().destination = Destination::Skip;
        return;
    }
    context.state().destination = Destination::Picture;
    context.picture = RtfPicture();
}

void setPictureKind(Context &context, int kind, Param)
{
    context.picture.setKind(RtfPicture::Kind(kind));
}

void setPictureGoal(Context &context, int orientation, Param param)
{
    context.picture.setGoal(Qt::Orientation(orientation), param.value);
}

void setPictureScale(Context &context, int orientation, Param param)
{
    context.picture.setScale(Qt::Orientation(orientation), param.value);
}

// {\*\shppict {\pict ...}}: the picture as the word processor shows it,
// read where its group would be.
void readShapePicture(Context &context, int, Param)
{
    if (inText(context))
        context.state().destination = Destination::Text;
    context.shapePictureShown = false;
}

// {\*\shpinst ...}: a drawing, read for its picture only.
void readShape(Context &context, int, Param)
{
    if (inText(context))
        context.state().destination = Destination::Shape;
    context.shapePictureShown = false;
}

void readShapePropertyName(Context &context, int, Param)
{
    context.state().destination = Destination::ShapeName;
    context.shapeProperty.clear();
}

// {\nonshppict ...} and {\shprslt ...}: the same picture again for readers
// without the one before, read only when that one did not show.
void readShapePictureFallback(Context &context, int, Param)
{
    if (context.shapePictureShown)
        context.state().destination = Destination::Skip;
    context.shapePictureShown = false;
}

// PNG and JPEG are shown, other kinds leave nothing. A word processor
// writes a picture for itself (\shppict) and the same again for older
// readers (\nonshppict). A drawing holds its picture as its property "pib";
// some word processors write pictures only so. What the drawing shows to
// readers without drawings (\shprslt) is the same again.
constexpr Keyword Table[] = {
    {"pict", beginPicture, 0, InText | InShape},
    {"pngblip", setPictureKind, int(RtfPicture::Kind::Png), InPicture},
    {"jpegblip", setPictureKind, int(RtfPicture::Kind::Jpeg), InPicture},
    {"emfblip", setPictureKind, int(RtfPicture::Kind::Other), InPicture},
    {"wmetafile", setPictureKind, int(RtfPicture::Kind::Other), InPicture},
    {"pmmetafile", setPictureKind, int(RtfPicture::Kind::Other), InPicture},
    {"macpict", setPictureKind, int(RtfPicture::Kind::Other), InPicture},
    {"dibitmap", setPictureKind, int(RtfPicture::Kind::Other), InPicture},
    {"wbitmap", setPictureKind, int(RtfPicture::Kind::Other), InPicture},
    {"picwgoal", setPictureGoal, Qt::Horizontal, InPicture},
    {"pichgoal", setPictureGoal, Qt::Vertical, InPicture},
    {"picscalex", setPictureScale, Qt::Horizontal, InPicture},
    {"picscaley", setPictureScale, Qt::Vertical, InPicture},
    {"shppict", readShapePicture, 0, InText | AfterStar},
    {"nonshppict", readShapePictureFallback, 0, InText},
    {"shpinst", readShape, 0, InText | AfterStar},
    {"sn", readShapePropertyName, 0, InShape},
    {"shprslt", readShapePictureFallback, 0, InText},
};

} // namespace

Keywords pictureKeywords()
{
    return Table;
}

void addShapePropertyName(Context &context, QByteArrayView bytes)
{
    context.shapeProperty.append(bytes.first(std::min(bytes.size(), MaxPropertyName)));
    context.shapeProperty.truncate(MaxPropertyName);
}

// Pictures are kept in the document under names of their own, and shown at
// the size the picture itself settled.
void insertPicture(Context &context)
{
    const QImage image = context.picture.image();
    context.picture = RtfPicture();
    if (image.isNull() || (context.state().chars.flags & Hidden))
        return;
    const QString name = QStringLiteral("rtfpicture:%1").arg(++context.pictureCount);
    context.cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    appendImage(context, format);
    context.shapePictureShown = true;
}

} // namespace RtfReader
