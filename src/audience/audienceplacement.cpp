// SPDX-License-Identifier: GPL-3.0-or-later
#include "audience/audienceplacement.h"

#include <QCoreApplication>

namespace {

std::optional<Monitor> named(const QList<Monitor> &monitors, const QString &name)
{
    for (const Monitor &monitor : monitors) {
        if (!name.isEmpty() && monitor.name == name)
            return monitor;
    }
    return std::nullopt;
}

} // namespace

QString monitorLabel(const Monitor &monitor)
{
    return QCoreApplication::translate("Displays", "%1 (%2 \u00d7 %3)")
        .arg(monitor.name)
        .arg(monitor.geometry.width())
        .arg(monitor.geometry.height());
}

AudiencePlacement::AudiencePlacement(const QString &chosen)
    : m_chosen(chosen)
    , m_last(m_chosen)
{
}

void AudiencePlacement::choose(const QString &monitorName)
{
    m_chosen = monitorName;
    if (isOn())
        m_last = m_chosen;
}

void AudiencePlacement::toggle(const QList<Monitor> &connected, const QString &boardMonitor)
{
    if (target(connected)) {
        m_chosen.clear();
        return;
    }
    if (named(connected, m_last)) {
        m_chosen = m_last;
        return;
    }
    for (const Monitor &monitor : connected) {
        if (monitor.name != boardMonitor)
            return choose(monitor.name);
    }
    // Over the board only for want of another monitor: the next F5 goes
    // back to the one chosen before, when it has come back.
    if (!connected.isEmpty())
        m_chosen = connected.front().name;
}

std::optional<Monitor> AudiencePlacement::target(const QList<Monitor> &connected) const
{
    return named(connected, m_chosen);
}
