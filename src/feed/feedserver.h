// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/feedroutes.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QWebSocketServer>

#include <map>

class QTcpSocket;
class QTimer;
class QWebSocket;

// What one client may cost the program. The defaults are the feed's; tests
// give smaller ones.
struct FeedLimits
{
    // Connections at once, pages and WebSockets alike; one more is refused.
    int maxClients = 256;
    // The longest request head; a longer one is answered 400.
    qsizetype maxRequestBytes = 8192;
    // A request not whole by then, or an answer not taken by then, is
    // closed.
    int requestTimeoutMs = 10000;
    // A WebSocket client that falls this far behind is closed.
    qint64 maxQueuedBytes = 1024 * 1024;
};

// The live feed's server: the fixed pages, the state as JSON and a
// WebSocket of changes, on one port. It only ever answers: nothing a client
// sends changes the game, the settings or a file.
class FeedServer : public QObject
{
    Q_OBJECT

public:
    explicit FeedServer(const FeedLimits &limits = {}, QObject *parent = nullptr);
    ~FeedServer() override;

    // The web files by route path, and the documents that change only now
    // and then (the board's layout, the event's), as served.
    void setFiles(QHash<QString, QByteArray> files) { m_files = std::move(files); }
    void setDocument(FeedRoutes::Kind kind, const QByteArray &json) { m_documents[kind] = json; }

    bool listen(const QHostAddress &address, quint16 port);
    QString errorString() const { return m_tcp.errorString(); }
    quint16 port() const { return m_tcp.serverPort(); }
    // Closes the port and every connection.
    void close();

    // The state now: sent to every WebSocket client, and at once to each
    // that joins later.
    void publish(const QByteArray &state);
    const QByteArray &state() const { return m_state; }

    int connectionCount() const;
    int liveCount() const { return int(m_live.size()); }

private:
    void accept();
    void readHead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &path);
    void reply(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body,
               bool anyOrigin = false);
    void upgrade(QTcpSocket *socket);
    void join();
    void send(QWebSocket *client, const QByteArray &message);

    FeedLimits m_limits;
    QTcpServer m_tcp;
    QWebSocketServer m_webSockets;
    QHash<QString, QByteArray> m_files;
    std::map<FeedRoutes::Kind, QByteArray> m_documents;
    QByteArray m_state;
    QList<QWebSocket *> m_live;
    // Every connection until it is gone, pages and WebSockets alike. Held
    // by QPointer, not told by a signal: the WebSocket that takes a
    // connection over drops every connection of its socket, and deletes the
    // socket with itself.
    struct Connection
    {
        QPointer<QTcpSocket> socket;
        // Until the request is whole and answered; a WebSocket has none.
        QPointer<QTimer> deadline;
    };
    QList<Connection> m_connections;
};
