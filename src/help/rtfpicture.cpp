// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfpicture.h"

#include "help/rtfsyntax.h"
#include "settings/units.h"

#include <QBuffer>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int MinScale = 1;
constexpr int MaxScale = 1000;
// No side is longer than the widest page a word processor makes.
constexpr qreal MaxSide = RtfReader::MaxTwips / TwipsPerPixel;

const char *formatOf(RtfPicture::Kind kind)
{
    switch (kind) {
    case RtfPicture::Kind::Png:
        return "png";
    case RtfPicture::Kind::Jpeg:
        return "jpeg";
    case RtfPicture::Kind::Unknown:
    case RtfPicture::Kind::Other:
        break;
    }
    return nullptr;
}

} // namespace

void RtfPicture::setGoal(Qt::Orientation orientation, int twips)
{
    m_goal[orientation == Qt::Horizontal ? 0 : 1] = std::clamp(twips, 0, RtfReader::MaxTwips);
}

void RtfPicture::setScale(Qt::Orientation orientation, int percent)
{
    m_scale[orientation == Qt::Horizontal ? 0 : 1] = std::clamp(percent, MinScale, MaxScale);
}

// Anything but hex digits (line ends, blanks) is not part of the data.
void RtfPicture::addHex(QByteArrayView text)
{
    for (char c : text) {
        const int digit = RtfReader::hexValue(c);
        if (digit < 0)
            continue;
        if (m_highNibble < 0) {
            m_highNibble = digit;
        } else {
            m_data.append(char(m_highNibble * 16 + digit));
            m_highNibble = -1;
        }
    }
}

void RtfPicture::addBinary(QByteArrayView bytes)
{
    m_data.append(bytes);
}

// The goal size says how large the word processor showed the picture; a
// picture without one is shown a pixel for a pixel. A goal on one side only
// keeps the proportions.
QSize RtfPicture::shownSize(QSize natural) const
{
    const qreal goalWidth = m_goal[0] / TwipsPerPixel;
    const qreal goalHeight = m_goal[1] / TwipsPerPixel;
    qreal width = natural.width();
    qreal height = natural.height();
    if (goalWidth > 0 && goalHeight > 0) {
        width = goalWidth;
        height = goalHeight;
    } else if (goalWidth > 0) {
        height = height * goalWidth / width;
        width = goalWidth;
    } else if (goalHeight > 0) {
        width = width * goalHeight / height;
        height = goalHeight;
    }
    width = std::clamp(width * m_scale[0] / 100, 1.0, MaxSide);
    height = std::clamp(height * m_scale[1] / 100, 1.0, MaxSide);
    if (width * height > MaxPixels) {
        const qreal shrink = std::sqrt(MaxPixels / (width * height));
        width *= shrink;
        height *= shrink;
    }
    return QSize(std::max(1, int(std::lround(width))), std::max(1, int(std::lround(height))));
}

// The size in the file's header is checked before anything is decoded, so a
// small file claiming a huge picture costs nothing.
QImage RtfPicture::image() const
{
    const char *format = formatOf(m_kind);
    if (!format || m_data.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(m_data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, format);
    const QSize natural = reader.size();
    if (natural.isEmpty() || qint64(natural.width()) * natural.height() > MaxPixels)
        return {};
    const QSize shown = shownSize(natural);
    if (shown != natural)
        reader.setScaledSize(shown);
    return reader.read();
}

namespace RtfPictures {

namespace {

struct Refit
{
    int position;
    int length;
    QTextImageFormat format;
};

QSizeF fitted(QSizeF natural, qreal room)
{
    if (room <= 0 || natural.width() <= room)
        return natural;
    return QSizeF(room, natural.height() * room / natural.width());
}

// The pictures of a paragraph whose shown size is not the one that fits
// the room its margins leave.
void addRefits(std::vector<Refit> &refits, const QTextDocument &doc, const QTextBlock &block,
               qreal width)
{
    const QTextBlockFormat paragraph = block.blockFormat();
    const qreal room = width - paragraph.leftMargin() - paragraph.rightMargin() -
        std::max<qreal>(0, paragraph.textIndent());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.charFormat().isImageFormat())
            continue;
        QTextImageFormat format = fragment.charFormat().toImageFormat();
        const QImage image =
            doc.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        if (image.isNull())
            continue;
        const QSizeF shown = fitted(image.size(), room);
        if (shown == QSizeF(format.width(), format.height()))
            continue;
        format.setWidth(shown.width());
        format.setHeight(shown.height());
        refits.push_back({fragment.position(), fragment.length(), format});
    }
}

} // namespace

void fitToWidth(QTextDocument &doc, qreal width)
{
    std::vector<Refit> refits;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        addRefits(refits, doc, block, width);
    if (refits.empty())
        return;
    // Each fit would otherwise be kept for undo, on every resize.
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    for (const Refit &refit : refits) {
        cursor.setPosition(refit.position);
        cursor.setPosition(refit.position + refit.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(refit.format);
    }
    doc.setUndoRedoEnabled(undo);
}

} // namespace RtfPictures
