// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/modstretch.h"

#include "board/controllayer.h"
#include "board/labelcontrol.h"
#include "board/segmora.h"
#include "board/shapecontrol.h"

#include <QWindow>

#include <cmath>
#include <limits>

namespace modStretch {

namespace {

void recordKindFields(LayoutEntry &entry, BoardControl &control)
{
    switch (control.kind()) {
    case ControlKind::Segmora:
        entry.Size = static_cast<Segmora &>(control).ledSize();
        break;
    case ControlKind::PictureBox:
    case ControlKind::Image:
        entry.Height = roundHalfEven(control.twipHeight());
        entry.Width = roundHalfEven(control.twipWidth());
        break;
    case ControlKind::Label:
        entry.Height = roundHalfEven(control.twipHeight());
        entry.Width = roundHalfEven(control.twipWidth());
        entry.FontSize = roundHalfEven(static_cast<LabelControl &>(control).fontSize());
        break;
    case ControlKind::Shape:
        entry.Height = roundHalfEven(control.twipHeight());
        entry.Width = roundHalfEven(control.twipWidth());
        entry.BorderWidth = roundHalfEven(static_cast<ShapeControl &>(control).borderWidth());
        break;
    }
}

// Places follow the ratios in single precision; sizes never fall below one.
void stretchEntry(const LayoutEntry &entry, float widthRatio, float heightRatio)
{
    BoardControl &control = *entry.Control;
    if (entry.Left != 0)
        control.setTwipLeft(widthRatio * float(entry.Left));
    if (entry.Top != 0)
        control.setTwipTop(heightRatio * float(entry.Top));
    if (entry.Width != 0)
        control.setTwipWidth(AtLeastOne(double(widthRatio) * entry.Width));
    if (entry.Height != 0)
        control.setTwipHeight(AtLeastOne(double(heightRatio) * entry.Height));
    if (entry.FontSize != 0)
        static_cast<LabelControl &>(control).setFontSize(
            AtLeastOne(double(heightRatio) * entry.FontSize));
    if (entry.BorderWidth != 0)
        static_cast<ShapeControl &>(control).setBorderWidth(
            roundHalfEven(AtLeastOne(double(heightRatio) * entry.BorderWidth)));
    if (entry.Size != 0)
        static_cast<Segmora &>(control).setLedSize(
            roundHalfEven(AtLeastOne(double(heightRatio) * entry.Size)));
}

} // namespace

qint32 roundHalfEven(double value)
{
    constexpr double low = std::numeric_limits<qint32>::min();
    constexpr double high = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::nearbyint(qBound(low, value, high)));
}

QSize windowTwips(const QWidget &window)
{
    return window.size() * int(TwipsPerPixel);
}

QSize outerTwips(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    if (frame.isNull())
        return windowTwips(window) + QSize(DesignFrameWidth, DesignFrameHeight);
    return window.size().grownBy(frame) * int(TwipsPerPixel);
}

double scaledFontSize(qint16 baseSize, const QSize &outerTwips)
{
    const float a = float(outerTwips.width()) / 4;
    const float b = float(outerTwips.height()) / 3;
    if (b >= a)
        return double(baseSize) / FontDesignWidth * outerTwips.width();
    return double(baseSize) / FontDesignHeight * outerTwips.height();
}

double AtLeastOne(double value)
{
    return value >= 1 ? value : 1;
}

LayoutRecord RecordLayout(const QWidget &window, const ControlLayer &layer)
{
    LayoutRecord layout;
    layout.LayoutTable.assign(size_t(layer.count()) + 1, LayoutEntry{});
    const QSize twips = windowTwips(window);
    layout.DesignHeight = twips.height();
    layout.DesignWidth = twips.width();
    size_t k = 0;
    for (BoardControl *control : layer.controls()) {
        LayoutEntry &entry = layout.LayoutTable[k++];
        entry.Control = control;
        entry.Left = roundHalfEven(control->twipLeft());
        entry.Top = roundHalfEven(control->twipTop());
        recordKindFields(entry, *control);
    }
    return layout;
}

void StretchLayout(QWidget &window, const LayoutRecord &layout, const QSize &twips)
{
    if (window.isMinimized() || layout.DesignWidth <= 0 || layout.DesignHeight <= 0)
        return;
    const float widthRatio = float(twips.width()) / float(layout.DesignWidth);
    const float heightRatio = float(twips.height()) / float(layout.DesignHeight);

    window.setUpdatesEnabled(false);
    for (const LayoutEntry &entry : layout.LayoutTable) {
        if (entry.Control)
            stretchEntry(entry, widthRatio, heightRatio);
    }
    window.setUpdatesEnabled(true);
    window.update();
}

void SetLedType(const ControlLayer &layer, Segmora::LedStyle ledType)
{
    for (BoardControl *control : layer.controls()) {
        if (auto *figure = qobject_cast<Segmora *>(control))
            figure->setLedType(ledType);
    }
}

} // namespace modStretch
