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
