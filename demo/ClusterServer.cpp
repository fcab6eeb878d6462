#include "demo/ClusterServer.h"

#include "demo/DemoLog.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace kalver::demo {

ClusterServer::ClusterServer(Rack& rack, QObject* parent) : QObject(parent), m_rack(rack) {
    connect(&m_server, &QTcpServer::newConnection, this, &ClusterServer::accept);
}

ClusterServer::~ClusterServer() {
    // The sockets die with the server below; their last signals must not reach a half-destroyed object.
    for (const auto& [socket, connection] : m_connections)
        socket->disconnect(this);
}

bool ClusterServer::listen(const QHostAddress& address, quint16 port) { return m_server.listen(address, port); }

QString ClusterServer::peer(QTcpSocket* socket) const {
    return QStringLiteral("rack %1: %2:%3").arg(m_rack.number()).arg(socket->peerAddress().toString()).arg(socket->peerPort());
}

void ClusterServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_connections.emplace(socket, Connection{});
        logLine(peer(socket) + QStringLiteral(" connected"));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { receive(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            logLine(peer(socket) + QStringLiteral(" disconnected"));
            m_connections.erase(socket);
            socket->deleteLater();
        });
    }
}

void ClusterServer::receive(QTcpSocket* socket) {
    auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    it->second.splitter.append(socket->readAll());
    while (std::optional<Request> request = it->second.splitter.next()) {
        ++m_framesReceived;
        const int frames = ++it->second.frames;
        if (m_rack.faults.resetAfterFrames > 0 && frames >= m_rack.faults.resetAfterFrames) {
            logLine(peer(socket) + QStringLiteral(" reset after %1 frames").arg(frames));
            reset(socket);
            return;
        }
        if (!request->magicOk) {
            logLine(peer(socket) + QStringLiteral(" dropped a frame with a wrong magic"));
            continue;
        }
        const QList<Reply> replies = m_rack.answer(*request);
        if (replies.isEmpty())
            logLine(peer(socket) + QStringLiteral(" dropped request %1 (%2 bytes)")
                                       .arg(request->wireCode).arg(request->payload.size()));
        for (const Reply& reply : replies)
            send(socket, reply);
    }
    if (it->second.splitter.failed()) {
        logLine(peer(socket) + QStringLiteral(" sent a length field beyond any request: connection closed"));
        socket->abort();
    }
}

void ClusterServer::send(QTcpSocket* socket, const Reply& reply) {
    if (m_rack.faults.silent)
        return;
    const QByteArray frame = replyFrame(reply.wireCode, reply.payload, m_rack.faults.malformed);
    if (reply.late && m_rack.faults.slowAckSeconds > 0) {
        QPointer<QTcpSocket> target(socket);
        QTimer::singleShot(m_rack.faults.slowAckSeconds * 1000, socket, [target, frame] {
            if (target && target->state() == QAbstractSocket::ConnectedState)
                target->write(frame);
        });
        return;
    }
    socket->write(frame);
}

void ClusterServer::broadcastNotice(const QByteArray& payload) {
    for (const auto& [socket, connection] : m_connections)
        if (socket->state() == QAbstractSocket::ConnectedState)
            send(socket, {114, payload, false});
}

void ClusterServer::reset(QTcpSocket* socket) {
    // A zero linger time makes closing send RST instead of FIN.
    const linger hard{1, 0};
    ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    socket->abort();
}

void ClusterServer::resetConnections() {
    QList<QTcpSocket*> sockets;
    for (const auto& [socket, connection] : m_connections)
        sockets.append(socket);
    for (QTcpSocket* socket : sockets)
        reset(socket);
}

} // namespace kalver::demo
