// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

// A monitor as the system reports it.
struct Monitor
{
    QString name;
    QRect geometry;
};

// How a monitor is offered to the operator: its name and size.
QString monitorLabel(const Monitor &monitor);

// Which monitor the audience display belongs on: the operator's choice
// against the monitors connected now. A chosen monitor that is not
// connected keeps the display closed, and the choice, until it comes back.
class AudiencePlacement
{
public:
    explicit AudiencePlacement(const QString &chosen = {});

    // The chosen monitor's name; empty when the display is off.
    QString chosen() const { return m_chosen; }
    bool isOn() const { return !m_chosen.isEmpty(); }
    void choose(const QString &monitorName);
    // Off when it shows; else on: on the monitor last chosen when it is
    // connected, else the first that does not show the board, else, for
    // now, the board's own.
    void toggle(const QList<Monitor> &connected, const QString &boardMonitor);

    // The monitor the display goes on now, if any.
    std::optional<Monitor> target(const QList<Monitor> &connected) const;

private:
    QString m_chosen;
    // Kept while off, so F5 turns it back on where it was.
    QString m_last;
};
