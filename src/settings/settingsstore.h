// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

// The per-user store of text values, by section and key: on Linux
// $XDG_CONFIG_HOME/Vantrell/Vantrell.conf, on Windows the user's registry.
//
// QSettings rewrites the whole file on its first write and drops whatever it
// could not parse, so a file that reads as damaged is copied aside, once,
// before anything is written into it: nothing the operator had is lost.
class SettingsStore
{
public:
    SettingsStore();

    // The stored text, or `fallback` when the key is missing.
    QString read(const QString &section, const QString &key, const QString &fallback);
    void write(const QString &section, const QString &key, const QString &text);
    // Puts what was written on disk; false when some of it is not there. A
    // store that cannot be written is left as it is; the program goes on
    // with what it holds. Once the file could not be written, every later
    // sync of this store answers false as well.
    bool sync();

    QString fileName() const { return m_settings.fileName(); }
    // The per-user folder of the program's other files, beside the store's
    // file: $XDG_CONFIG_HOME/Vantrell. (QStandardPaths' AppConfigLocation
    // is Vantrell/Vantrell, as the organisation and the program share the
    // name.)
    static QString folder();
    bool damaged() const { return m_damaged; }
    // Where the damaged file was copied, empty until then.
    QString copyOfDamaged() const { return m_copy; }

private:
    void keepCopyOfDamaged();

    QSettings m_settings;
    bool m_damaged = false;
    QString m_copy;
    // A write refused since the last sync.
    bool m_refused = false;
};

// True when some line of an INI text is neither a section, a key with a
// value, a comment nor blank, or the text is not valid UTF-8.
bool iniTextLooksDamaged(const QByteArray &text);
