// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsstore.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

const QString Application = QStringLiteral("Vantrell");

bool fileLooksDamaged(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return iniTextLooksDamaged(file.readAll());
}

QString freeCopyName(const QString &path)
{
    QString candidate = path + QStringLiteral(".damaged");
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = path + QStringLiteral(".damaged.%1").arg(n);
    return candidate;
}

} // namespace

QString SettingsStore::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QLatin1Char('/') + Application;
}

bool iniTextLooksDamaged(const QByteArray &text)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder(text);
    if (decoder.hasError() || decoded.contains(QChar(0)))
        return true;
    for (QStringView line : QStringView(decoded).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            continue;
        if (line.indexOf(QLatin1Char('=')) > 0)
            continue;
        return true;
    }
    return false;
}

SettingsStore::SettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, Application, Application)
{
    m_damaged = m_settings.status() == QSettings::FormatError ||
        (QFileInfo(fileName()).isFile() && fileLooksDamaged(fileName()));
}

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback)
{
    const QVariant value = m_settings.value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return fallback;
    // A hand-edited value with unquoted commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::write(const QString &section, const QString &key, const QString &text)
{
    if (m_damaged && m_copy.isEmpty())
        keepCopyOfDamaged();
    // Without a copy, writing would be the one thing that loses the file.
    if (m_damaged && m_copy.isEmpty()) {
        m_refused = true;
        return;
    }
    m_settings.setValue(section + QLatin1Char('/') + key, text);
}

bool SettingsStore::sync()
{
    m_settings.sync();
    // A format error only says the file read was damaged, which the copy
    // aside has taken care of.
    const bool saved = !m_refused && m_settings.status() != QSettings::AccessError;
    m_refused = false;
    return saved;
}

void SettingsStore::keepCopyOfDamaged()
{
    const QString copy = freeCopyName(fileName());
    if (QFile::copy(fileName(), copy))
        m_copy = copy;
}
