// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/widgetdigits.h"

#include "board/segmora.h"
#include "board/shapecontrol.h"
#include "settings/settingsrecord.h"

SegmoraDigits::SegmoraDigits(QList<Segmora *> figures)
    : m_figures(std::move(figures))
{
}

int SegmoraDigits::count() const
{
    return static_cast<int>(m_figures.size());
}

int SegmoraDigits::caption(int index) const
{
    return m_figures.at(index)->caption();
}

void SegmoraDigits::setCaption(int index, int caption)
{
    m_figures.at(index)->setCaption(caption);
}

QString SegmoraDigits::name() const
{
    return m_figures.isEmpty() ? QString() : m_figures.first()->controlName();
}

ShapeColon::ShapeColon(ShapeControl *upper, ShapeControl *lower)
    : m_dots{upper, lower}
{
}

void ShapeColon::setDotLit(int index, bool lit)
{
    if (index < 0 || index > 1 || !m_dots[index])
        return;
    const SettingsRecord &settings = settingsRecord();
    m_dots[index]->setFillColor(lit ? settings.BorderColor : settings.LEDBack);
}
