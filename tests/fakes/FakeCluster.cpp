#include "fakes/FakeCluster.h"

#include "link/ClientSocket.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace kalver::test {

FakeCluster::FakeCluster(QObject* parent) : QObject(parent), m_server(new QTcpServer(this)) {
    connect(m_server, &QTcpServer::newConnection, this, &FakeCluster::onNewConnection);
    m_server->listen(QHostAddress::LocalHost, 0);
}

FakeCluster::~FakeCluster() { stop(); }

quint16 FakeCluster::port() const { return m_server->serverPort(); }

void FakeCluster::stop() {
    m_server->close();
    dropClient();
}

bool FakeCluster::hasClient() const {
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

bool FakeCluster::waitForClient(int timeoutMs) {
    return QTest::qWaitFor([this] { return hasClient(); }, timeoutMs);
}

void FakeCluster::dropClient() {
    if (m_client) {
        m_client->disconnect(this);
        m_client->abort();
        m_client->deleteLater();
        m_client = nullptr;
    }
}

bool FakeCluster::waitForClientGone(int timeoutMs) {
    return QTest::qWaitFor([this] { return !hasClient(); }, timeoutMs);
}

QList<ClientFrame> FakeCluster::framesWithCode(int code) const {
    QList<ClientFrame> out;
    for (const ClientFrame& f : m_frames)
        if (f.code() == code)
            out.append(f);
    return out;
}

void FakeCluster::clearFrames() {
    m_frames.clear();
    m_received.clear();
}

bool FakeCluster::waitForFrames(int count, int timeoutMs) {
    return QTest::qWaitFor([this, count] { return m_frames.size() >= count; }, timeoutMs);
}

bool FakeCluster::waitForFrame(int code, int timeoutMs) {
    return QTest::qWaitFor([this, code] { return !framesWithCode(code).isEmpty(); }, timeoutMs);
}

void FakeCluster::send(const QByteArray& bytes) {
    if (!m_client)
        return;
    m_client->write(bytes);
    m_client->flush();
}

void FakeCluster::sendTogether(const QList<QByteArray>& frames) {
    QByteArray all;
    for (const QByteArray& f : frames)
        all += f;
    send(all);
}

bool FakeCluster::sendInPieces(const QByteArray& bytes, const QList<int>& cuts, link::ClientSocket& client,
                               int timeoutMs) {
    int from = 0;
    QList<int> ends = cuts;
    ends.append(static_cast<int>(bytes.size()));
    for (int end : ends) {
        if (end <= from || end > bytes.size())
            continue;
        QSignalSpy readable(&client, &link::ClientSocket::readyRead);
        send(bytes.mid(from, end - from));
        if (!readable.wait(timeoutMs))
            return false;
        from = end;
    }
    return true;
}

void FakeCluster::answer(int code, Responder responder) { m_responders[code] = std::move(responder); }

void FakeCluster::answer(int code, const QByteArray& bytes) {
    answer(code, [bytes](const ClientFrame&) { return bytes; });
}

void FakeCluster::onNewConnection() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        dropClient();
        m_client = socket;
        m_reader = ClientFrameReader();
        ++m_connections;
        connect(socket, &QTcpSocket::readyRead, this, &FakeCluster::onReadable);
        emit clientConnected();
    }
}

void FakeCluster::onReadable() {
    if (!m_client)
        return;
    const QByteArray bytes = m_client->readAll();
    m_received += bytes;
    m_reader.append(bytes);
    while (std::optional<ClientFrame> frame = m_reader.next()) {
        m_frames.append(*frame);
        emit frameReceived(*frame);
        const auto it = m_responders.find(frame->code());
        if (it != m_responders.end()) {
            const QByteArray reply = it->second(*frame);
            if (!reply.isEmpty())
                send(reply);
        }
    }
}

} // namespace kalver::test
