// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsio.h"

#include "input/numlockpolicy.h"
#include "settings/settingsstore.h"
#include "settings/storedvalues.h"

#include <QDir>

namespace {

const QString KeySettings = QStringLiteral("KeySettings");

QString number(qint64 value)
{
    return QString::number(value);
}

template<auto Member> QString numberText(const SettingsRecord &record)
{
    return number(record.*Member);
}

template<auto Member> QString plainText(const SettingsRecord &record)
{
    return record.*Member;
}

QString teamSizeText(const SettingsRecord &record)
{
    return StoredValues::decimalText(record.TeamSize);
}

template<auto Member, auto Parse>
void takeParsed(SettingsRecord &record, const QString &text, const SettingsRecord &fallback)
{
    record.*Member = Parse(text, fallback.*Member);
}

template<auto Member>
void takeText(SettingsRecord &record, const QString &text, const SettingsRecord &)
{
    record.*Member = text;
}

// One setting of the store: where it is kept and how its field becomes the
// stored text and back. A text that is not a value gives the field of the
// fallback record, the defaults.
struct StoredSetting
{
    const char *section;
    const char *key;
    QString (*text)(const SettingsRecord &record);
    void (*take)(SettingsRecord &record, const QString &text, const SettingsRecord &fallback);
    // Reset once on a store from before key codes were kept.
    bool upgraded = false;
};

template<auto Member> constexpr StoredSetting color(const char *key)
{
    return {"ColorSettings", key, numberText<Member>, takeParsed<Member, StoredValues::color>};
}

template<auto Member> constexpr StoredSetting key(const char *key, bool upgraded = false)
{
    return {"KeySettings", key, numberText<Member>, takeParsed<Member, StoredValues::keyCode>,
            upgraded};
}

template<auto Member> constexpr StoredSetting text(const char *section, const char *key)
{
    return {section, key, plainText<Member>, takeText<Member>};
}

using R = SettingsRecord;

// Every setting, in the order the store is read.
const StoredSetting Settings[] = {
    color<&R::TimeColor>("TimeColor"),
    color<&R::LEDBack>("LEDBack"),
    color<&R::ScoreColor>("ScoreColor"),
    color<&R::PeriodColor>("PeriodColor"),
    color<&R::FormBack>("FormBack"),
    color<&R::LEDSelected>("LEDSelected"),
    color<&R::BorderColor>("BorderColor"),
    color<&R::HomeColor>("HomeColor"),
    color<&R::VisitorColor>("VisitorColor"),
    {"ColorSettings", "LEDSelectedWidth", numberText<&R::LEDSelectedWidth>,
     takeParsed<&R::LEDSelectedWidth, StoredValues::selectedWidth>},
    key<&R::StartStopClockKey>("StartStopClockKey", true),
    key<&R::ResetClockKey>("ResetClockKey", true),
    key<&R::ClearKey>("ClearKey", true),
    key<&R::ClockSwitchKey>("ClockSwitchKey"),
    key<&R::SepTimeKey>("SepTimeKey"),
    key<&R::BuzzerKey>("BuzzerKey", true),
    key<&R::HornKey>("HornKey", true),
    text<&R::BuzzerFile>("KeySettings", "BuzzerFile"),
    text<&R::HornFile>("KeySettings", "HornFile"),
    {"KeySettings", "NumLockForce", numberText<&R::NumLockForce>,
     takeParsed<&R::NumLockForce, StoredValues::numLockForce>},
    key<&R::ResetShotKey>("ResetShotKey"),
    key<&R::StartStopShotKey>("StartStopShotKey"),
    text<&R::HomeText>("TextSettings", "HomeText"),
    text<&R::VisitorText>("TextSettings", "VisitorText"),
    {"TextSettings", "TeamSize", teamSizeText, takeParsed<&R::TeamSize, StoredValues::teamSize>},
    text<&R::HomePic>("PicSettings", "HomePic"),
    text<&R::VisitorPic>("PicSettings", "VisitorPic"),
    text<&R::BoardPic>("PicSettings", "BoardPic"),
    {"PicSettings", "LEDType", numberText<&R::LEDType>,
     takeParsed<&R::LEDType, StoredValues::ledType>},
};

QString read(SettingsStore &store, const StoredSetting &setting, const QString &fallback)
{
    return store.read(QLatin1String(setting.section), QLatin1String(setting.key), fallback);
}

void write(SettingsStore &store, const StoredSetting &setting, const SettingsRecord &record)
{
    store.write(QLatin1String(setting.section), QLatin1String(setting.key), setting.text(record));
}

// Runs once per store: it leaves IsKeyCode = "Yes" behind.
void upgradeKeys(SettingsStore &store, SettingsRecord &record)
{
    if (store.read(KeySettings, QStringLiteral("IsKeyCode"), QStringLiteral("No")) !=
        QLatin1String("No"))
        return;
    const SettingsRecord defaults;
    for (const StoredSetting &setting : Settings) {
        if (!setting.upgraded)
            continue;
        setting.take(record, setting.text(defaults), defaults);
        write(store, setting, record);
    }
    store.write(KeySettings, QStringLiteral("IsKeyCode"), QStringLiteral("Yes"));
}

int chosenNumLockPolicy(const PendingSettings &pending, int current)
{
    if (pending.optNormal)
        return storedNumLockPolicy(NumLockPolicy::LeaveAlone);
    if (pending.optKeepOn)
        return storedNumLockPolicy(NumLockPolicy::KeepOn);
    if (pending.optKeepOff)
        return storedNumLockPolicy(NumLockPolicy::KeepOff);
    return current;
}

} // namespace

QString besideProgram(const QString &programFolder, const QString &fileName)
{
    return QDir::toNativeSeparators(programFolder + QLatin1Char('/') + fileName);
}

void ReadSettings(SettingsStore &store, const QString &programFolder,
                  const ImposeNumLock &imposeNumLock)
{
    SettingsRecord &record = settingsRecord();
    SettingsRecord fallback;
    // The defaults are crossed: the buzzer sounds the horn file and the horn
    // the buzzer file.
    fallback.BuzzerFile = besideProgram(programFolder, QStringLiteral("horn.wav"));
    fallback.HornFile = besideProgram(programFolder, QStringLiteral("buzzer.wav"));
    for (const StoredSetting &setting : Settings) {
        // The highlight defaults to the window background, read before it.
        fallback.LEDSelected = record.FormBack;
        setting.take(record, read(store, setting, setting.text(fallback)), fallback);
    }
    imposeNumLock(record.NumLockForce);
    upgradeKeys(store, record);
    store.sync();
}

bool WriteTeamNames(SettingsStore &store, const QString &home, const QString &visitor)
{
    SettingsRecord &record = settingsRecord();
    record.HomeText = home;
    record.VisitorText = visitor;
    for (const StoredSetting &setting : Settings)
        write(store, setting, record);
    return store.sync();
}

bool WriteSettings(SettingsStore &store, const PendingSettings &pending,
                   const ImposeNumLock &imposeNumLock)
{
    SettingsRecord &record = settingsRecord();
    SettingsRecord chosen = pending.values;
    chosen.LEDSelectedWidth =
        StoredValues::boundSelectedWidth(pending.selectedWidthShown.wholeSeconds());
    chosen.NumLockForce = chosenNumLockPolicy(pending, record.NumLockForce);
    chosen.TeamSize = Decimal4::fromSeconds(pending.TempSize);
    record = chosen;
    if (pending.optNormal || pending.optKeepOn || pending.optKeepOff)
        imposeNumLock(record.NumLockForce);
    for (const StoredSetting &setting : Settings)
        write(store, setting, record);
    return store.sync();
}
