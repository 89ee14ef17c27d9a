// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

// The playing time of a PCM WAV file in milliseconds, from its header: the
// data chunk's size over the format's bytes per second. Nothing when the
// bytes are no WAV file or the header is damaged. Given the file's size, a
// data chunk is taken as no longer than the bytes the file really holds.
std::optional<qint64> wavDurationMs(const QByteArray &header, qint64 fileSize = -1);

// Reads as much of the file as the header needs.
std::optional<qint64> wavFileDurationMs(const QString &fileName);
