// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/boardcontrol.h"
#include "settings/colors.h"
#include "settings/settingsrecord.h"

#include <QPixmap>

// A seven-segment LED figure. The figure sizes itself from ledSize, so only
// its left and top can be placed. Drawing goes through a cached pixmap,
// because a board of these repaints several times a second for hours.
class Segmora : public BoardControl
{
    Q_OBJECT
    Q_PROPERTY(int caption READ caption WRITE setCaption)
    Q_PROPERTY(qint32 litColor READ litColor WRITE setLitColor)
    Q_PROPERTY(qint32 backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(LedStyle ledType READ ledType WRITE setLedType)
    Q_PROPERTY(int ledSize READ ledSize WRITE setLedSize)

public:
    // The values the settings store: 0 segments drawn as bars, 1 as dots.
    enum class LedStyle : qint32 { Segments = 0, Dots = LedDots };
    Q_ENUM(LedStyle)
    static constexpr int BlankCaption = -1;

    // The style of a stored value.
    static LedStyle ledStyleFor(qint32 stored);

    Segmora(const QString &name, int index, QWidget *parent);

    // 0 to 9 shows that digit; anything else shows a blank figure.
    int caption() const { return m_caption; }
    void setCaption(int caption);
    qint32 litColor() const { return m_litColor; }
    void setLitColor(qint32 color);
    qint32 backColor() const { return m_backColor; }
    void setBackColor(qint32 color);
    LedStyle ledType() const { return m_ledType; }
    void setLedType(LedStyle type);
    // The figure's height in pixels; the width follows at 0.56 of it.
    int ledSize() const { return m_ledSize; }
    void setLedSize(int size);

    static int pixelWidthFor(int ledSize);

    double twipWidth() const override;
    double twipHeight() const override;
    void setTwipWidth(double width) override;
    void setTwipHeight(double height) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void invalidate();
    void rebuildCache();

    int m_caption = 0;
    qint32 m_litColor = Colors::Red;
    qint32 m_backColor = Colors::Black;
    LedStyle m_ledType = LedStyle::Segments;
    int m_ledSize = 95;
    QPixmap m_cache;
    bool m_cacheValid = false;
};
