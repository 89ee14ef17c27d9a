// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/displaysettings.h"

#include "settings/settingsstore.h"

namespace {

const QString Section = QStringLiteral("DisplaySettings");
const QString AudienceScreenKey = QStringLiteral("AudienceScreen");

} // namespace

// A name edited by hand with spaces about it still names its monitor, and
// one of spaces alone names none.
DisplaySettings readDisplaySettings(SettingsStore &store)
{
    DisplaySettings settings;
    settings.AudienceScreen = store.read(Section, AudienceScreenKey, QString()).trimmed();
    return settings;
}

bool writeAudienceScreen(SettingsStore &store, const QString &monitorName)
{
    store.write(Section, AudienceScreenKey, monitorName);
    return store.sync();
}
