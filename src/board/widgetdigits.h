// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/digitset.h"

#include <QList>

class Segmora;
class ShapeControl;

// A set of figures on the board as the clock logic sees it.
class SegmoraDigits : public DigitSet
{
public:
    SegmoraDigits() = default;
    explicit SegmoraDigits(QList<Segmora *> figures);

    int count() const override;
    int caption(int index) const override;
    void setCaption(int index, int caption) override;
    QString name() const override;

    const QList<Segmora *> &figures() const { return m_figures; }

private:
    QList<Segmora *> m_figures;
};

// The colon of a clock: a lit dot takes the border colour, a dark one the
// LED background, both read from the settings when the dot changes.
class ShapeColon : public ColonDots
{
public:
    ShapeColon() = default;
    ShapeColon(ShapeControl *upper, ShapeControl *lower);

    void setDotLit(int index, bool lit) override;

private:
    ShapeControl *m_dots[2] = {nullptr, nullptr};
};
