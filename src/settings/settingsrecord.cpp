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

qint16 teamNameSize(const SettingsRecord &settings)
{
    return qint16(qBound(qint64(1), settings.TeamSize.roundedSeconds(), qint64(32767)));
}
