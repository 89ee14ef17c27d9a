// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/feedserver.h"

#include "feed/httprequest.h"

#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

namespace {

const QHash<int, QByteArray> StatusLines = {
    {200, "200 OK"},
    {400, "400 Bad Request"},
    {404, "404 Not Found"},
    {405, "405 Method Not Allowed"},
};

// Enough for a page's own messages; nothing a client sends is used.
constexpr quint64 MaxIncomingMessage = 1024;

} // namespace

FeedServer::FeedServer(const FeedLimits &limits, QObject *parent)
    : QObject(parent)
    , m_limits(limits)
    , m_webSockets(QStringLiteral("Vantrell"), QWebSocketServer::NonSecureMode)
{
    connect(&m_tcp, &QTcpServer::pendingConnectionAvailable, this, &FeedServer::accept);
    connect(&m_webSockets, &QWebSocketServer::newConnection, this, &FeedServer::join);
}

FeedServer::~FeedServer()
{
    close();
}

bool FeedServer::listen(const QHostAddress &address, quint16 port)
{
    return m_tcp.listen(address, port);
}

void FeedServer::close()
{
    m_tcp.close();
    // A client that goes leaves the list at once: walk a copy.
    const QList<QWebSocket *> clients = m_live;
    for (QWebSocket *client : clients)
        client->abort();
    for (const Connection &connection : std::as_const(m_connections)) {
        if (connection.socket)
            connection.socket->abort();
    }
}

int FeedServer::connectionCount() const
{
    return int(std::count_if(m_connections.cbegin(), m_connections.cend(),
                             [](const Connection &connection) { return connection.socket; }));
}

void FeedServer::accept()
{
    while (QTcpSocket *socket = m_tcp.nextPendingConnection()) {
        m_connections.removeIf([](const Connection &connection) { return !connection.socket; });
        if (m_connections.size() >= m_limits.maxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // What a client sends beyond a head waits in the system, not in
        // the program's memory.
        socket->setReadBufferSize(m_limits.maxRequestBytes + 1);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHead(socket); });
        auto *deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        deadline->start(m_limits.requestTimeoutMs);
        m_connections.append({socket, deadline});
    }
}

// The head is only peeked at: a WebSocket's handshake must still be there
// for the WebSocket server to read.
void FeedServer::readHead(QTcpSocket *socket)
{
    const HttpRequest::Head head =
        HttpRequest::read(socket->peek(m_limits.maxRequestBytes + 1), m_limits.maxRequestBytes);
    if (head.reading == HttpRequest::Reading::Incomplete)
        return;
    // One answer a connection: what else it sends is never read.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    if (head.reading != HttpRequest::Reading::Complete) {
        reply(socket, 400, "text/plain", "Bad request\n");
        return;
    }
    if (head.method != "GET") {
        reply(socket, 405, "text/plain", "Only GET\n");
        return;
    }
    const FeedRoutes::Route *route = FeedRoutes::find(head.path);
    const bool live = route && route->kind == FeedRoutes::Kind::Live;
    if (live && head.upgrade)
        upgrade(socket);
    else if (live || head.upgrade)
        reply(socket, head.upgrade ? 404 : 400, "text/plain", "WebSocket on /live only\n");
    else
        answer(socket, head.path);
}

void FeedServer::answer(QTcpSocket *socket, const QString &path)
{
    const FeedRoutes::Route *route = FeedRoutes::find(path);
    if (!route) {
        reply(socket, 404, "text/plain", "Not found\n");
        return;
    }
    switch (route->kind) {
    case FeedRoutes::Kind::File:
        if (const auto file = m_files.constFind(path); file != m_files.cend())
            reply(socket, 200, route->contentType, *file);
        else
            reply(socket, 404, "text/plain", "Not found\n");
        return;
    case FeedRoutes::Kind::Layout:
    case FeedRoutes::Kind::Schedule:
    case FeedRoutes::Kind::Standings:
        reply(socket, 200, route->contentType, m_documents[route->kind], true);
        return;
    case FeedRoutes::Kind::State:
        reply(socket, 200, route->contentType, m_state, true);
        return;
    case FeedRoutes::Kind::Live:
        return;
    }
}

// One answer to a connection, then it closes. The deadline still holds:
// a client that never takes its answer is cut off.
void FeedServer::reply(QTcpSocket *socket, int status, const QByteArray &type,
                       const QByteArray &body, bool anyOrigin)
{
    QByteArray head = "HTTP/1.1 " + StatusLines.value(status) + "\r\nContent-Type: " + type +
        "\r\nContent-Length: " + QByteArray::number(body.size()) +
        "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
    if (status == 405)
        head += "Allow: GET\r\n";
    if (anyOrigin)
        head += "Access-Control-Allow-Origin: *\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
}

void FeedServer::upgrade(QTcpSocket *socket)
{
    disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    for (const Connection &connection : std::as_const(m_connections)) {
        if (connection.socket == socket)
            delete connection.deadline;
    }
    m_webSockets.setHandshakeTimeout(m_limits.requestTimeoutMs);
    m_webSockets.handleConnection(socket);
}

void FeedServer::join()
{
    while (QWebSocket *client = m_webSockets.nextPendingConnection()) {
        client->setMaxAllowedIncomingMessageSize(MaxIncomingMessage);
        client->setMaxAllowedIncomingFrameSize(MaxIncomingMessage);
        m_live.append(client);
        connect(client, &QWebSocket::disconnected, this, [this, client] {
            m_live.removeOne(client);
            client->deleteLater();
        });
        if (!m_state.isEmpty())
            send(client, m_state);
    }
}

void FeedServer::publish(const QByteArray &state)
{
    m_state = state;
    // A client too far behind leaves the list at once: walk a copy.
    const QList<QWebSocket *> clients = m_live;
    for (QWebSocket *client : clients)
        send(client, state);
}

void FeedServer::send(QWebSocket *client, const QByteArray &message)
{
    if (client->bytesToWrite() + message.size() > m_limits.maxQueuedBytes) {
        client->abort();
        return;
    }
    client->sendTextMessage(QString::fromUtf8(message));
}
