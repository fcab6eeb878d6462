#include "fakes/FakeSyncServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace kalver::test {

namespace {
constexpr qsizetype kRequestSize = 24;
}

FakeSyncServer::FakeSyncServer(QObject* parent) : QObject(parent), m_server(new QTcpServer(this)) {
    connect(m_server, &QTcpServer::newConnection, this, &FakeSyncServer::onNewConnection);
    m_server->listen(QHostAddress::LocalHost, 0);
}

FakeSyncServer::~FakeSyncServer() { stop(); }

quint16 FakeSyncServer::port() const { return m_server->serverPort(); }

void FakeSyncServer::stop() {
    m_server->close();
    dropClient();
}

bool FakeSyncServer::hasClient() const {
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

bool FakeSyncServer::waitForClient(int timeoutMs) {
    return QTest::qWaitFor([this] { return hasClient(); }, timeoutMs);
}

void FakeSyncServer::dropClient() {
    if (m_client) {
        m_client->disconnect(this);
        m_client->abort();
        m_client->deleteLater();
        m_client = nullptr;
    }
}

bool FakeSyncServer::waitForClientGone(int timeoutMs) {
    return QTest::qWaitFor([this] { return !hasClient(); }, timeoutMs);
}

bool FakeSyncServer::waitForRequests(int count, int timeoutMs) {
    return QTest::qWaitFor([this, count] { return m_requests.size() >= count; }, timeoutMs);
}

void FakeSyncServer::send(const QByteArray& bytes) {
    if (!m_client)
        return;
    m_client->write(bytes);
    m_client->flush();
}

void FakeSyncServer::onNewConnection() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        dropClient();
        m_client = socket;
        m_pending.clear();
        connect(socket, &QTcpSocket::readyRead, this, &FakeSyncServer::onReadable);
    }
}

void FakeSyncServer::onReadable() {
    if (!m_client)
        return;
    m_pending += m_client->readAll();
    while (m_pending.size() >= kRequestSize) {
        m_requests.append(m_pending.left(kRequestSize));
        m_pending.remove(0, kRequestSize);
        emit requestReceived();
        if (m_answer)
            send(*m_answer);
    }
}

} // namespace kalver::test
