#pragma once

#include <QString>
#include <QtGlobal>

// A file path as a label of `Length` characters shows it: whole when it
// fits, "[No File Selected]" when empty, else its beginning, " .../" and the
// file's bare name, exactly `Length` characters in all. When the bare name
// alone leaves no room for a beginning, the result is " .../" and as much of
// the end of the bare name as fits.
QString ChopFileName(const QString &FileName, qint16 Length);
