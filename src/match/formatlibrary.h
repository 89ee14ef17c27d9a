// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"

#include <QList>
#include <QString>

#include <variant>

enum class FormatSource { Shipped, Own };

// One file of a formats folder: the format it holds, or why it cannot be
// used.
struct FormatEntry
{
    QString path;
    FormatSource source = FormatSource::Shipped;
    MatchFormatFile::ReadResult read;

    const MatchFormat *format() const { return std::get_if<MatchFormat>(&read); }
    // "file: field "value" reason", for a file that cannot be used.
    QString problemText() const;
};

// Where a copy was saved, or why it was not.
struct SaveResult
{
    QString path;
    QString error;

    bool saved() const { return error.isEmpty(); }
};

// The formats that come with the program and the operator's own, each
// folder's *.json files by name; an own format is saved as a copy into his
// folder and never anywhere else.
class FormatLibrary
{
public:
    FormatLibrary(const QString &shippedFolder, const QString &ownFolder);

    // The per-user folder, in the folder that holds the settings.
    static QString defaultOwnFolder();

    QString ownFolder() const { return m_ownFolder; }
    // The shipped ones first, then the operator's own.
    QList<FormatEntry> entries() const;
    // Writes `format` into the own folder under a name made from its
    // name. `edited` is the file it was copied from: an own file of the
    // same name is replaced only when it is that file.
    SaveResult save(const MatchFormat &format, const QString &edited = {}) const;

    // The format's name as a file name: letters and digits, the rest as
    // single dashes, never empty, never a path.
    static QString fileNameFor(const QString &name);

private:
    QString m_shippedFolder;
    QString m_ownFolder;
};
