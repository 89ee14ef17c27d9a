// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/wavduration.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qsizetype ChunkHeader = 8;
// Enough for the RIFF header and the chunks usually found before the data.
constexpr qint64 HeaderBytes = 64 * 1024;

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

std::optional<qint64> wavDurationMs(const QByteArray &header, qint64 fileSize)
{
    if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 bytesPerSecond = 0;
    for (qsizetype at = 12; at + ChunkHeader <= header.size();) {
        const QByteArray id = header.mid(at, 4);
        const quint32 size = le32(header, at + 4);
        const qsizetype body = at + ChunkHeader;
        if (id == "fmt " && body + 12 <= header.size())
            bytesPerSecond = le32(header, body + 8);
        if (id == "data") {
            if (bytesPerSecond == 0)
                return std::nullopt;
            qint64 bytes = size;
            if (fileSize >= 0)
                bytes = qBound(qint64(0), fileSize - qint64(body), bytes);
            return bytes * 1000 / bytesPerSecond;
        }
        // Chunks are padded to an even size.
        at = body + qsizetype(size) + (size & 1);
        if (at < body)
            break;
    }
    return std::nullopt;
}

std::optional<qint64> wavFileDurationMs(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return wavDurationMs(file.read(HeaderBytes), file.size());
}
