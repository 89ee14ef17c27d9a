// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/chopfilename.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>

QString ChopFileName(const QString &FileName, qint16 Length)
{
    if (FileName.size() <= Length)
        return FileName.isEmpty()
            ? QCoreApplication::translate("ChopFileName", "[No File Selected]")
            : FileName;

    const QString separator = QStringLiteral(" ...") + QDir::separator();
    const QFileInfo file(FileName);
    const QString bare = file.exists() ? file.fileName() : QString();
    const qsizetype room = qsizetype(Length) - separator.size();
    if (room < 0)
        return separator.left(qMax<qsizetype>(0, Length));
    if (bare.size() > room)
        return separator + bare.right(room);
    return FileName.left(room - bare.size()) + separator + bare;
}

QString ChopFileNameToFit(const QString &FileName, qint16 Length, const QFontMetrics &metrics,
                          int width)
{
    QString shown = ChopFileName(FileName, Length);
    for (qint16 length = Length - 1; length > 0 && metrics.horizontalAdvance(shown) > width;
         --length)
        shown = ChopFileName(FileName, length);
    return shown;
}
