#pragma once
// A scriptable sync server on loopback for tests: records the time requests the client sends (24
// bytes each) and answers them with a scripted answer, or sends whatever the test says.
//
//   FakeSyncServer sync;
//   sync.setAnswer(sync::timeAnswer(1700000000));   // answer every request
//   int c = list.create("127.0.0.1", cluster.port(), sync.port());

#include "fakes/ClusterFrames.h"
#include "fakes/FakeCluster.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QTcpServer;
class QTcpSocket;

namespace kalver::test {

class FakeSyncServer : public QObject {
    Q_OBJECT
public:
    explicit FakeSyncServer(QObject* parent = nullptr);
    ~FakeSyncServer() override;

    quint16 port() const;
    void stop();

    bool hasClient() const;
    bool waitForClient(int timeoutMs = kFakeWaitMs);
    void dropClient();
    bool waitForClientGone(int timeoutMs = kFakeWaitMs);

    // The complete 24-byte requests received so far.
    const QList<QByteArray>& requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }
    bool waitForRequests(int count, int timeoutMs = kFakeWaitMs);

    // Every request is answered with `answer`; std::nullopt stops answering.
    void setAnswer(std::optional<QByteArray> answer) { m_answer = std::move(answer); }
    // Writes `bytes` to the client in one write.
    void send(const QByteArray& bytes);

signals:
    void requestReceived();

private:
    void onNewConnection();
    void onReadable();

    QTcpServer* m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_pending;
    QList<QByteArray> m_requests;
    std::optional<QByteArray> m_answer;
};

} // namespace kalver::test
