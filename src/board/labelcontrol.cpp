// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/labelcontrol.h"

#include "settings/colors.h"

#include <QFontMetricsF>
#include <QPainter>

LabelControl::LabelControl(const QString &name, int index, QWidget *parent)
    : BoardControl(ControlKind::Label, name, index, parent)
{
    setClickable(true);
}

void LabelControl::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    fitToText();
    update();
}

void LabelControl::setForeColor(qint32 color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    update();
}

void LabelControl::setFontSize(double points)
{
    if (points == m_fontSize)
        return;
    m_fontSize = points;
    fitToText();
    update();
}

void LabelControl::setFontFace(const QString &family, bool bold)
{
    if (family == m_family && bold == m_bold)
        return;
    m_family = family;
    m_bold = bold;
    fitToText();
    update();
}

void LabelControl::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    fitToText();
}

QFont LabelControl::currentFont() const
{
    QFont font(m_family);
    font.setBold(m_bold);
    font.setPixelSize(pointsToPixels(m_fontSize));
    return font;
}

void LabelControl::fitToText()
{
    if (!m_autoSize)
        return;
    const QFontMetricsF metrics(currentFont());
    const double width = metrics.horizontalAdvance(m_caption) + 2;
    setTwipGeometry(twipLeft(), twipTop(), width * TwipsPerPixel, metrics.height() * TwipsPerPixel);
}

void LabelControl::paintEvent(QPaintEvent *)
{
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(currentFont());
    painter.setPen(toQColor(m_foreColor));
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}
