// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The head of an HTTP request as the live feed accepts it: a request line
// and headers in plain ASCII, nothing more. The feed only serves GET and
// never reads a body.
namespace HttpRequest {

enum class Reading {
    Incomplete, // the blank line that ends the head has not come yet
    Complete,
    Malformed,
    TooLarge,
};

struct Head
{
    Reading reading = Reading::Incomplete;
    QByteArray method;
    // The path alone, without the query.
    QString path;
    QString query;
    // Asks to become a WebSocket ("Upgrade: websocket").
    bool upgrade = false;
    // How many bytes the head takes, blank line included.
    qsizetype size = 0;
};

// Reads the head from what has arrived so far; a head longer than
// `maxBytes` is TooLarge whether or not it is complete.
Head read(const QByteArray &received, qsizetype maxBytes);

} // namespace HttpRequest
