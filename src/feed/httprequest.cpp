// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/httprequest.h"

#include <QList>

namespace HttpRequest {

namespace {

const QByteArray HeadEnd = "\r\n\r\n";

// Printable ASCII and tabs: nothing that could end a line or a string
// early in whatever reads it next.
bool plainText(QByteArrayView line)
{
    for (char c : line) {
        if ((c < 0x20 && c != '\t') || c == 0x7f || static_cast<unsigned char>(c) > 0x7f)
            return false;
    }
    return true;
}

bool readRequestLine(QByteArrayView line, Head &head)
{
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    if (parts.size() != 3 || parts[0].isEmpty() || !parts[2].startsWith("HTTP/1."))
        return false;
    const QByteArray &target = parts[1];
    if (!target.startsWith('/'))
        return false;
    const qsizetype mark = target.indexOf('?');
    head.method = parts[0];
    // Not decoded: a path is only ever looked up in the fixed table.
    head.path = QString::fromLatin1(target.left(mark < 0 ? target.size() : mark));
    head.query = mark < 0 ? QString() : QString::fromLatin1(target.mid(mark + 1));
    return true;
}

bool readHeader(QByteArrayView line, Head &head)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    const QByteArray name = line.first(colon).trimmed().toByteArray().toLower();
    const QByteArray value = line.sliced(colon + 1).trimmed().toByteArray().toLower();
    if (name == "upgrade" && value == "websocket")
        head.upgrade = true;
    return true;
}

} // namespace

Head read(const QByteArray &received, qsizetype maxBytes)
{
    Head head;
    const qsizetype end = received.indexOf(HeadEnd);
    if ((end < 0 ? received.size() : end + HeadEnd.size()) > maxBytes) {
        head.reading = Reading::TooLarge;
        return head;
    }
    if (end < 0)
        return head;
    head.size = end + HeadEnd.size();
    const QList<QByteArray> lines = received.left(end).split('\n');
    bool ok = true;
    for (qsizetype i = 0; i < lines.size() && ok; ++i) {
        QByteArrayView line(lines[i]);
        ok = line.endsWith('\r') || i == lines.size() - 1;
        line = line.endsWith('\r') ? line.chopped(1) : line;
        ok = ok && plainText(line) &&
            (i == 0 ? readRequestLine(line, head) : readHeader(line, head));
    }
    head.reading = ok ? Reading::Complete : Reading::Malformed;
    return head;
}

} // namespace HttpRequest
