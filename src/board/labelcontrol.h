// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardcontrol.h"

// A line of text, always shown as plain text, centred in its box, over
// whatever lies beneath it. With auto-size on, the box follows the text.
class LabelControl : public BoardControl
{
    Q_OBJECT

public:
    LabelControl(const QString &name, int index, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    qint32 foreColor() const { return m_foreColor; }
    void setForeColor(qint32 color);
    // Points; 20 twips make a point, so a point is 4/3 of a pixel whatever
    // the screen's own resolution.
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    void setFontFace(const QString &family, bool bold);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont currentFont() const;
    void fitToText();

    QString m_caption;
    qint32 m_foreColor = 0;
    double m_fontSize = 8;
    QString m_family = QStringLiteral("Arial");
    bool m_bold = false;
    bool m_autoSize = false;
};
