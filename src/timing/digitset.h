// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A set of seven-segment figures as the clock and entry logic see it: an
// indexed row of captions, -1 (any negative) for a blank figure.
class DigitSet
{
public:
    virtual ~DigitSet() = default;

    virtual int count() const = 0;
    virtual int caption(int index) const = 0;
    virtual void setCaption(int index, int caption) = 0;
    // The set's name; typed entries belong to the set they were typed into.
    virtual QString name() const = 0;

    int highestIndex() const { return count() - 1; }
    bool shows(int index) const { return caption(index) >= 0; }
    void blank()
    {
        for (int i = 0; i < count(); ++i)
            setCaption(i, -1);
    }
};

// The two dots between minutes and seconds of a clock: index 0 upper,
// 1 lower. The lower dot alone stands for a decimal point.
class ColonDots
{
public:
    virtual ~ColonDots() = default;

    virtual void setDotLit(int index, bool lit) = 0;
};
