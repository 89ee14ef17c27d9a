// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

class QTextDocument;

// A picture in the manual: a field's logo or map pasted into the rules.
// Its bytes arrive as hex digits or as \binN data, its size in twips.
class RtfPicture
{
public:
    enum class Kind { Unknown, Png, Jpeg, Other };

    // A decoded picture never holds more pixels than this: 32 MB of memory,
    // a 4000 x 2000 photograph, whatever size the file claims.
    static constexpr qint64 MaxPixels = 8'000'000;

    void setKind(Kind kind) { m_kind = kind; }
    void setGoal(Qt::Orientation orientation, int twips);
    void setScale(Qt::Orientation orientation, int percent);
    void addHex(QByteArrayView text);
    void addBinary(QByteArrayView bytes);

    // The picture at the size it is shown, or a null image when it is of a
    // kind the help window does not show, damaged, or too large to decode.
    QImage image() const;

private:
    QSize shownSize(QSize natural) const;

    Kind m_kind = Kind::Unknown;
    QByteArray m_data;
    int m_highNibble = -1;
    int m_goal[2] = {0, 0}; // twips, width then height; 0 when not given
    int m_scale[2] = {100, 100};
};

namespace RtfPictures {

// Shows every picture of the document at its own size, or smaller, in
// proportion, where that is wider than the text: a picture never needs a
// scroll bar of its own.
void fitToWidth(QTextDocument &doc, qreal width);

} // namespace RtfPictures
