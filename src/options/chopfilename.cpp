#include "options/chopfilename.h"

#include <QDir>
#include <QFileInfo>

QString ChopFileName(const QString &FileName, qint16 Length)
{
    if (FileName.size() <= Length)
        return FileName.isEmpty() ? QStringLiteral("[No File Selected]") : FileName;

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
