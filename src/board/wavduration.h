#pragma once

#include <QByteArray>

#include <optional>

// The playing time of a PCM WAV file in milliseconds, from its header: the
// data chunk's size over the format's bytes per second. Nothing when the
// bytes are no WAV file or the header is damaged.
std::optional<qint64> wavDurationMs(const QByteArray &header);

// Reads as much of the file as the header needs.
std::optional<qint64> wavFileDurationMs(const QString &fileName);
