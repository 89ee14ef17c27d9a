// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsrecord.h"

SettingsRecord &settingsRecord()
{
    static SettingsRecord record;
    return record;
}

void resetSettingsRecord()
{
    settingsRecord() = SettingsRecord{};
}
