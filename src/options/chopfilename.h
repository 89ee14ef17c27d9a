// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

class QFontMetrics;

// A file path as a label of `Length` characters shows it: whole when it
// fits, "[No File Selected]" when empty, else its beginning, " .../" and the
// file's bare name, exactly `Length` characters in all. When the bare name
// alone leaves no room for a beginning, the result is " .../" and as much of
// the end of the bare name as fits.
QString ChopFileName(const QString &FileName, qint16 Length);

// ChopFileName at the greatest length up to `Length` whose text is at most
// `width` pixels wide in the given font, so a label that width never clips
// it and the end of the file's name always shows.
QString ChopFileNameToFit(const QString &FileName, qint16 Length, const QFontMetrics &metrics,
                          int width);
