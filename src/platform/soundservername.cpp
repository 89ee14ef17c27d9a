// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/soundservername.h"

#include <QtGlobal>

#include <utility>

void nameProgramForSoundServer(const QByteArray &name, const QByteArray &iconName)
{
    const std::pair<const char *, QByteArray> properties[] = {
        {"PULSE_PROP_OVERRIDE_application.name", name},
        {"PULSE_PROP_OVERRIDE_application.icon_name", iconName},
    };
    for (const auto &[variable, value] : properties) {
        if (!qEnvironmentVariableIsSet(variable))
            qputenv(variable, value);
    }
}
