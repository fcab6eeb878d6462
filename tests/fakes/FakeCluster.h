#pragma once
// A scriptable cluster server on loopback for tests. It listens on 127.0.0.1 at a free port, accepts
// the client's connection (a later connection replaces the earlier one), records every frame the
// client sends, and writes what the test tells it to: whole frames, several frames in one write, or
// one frame split into pieces that reach the client in separate reads.
//
//   FakeCluster cluster;
//   int c = list.create("127.0.0.1", cluster.port(), 0);
//   list.at(c).clusterConnection()->open();
//   ASSERT_TRUE(cluster.waitForClient());
//   cluster.answer(2, frames::statusReport({frames::quietStation(7)}));   // answer every poll
//   cluster.send(frames::permissionAnswer(1));
//   ASSERT_TRUE(cluster.waitForFrame(1));                                  // the permission request
//
// Everything runs on the test's thread; the waits run the event loop until the condition holds or
// the time-out (10 s by default) passes.

#include "fakes/ClusterFrames.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

class QTcpServer;
class QTcpSocket;

namespace kalver::link {
class ClientSocket;
}

namespace kalver::test {

inline constexpr int kFakeWaitMs = 10000;

class FakeCluster : public QObject {
    Q_OBJECT
public:
    explicit FakeCluster(QObject* parent = nullptr);
    ~FakeCluster() override;

    // The port the client connects to.
    quint16 port() const;
    // Stops listening and drops the client; the port then refuses connections.
    void stop();

    // --- the client's connection
    bool hasClient() const;
    bool waitForClient(int timeoutMs = kFakeWaitMs);
    // Connections accepted so far.
    int connectionCount() const { return m_connections; }
    // Closes the client's connection from the cluster's side (the client sees a disconnection).
    void dropClient();
    bool waitForClientGone(int timeoutMs = kFakeWaitMs);

    // --- what the client sent
    const QList<ClientFrame>& frames() const { return m_frames; }
    QList<ClientFrame> framesWithCode(int code) const;
    // Every byte the client sent, in order.
    const QByteArray& received() const { return m_received; }
    void clearFrames();
    // Waits until at least `count` frames have been recorded in all.
    bool waitForFrames(int count, int timeoutMs = kFakeWaitMs);
    // Waits until a frame with message `code` (wire code - 100) has been recorded.
    bool waitForFrame(int code, int timeoutMs = kFakeWaitMs);

    // --- sending
    // Writes `bytes` to the client in one write.
    void send(const QByteArray& bytes);
    // Writes every frame of `frames` together in one write.
    void sendTogether(const QList<QByteArray>& frames);
    // Writes `bytes` in pieces cut at the offsets `cuts` (ascending), waiting after each piece until
    // `client` has signalled data readable, so that each piece reaches the client in its own read.
    // Returns false when the client did not see a piece within the time-out.
    bool sendInPieces(const QByteArray& bytes, const QList<int>& cuts, link::ClientSocket& client,
                      int timeoutMs = kFakeWaitMs);

    // --- scripted answers
    using Responder = std::function<QByteArray(const ClientFrame&)>;
    // When a frame with message `code` arrives, the responder's bytes (if any) are written back.
    void answer(int code, Responder responder);
    void answer(int code, const QByteArray& bytes);
    void stopAnswering(int code) { m_responders.erase(code); }

signals:
    void clientConnected();
    void frameReceived(const kalver::test::ClientFrame& frame);

private:
    void onNewConnection();
    void onReadable();

    QTcpServer* m_server;
    QPointer<QTcpSocket> m_client;
    int m_connections = 0;
    ClientFrameReader m_reader;
    QList<ClientFrame> m_frames;
    QByteArray m_received;
    std::map<int, Responder> m_responders;
};

} // namespace kalver::test
