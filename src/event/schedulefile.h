// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "event/schedule.h"

#include <QString>

#include <optional>

// A day's schedule as its file holds it: one JSON file an event, with a
// version, in the per-user data folder, written whole or not at all.
namespace ScheduleFile {

inline constexpr char Kind[] = "vantrell-event";
constexpr int Version = 1;

// `$XDG_DATA_HOME/Vantrell/events`.
QString defaultFolder();

QByteArray write(const Schedule &schedule);
// The schedule, or why the bytes are none.
std::optional<Schedule> read(const QByteArray &bytes, QString *problem = nullptr);

// Saved with QSaveFile: a crash while writing leaves the file as it was.
bool save(const QString &path, const Schedule &schedule, QString *problem = nullptr);
std::optional<Schedule> load(const QString &path, QString *problem = nullptr);

} // namespace ScheduleFile
