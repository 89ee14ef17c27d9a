// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timing/digitset.h"

#include <QString>

#include <functional>
#include <vector>

// A row of figures as the game holds them: the captions every view of the
// board shows. A caption set to the value it has changes nothing and tells
// no one, so a tick that changes one figure reports one.
class FigureRow : public DigitSet
{
public:
    using Watcher = std::function<void(int index, int caption)>;

    FigureRow(QString name, int count);

    int count() const override { return int(m_captions.size()); }
    int caption(int index) const override { return m_captions.at(size_t(index)); }
    void setCaption(int index, int caption) override;
    QString name() const override { return m_name; }

    void setWatcher(Watcher watcher) { m_watcher = std::move(watcher); }

private:
    QString m_name;
    std::vector<int> m_captions;
    Watcher m_watcher;
};

// The two dots of a clock's colon as the game holds them.
class ColonState : public ColonDots
{
public:
    using Watcher = std::function<void(int dot, bool lit)>;

    void setDotLit(int index, bool lit) override;
    bool lit(int index) const { return m_lit[index & 1]; }

    void setWatcher(Watcher watcher) { m_watcher = std::move(watcher); }

private:
    bool m_lit[2] = {false, false};
    Watcher m_watcher;
};
