// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsio.h"

#include "input/numlockpolicy.h"
#include "settings/settingsstore.h"
#include "settings/storedvalues.h"

#include <QDir>

namespace {

const QString ColorSettings = QStringLiteral("ColorSettings");
const QString KeySettings = QStringLiteral("KeySettings");
const QString TextSettings = QStringLiteral("TextSettings");
const QString PicSettings = QStringLiteral("PicSettings");

template<typename T> struct Field
{
    const char *key;
    T SettingsRecord::*member;
};

using ColorField = Field<qint32>;
using KeyField = Field<qint16>;
using TextField = Field<QString>;

const ColorField ColorsInReadOrder[] = {
    {"TimeColor", &SettingsRecord::TimeColor},       {"LEDBack", &SettingsRecord::LEDBack},
    {"ScoreColor", &SettingsRecord::ScoreColor},     {"PeriodColor", &SettingsRecord::PeriodColor},
    {"FormBack", &SettingsRecord::FormBack},         {"LEDSelected", &SettingsRecord::LEDSelected},
    {"BorderColor", &SettingsRecord::BorderColor},   {"HomeColor", &SettingsRecord::HomeColor},
    {"VisitorColor", &SettingsRecord::VisitorColor},
};

const ColorField ColorsInWriteOrder[] = {
    {"TimeColor", &SettingsRecord::TimeColor},       {"LEDBack", &SettingsRecord::LEDBack},
    {"LEDSelected", &SettingsRecord::LEDSelected},   {"ScoreColor", &SettingsRecord::ScoreColor},
    {"PeriodColor", &SettingsRecord::PeriodColor},   {"FormBack", &SettingsRecord::FormBack},
    {"BorderColor", &SettingsRecord::BorderColor},   {"HomeColor", &SettingsRecord::HomeColor},
    {"VisitorColor", &SettingsRecord::VisitorColor},
};

const KeyField CommandKeysInReadOrder[] = {
    {"StartStopClockKey", &SettingsRecord::StartStopClockKey},
    {"ResetClockKey", &SettingsRecord::ResetClockKey},
    {"ClearKey", &SettingsRecord::ClearKey},
    {"ClockSwitchKey", &SettingsRecord::ClockSwitchKey},
    {"SepTimeKey", &SettingsRecord::SepTimeKey},
    {"BuzzerKey", &SettingsRecord::BuzzerKey},
    {"HornKey", &SettingsRecord::HornKey},
};

// A store from before key codes were kept gets these, once.
const KeyField UpgradedKeys[] = {
    {"StartStopClockKey", &SettingsRecord::StartStopClockKey},
    {"ResetClockKey", &SettingsRecord::ResetClockKey},
    {"ClearKey", &SettingsRecord::ClearKey},
    {"BuzzerKey", &SettingsRecord::BuzzerKey},
    {"HornKey", &SettingsRecord::HornKey},
};

const KeyField ShotKeysInReadOrder[] = {
    {"ResetShotKey", &SettingsRecord::ResetShotKey},
    {"StartStopShotKey", &SettingsRecord::StartStopShotKey},
};

const KeyField KeysInWriteOrder[] = {
    {"StartStopClockKey", &SettingsRecord::StartStopClockKey},
    {"ResetClockKey", &SettingsRecord::ResetClockKey},
    {"StartStopShotKey", &SettingsRecord::StartStopShotKey},
    {"ResetShotKey", &SettingsRecord::ResetShotKey},
    {"ClearKey", &SettingsRecord::ClearKey},
    {"ClockSwitchKey", &SettingsRecord::ClockSwitchKey},
    {"SepTimeKey", &SettingsRecord::SepTimeKey},
    {"BuzzerKey", &SettingsRecord::BuzzerKey},
    {"HornKey", &SettingsRecord::HornKey},
};

const TextField SoundFiles[] = {
    {"BuzzerFile", &SettingsRecord::BuzzerFile},
    {"HornFile", &SettingsRecord::HornFile},
};

const TextField TeamNames[] = {
    {"HomeText", &SettingsRecord::HomeText},
    {"VisitorText", &SettingsRecord::VisitorText},
};

const TextField Pictures[] = {
    {"HomePic", &SettingsRecord::HomePic},
    {"VisitorPic", &SettingsRecord::VisitorPic},
    {"BoardPic", &SettingsRecord::BoardPic},
};

QString number(qint64 value)
{
    return QString::number(value);
}

class Reader
{
public:
    Reader(SettingsStore &store, SettingsRecord &record)
        : m_store(store)
        , m_record(record)
    {
    }

    QString text(const QString &section, const char *key, const QString &fallback)
    {
        return m_store.read(section, QLatin1String(key), fallback);
    }

    void colors()
    {
        const SettingsRecord defaults;
        for (const ColorField &field : ColorsInReadOrder) {
            // The highlight defaults to the window background just read.
            const qint32 fallback = field.member == &SettingsRecord::LEDSelected
                ? m_record.FormBack
                : defaults.*field.member;
            m_record.*field.member =
                StoredValues::color(text(ColorSettings, field.key, number(fallback)), fallback);
        }
        m_record.LEDSelectedWidth = StoredValues::selectedWidth(
            text(ColorSettings, "LEDSelectedWidth", number(defaults.LEDSelectedWidth)),
            defaults.LEDSelectedWidth);
    }

    template<size_t N> void keys(const KeyField (&fields)[N])
    {
        const SettingsRecord defaults;
        for (const KeyField &field : fields) {
            const qint16 fallback = defaults.*field.member;
            m_record.*field.member =
                StoredValues::keyCode(text(KeySettings, field.key, number(fallback)), fallback);
        }
    }

    template<size_t N>
    void texts(const QString &section, const TextField (&fields)[N], const SettingsRecord &defaults)
    {
        for (const TextField &field : fields)
            m_record.*field.member = text(section, field.key, defaults.*field.member);
    }

    void numLockPolicy(const ImposeNumLock &imposeNumLock)
    {
        const qint32 fallback = SettingsRecord{}.NumLockForce;
        m_record.NumLockForce = StoredValues::numLockForce(
            text(KeySettings, "NumLockForce", number(fallback)), fallback);
        imposeNumLock(m_record.NumLockForce);
    }

    // Runs once per store: it leaves IsKeyCode = "Yes" behind.
    void upgradeKeys()
    {
        if (text(KeySettings, "IsKeyCode", QStringLiteral("No")) != QLatin1String("No"))
            return;
        const SettingsRecord defaults;
        for (const KeyField &field : UpgradedKeys)
            m_record.*field.member = defaults.*field.member;
        for (const KeyField &field : UpgradedKeys)
            m_store.write(KeySettings, QLatin1String(field.key), number(m_record.*field.member));
        m_store.write(KeySettings, QStringLiteral("IsKeyCode"), QStringLiteral("Yes"));
    }

    void teamSize()
    {
        const Decimal4 fallback = SettingsRecord{}.TeamSize;
        m_record.TeamSize = StoredValues::teamSize(
            text(TextSettings, "TeamSize", StoredValues::decimalText(fallback)), fallback);
    }

    void ledType()
    {
        m_record.LEDType =
            StoredValues::ledType(text(PicSettings, "LEDType", QStringLiteral("0")), 0);
    }

private:
    SettingsStore &m_store;
    SettingsRecord &m_record;
};

template<typename T, size_t N>
void writeFields(SettingsStore &store, const QString &section, const Field<T> (&fields)[N],
                 const SettingsRecord &record)
{
    for (const Field<T> &field : fields) {
        if constexpr (std::is_same_v<T, QString>)
            store.write(section, QLatin1String(field.key), record.*field.member);
        else
            store.write(section, QLatin1String(field.key), number(record.*field.member));
    }
}

template<typename T, size_t N>
void takeFields(SettingsRecord &record, const Field<T> (&fields)[N], const SettingsRecord &from)
{
    for (const Field<T> &field : fields)
        record.*field.member = from.*field.member;
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
    Reader read(store, record);
    read.colors();
    read.keys(CommandKeysInReadOrder);
    SettingsRecord soundDefaults;
    // The defaults are crossed: the buzzer sounds the horn file and the horn
    // the buzzer file.
    soundDefaults.BuzzerFile = besideProgram(programFolder, QStringLiteral("horn.wav"));
    soundDefaults.HornFile = besideProgram(programFolder, QStringLiteral("buzzer.wav"));
    read.texts(KeySettings, SoundFiles, soundDefaults);
    read.numLockPolicy(imposeNumLock);
    read.upgradeKeys();
    read.keys(ShotKeysInReadOrder);
    read.texts(TextSettings, TeamNames, SettingsRecord{});
    read.teamSize();
    read.texts(PicSettings, Pictures, SettingsRecord{});
    read.ledType();
    store.sync();
}

bool WriteSettings(SettingsStore &store, const PendingSettings &pending,
                   const ImposeNumLock &imposeNumLock)
{
    SettingsRecord &record = settingsRecord();
    const SettingsRecord &chosen = pending.values;

    takeFields(record, ColorsInWriteOrder, chosen);
    record.LEDSelectedWidth =
        StoredValues::boundSelectedWidth(pending.selectedWidthShown.wholeSeconds());
    writeFields(store, ColorSettings, ColorsInWriteOrder, record);
    store.write(ColorSettings, QStringLiteral("LEDSelectedWidth"), number(record.LEDSelectedWidth));

    takeFields(record, KeysInWriteOrder, chosen);
    takeFields(record, SoundFiles, chosen);
    writeFields(store, KeySettings, KeysInWriteOrder, record);
    writeFields(store, KeySettings, SoundFiles, record);

    record.NumLockForce = chosenNumLockPolicy(pending, record.NumLockForce);
    if (pending.optNormal || pending.optKeepOn || pending.optKeepOff)
        imposeNumLock(record.NumLockForce);
    store.write(KeySettings, QStringLiteral("NumLockForce"), number(record.NumLockForce));

    takeFields(record, TeamNames, chosen);
    record.TeamSize = Decimal4::fromSeconds(pending.TempSize);
    writeFields(store, TextSettings, TeamNames, record);
    store.write(TextSettings, QStringLiteral("TeamSize"),
                StoredValues::decimalText(record.TeamSize));

    takeFields(record, Pictures, chosen);
    record.LEDType = chosen.LEDType;
    writeFields(store, PicSettings, Pictures, record);
    store.write(PicSettings, QStringLiteral("LEDType"), number(record.LEDType));
    return store.sync();
}
