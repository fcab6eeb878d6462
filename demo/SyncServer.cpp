#include "demo/SyncServer.h"

#include <QDateTime>
#include <QTcpSocket>

namespace kalver::demo {

SyncServer::SyncServer(QList<Rack*> racks, Clock clock, QObject* parent)
    : QObject(parent), m_racks(std::move(racks)),
      m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentMSecsSinceEpoch(); })) {
    connect(&m_server, &QTcpServer::newConnection, this, &SyncServer::accept);
}

SyncServer::~SyncServer() {
    for (const auto& [socket, scanner] : m_scanners)
        socket->disconnect(this);
}

bool SyncServer::listen(const QHostAddress& address, quint16 port) { return m_server.listen(address, port); }

QByteArray SyncServer::answer() const {
    bool error = false;
    bool unknown = false;
    for (Rack* rack : m_racks) {
        rack->advance();
        error = error || rack->faults.syncError;
        unknown = unknown || rack->faults.syncTimeUnknown || rack->anyStationTuning();
    }
    return syncTimeAnswer(unknown ? -1 : static_cast<qint32>(m_clock() / 1000), error);
}

void SyncServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_scanners.emplace(socket, SyncRequestScanner{});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { receive(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_scanners.erase(socket);
            socket->deleteLater();
        });
    }
}

void SyncServer::receive(QTcpSocket* socket) {
    const auto it = m_scanners.find(socket);
    if (it == m_scanners.end())
        return;
    it->second.append(socket->readAll());
    while (it->second.next())
        socket->write(answer());
}

} // namespace kalver::demo
