// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/formatlibrary.h"

#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(FormatLibrary)
};

// A format is a few hundred bytes: a folder's stray large file is not read
// whole.
constexpr qint64 FileMost = 64 * 1024;

const QString Extension = QStringLiteral(".json");

MatchFormatFile::ReadResult readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MatchFormatFile::Problem{
            {}, {}, Words::tr("cannot be read: %1").arg(file.errorString())};
    if (file.size() > FileMost)
        return MatchFormatFile::Problem{
            {}, {}, Words::tr("is larger than a format can be (%1 KiB)").arg(FileMost / 1024)};
    return MatchFormatFile::read(file.readAll());
}

void listFolder(const QString &folder, FormatSource source, QList<FormatEntry> &entries)
{
    if (folder.isEmpty())
        return;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QLatin1Char('*') + Extension}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files)
        entries.append({file.absoluteFilePath(), source, readFile(file.absoluteFilePath())});
}

QString stem(const QString &name)
{
    QString stem;
    bool gap = false;
    for (const QChar c : name.toLower()) {
        if (!c.isLetterOrNumber()) {
            gap = true;
            continue;
        }
        if (gap && !stem.isEmpty())
            stem += QLatin1Char('-');
        stem += c;
        gap = false;
    }
    return stem.isEmpty() ? QStringLiteral("format") : stem;
}

// Through links: a folder of one's own linked to the shipped one is the
// shipped one.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool sameFile(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && resolved(a) == resolved(b);
}

} // namespace

QString FormatEntry::problemText() const
{
    const auto *problem = std::get_if<MatchFormatFile::Problem>(&read);
    return problem ? problem->text(QFileInfo(path).fileName()) : QString();
}

FormatLibrary::FormatLibrary(const QString &shippedFolder, const QString &ownFolder)
    : m_shippedFolder(shippedFolder)
    , m_ownFolder(ownFolder)
{
}

QString FormatLibrary::defaultOwnFolder()
{
    return SettingsStore::folder() + QStringLiteral("/formats");
}

QList<FormatEntry> FormatLibrary::entries() const
{
    QList<FormatEntry> entries;
    listFolder(m_shippedFolder, FormatSource::Shipped, entries);
    listFolder(m_ownFolder, FormatSource::Own, entries);
    return entries;
}

QString FormatLibrary::fileNameFor(const QString &name)
{
    return stem(name) + Extension;
}

// A name already taken by another own file gets a number: the operator's
// other format is never replaced by a copy that happens to share its name.
SaveResult FormatLibrary::save(const MatchFormat &format, const QString &edited) const
{
    const QString fileName = fileNameFor(format.name);
    if (const auto problem = MatchFormatFile::check(format))
        return {{}, problem->text(fileName)};
    const QDir own(m_ownFolder);
    if (m_ownFolder.isEmpty() || sameFile(m_ownFolder, m_shippedFolder))
        return {{}, Words::tr("There is no folder of your own to save formats in.")};
    if (!own.mkpath(QStringLiteral(".")))
        return {{},
                Words::tr("The folder %1 could not be made.")
                    .arg(QDir::toNativeSeparators(m_ownFolder))};
    QString path = own.absoluteFilePath(fileName);
    for (int n = 2; QFileInfo::exists(path) && !sameFile(path, edited); ++n)
        path = own.absoluteFilePath(
            QStringLiteral("%1-%2%3").arg(stem(format.name)).arg(n).arg(Extension));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(MatchFormatFile::write(format)) < 0 ||
        !file.commit())
        return {{},
                Words::tr("The format could not be saved as %1: %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString())};
    return {path, {}};
}
