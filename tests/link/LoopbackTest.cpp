// The client socket over QTcpSocket against the fake cluster on loopback: events, error codes, and
// the receive loop fed by real reads, whole, together and in pieces.

#include "LinkFixture.h"

#include "fakes/FakeCluster.h"
#include "fakes/FakeSyncServer.h"
#include "fakes/ResettingPeer.h"
#include "link/Framing.h"
#include "link/SendServerMessage.h"
#include "link/TcpClientSocket.h"
#include "support/MessageRecorder.h"

#include "core/ProgramValues.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <optional>
#include <utility>

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {

QStringList g_warnings;
void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg)
        g_warnings.append(text);
}

struct Events {
    explicit Events(ClientSocket& socket, bool clear = true) {
        QObject::connect(&socket, &ClientSocket::connected, [this] { log.append(QStringLiteral("connected")); });
        QObject::connect(&socket, &ClientSocket::disconnected, [this] { log.append(QStringLiteral("disconnected")); });
        QObject::connect(&socket, &ClientSocket::errorOccurred, [this, clear](int& code) {
            log.append(QStringLiteral("error %1").arg(code));
            if (clear)
                code = 0;
        });
    }
    QStringList log;
};

} // namespace

TEST(SystemErrorCodes, QtErrorsMapToTheSystemCodes) {
    EXPECT_EQ(systemErrorCode(QAbstractSocket::ConnectionRefusedError), 10061);
    EXPECT_EQ(systemErrorCode(QAbstractSocket::SocketTimeoutError), 10060);
    EXPECT_EQ(systemErrorCode(QAbstractSocket::HostNotFoundError), 11001);
    EXPECT_EQ(systemErrorCode(QAbstractSocket::NetworkError), 10053);
    EXPECT_EQ(systemErrorCode(QAbstractSocket::SocketResourceError), 10053);
}

TEST(TcpClientSocket, ConnectWriteAndPeerClose) {
    FakeCluster cluster;
    TcpClientSocket socket(QStringLiteral("127.0.0.1"), 0x30000 + cluster.port()); // only the low 16 bits count
    Events events(socket);
    EXPECT_EQ(socket.write("x", 1), 0) << "not connected: nothing taken";
    ASSERT_TRUE(socket.open());
    ASSERT_TRUE(cluster.waitForClient());
    ASSERT_TRUE(QTest::qWaitFor([&] { return socket.isConnected(); }, kFakeWaitMs));
    EXPECT_EQ(events.log, QStringList({"connected"}));

    const QByteArray frame = buildClientFrame(1, QByteArray::fromHex("01000000"));
    EXPECT_EQ(socket.write(frame), frame.size());
    ASSERT_TRUE(cluster.waitForFrame(1));
    EXPECT_EQ(cluster.received(), frame);

    // The peer closes: a disconnection, not an error.
    cluster.dropClient();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !socket.isConnected(); }, kFakeWaitMs));
    EXPECT_EQ(events.log, QStringList({"connected", "disconnected"}));
}

TEST(TcpClientSocket, RefusedConnectionRaisesAClearableError) {
    quint16 port;
    {
        FakeCluster gone;
        port = gone.port();
    }
    const QtMessageHandler previous = qInstallMessageHandler(recordWarnings);
    g_warnings.clear();
    {
        TcpClientSocket cleared(QStringLiteral("127.0.0.1"), port);
        Events events(cleared, true);
        ASSERT_TRUE(cleared.open());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !events.log.isEmpty(); }, kFakeWaitMs));
        EXPECT_EQ(events.log, QStringList({"error 10061"}));
        EXPECT_TRUE(g_warnings.isEmpty()) << "a cleared code is not reported further";
    }
    {
        TcpClientSocket kept(QStringLiteral("127.0.0.1"), port);
        Events events(kept, false);
        ASSERT_TRUE(kept.open());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !events.log.isEmpty(); }, kFakeWaitMs));
        EXPECT_EQ(g_warnings.size(), 1) << "a code left set is reported by the socket layer";
        EXPECT_FALSE(kept.isConnected());
    }
    qInstallMessageHandler(previous);
    TcpClientSocket empty(QString(), port);
    EXPECT_FALSE(empty.open()) << "no address: the connection cannot be started";
}

class LoopbackTest : public ::testing::Test {
protected:
    LoopbackTest() : observer(list) {
        cluster = list.create(QStringLiteral("127.0.0.1"), fake.port(), sync.port());
        list.at(cluster).clusterConnection()->open();
        list.at(cluster).syncConnection()->open();
    }

    bool connected() {
        return fake.waitForClient() && QTest::qWaitFor([this] { return connection().isConnected(); }, kFakeWaitMs);
    }
    ClientSocket& connection() { return *list.at(cluster).clusterConnection(); }

    FakeCluster fake;
    FakeSyncServer sync;
    ClusterList list;
    RecordingObserver observer;
    int cluster = -1;
};

TEST_F(LoopbackTest, FramesWholeTogetherAndInPieces) {
    ASSERT_TRUE(connected());
    const QByteArray reportA = frames::statusReport({frames::quietStation(1), frames::quietStation(2)});
    const QByteArray reportB = frames::statusReport({frames::quietStation(3)});

    fake.send(reportA);
    ASSERT_TRUE(QTest::qWaitFor([this] { return observer.tableRefreshes == 1; }, kFakeWaitMs));
    EXPECT_EQ(list.at(cluster).stationCount(), 2);

    fake.sendTogether({reportB, frames::saveResult(1), reportA});
    ASSERT_TRUE(QTest::qWaitFor([this] { return observer.tableRefreshes == 3; }, kFakeWaitMs));
    EXPECT_EQ(list.at(cluster).ackResult, ack::Accepted);

    // Each piece reaches the client in its own read; the frame is dispatched once, at the end.
    ASSERT_TRUE(fake.sendInPieces(reportB, {1, 12, 13, 400}, connection()));
    EXPECT_EQ(observer.tableRefreshes, 4);
    ASSERT_EQ(list.at(cluster).stationCount(), 1);
    EXPECT_EQ(list.at(cluster).station(0).number(), 3);
}

TEST_F(LoopbackTest, SentFramesAndScriptedAnswers) {
    ASSERT_TRUE(connected());
    fake.answer(2, frames::statusReport({frames::quietStation(9)}));
    SendServerMessage(list, cluster, true, 1, true, QByteArray::fromHex("02000000"));
    SendServerMessage(list, cluster, false, 2, false);
    sendPendingMessages(list, cluster);
    ASSERT_TRUE(fake.waitForFrames(2));
    EXPECT_EQ(fake.frames()[0].raw, QByteArray::fromHex("55AA0000040000006500000002000000"));
    EXPECT_EQ(fake.frames()[1].code(), 2);
    ASSERT_TRUE(QTest::qWaitFor([this] { return list.at(cluster).stationCount() == 1; }, kFakeWaitMs));

    // The sync server records the time request and answers it.
    ASSERT_TRUE(sync.waitForClient());
    sync.setAnswer(sync::timeAnswer(1700000000));
    ClientSocket& syncSocket = *list.at(cluster).syncConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return syncSocket.isConnected(); }, kFakeWaitMs));
    EXPECT_EQ(syncSocket.write(sync::timeRequest()), 24);
    ASSERT_TRUE(sync.waitForRequests(1));
    EXPECT_EQ(sync.requests()[0], sync::timeRequest());
    ASSERT_TRUE(QTest::qWaitFor([&] { return syncSocket.bytesWaiting() >= 24; }, kFakeWaitMs));
}

TEST_F(LoopbackTest, BrokenHeaderClosesTheConnection) {
    ASSERT_TRUE(connected());
    Events events(connection());
    fake.send(frames::clusterFrame(102, {}, 0xFFFFFFFFu));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !connection().isConnected(); }, kFakeWaitMs));
    EXPECT_EQ(events.log, QStringList({QStringLiteral("error %1").arg(kExchangeErrorCode), "disconnected"}));
    EXPECT_TRUE(fake.waitForClientGone());
}

TEST_F(LoopbackTest, CommandSentFromInsideTheReceiveLoopIsAcknowledged) {
    // A status report creates a station and processes events; among them an operation of the station
    // data window sends a command and waits for its answer. The socket raises no second data-readable
    // event while the first one's handler runs, so the wait's own runs of the receive loop, nested in
    // the first, must take the answer.
    ASSERT_TRUE(connected());
    const int savedLevel = std::exchange(program().accessLevel, AccessOperator);
    setWaitStepMs(25);
    fake.answer(3, frames::acknowledgement(3, {frames::quietStation(1), frames::quietStation(2)}));
    std::optional<bool> accepted;
    observer.onStationCreated = [&](int, int) {
        if (accepted || list.at(cluster).stationCount() > 1)
            return;
        QTimer::singleShot(0, [&] {
            accepted = waitForAcknowledgement(list, cluster, [&] {
                SendServerMessage(list, cluster, true, 3, true, QByteArray(8, '\0'));
            });
        });
    };
    fake.send(frames::statusReport({frames::quietStation(1)}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return accepted.has_value(); }, 20000));
    observer.onStationCreated = nullptr;
    setWaitStepMs(kWaitStepMs);
    program().accessLevel = savedLevel;
    EXPECT_TRUE(*accepted) << "the wait ends as accepted, not with a time-out";
    EXPECT_EQ(fake.framesWithCode(3).size(), 1);
    EXPECT_EQ(list.at(cluster).stationCount(), 2) << "the answer's report is merged";
}

// ---- writes the system refuses

namespace {
// A record whose cluster connection (or sync-server connection) is connected to `peer` over loopback.
TcpClientSocket& connectedTo(ResettingPeer& peer, ClusterList& list, bool sync) {
    const int c = sync ? list.create(QStringLiteral("127.0.0.1"), 1, peer.port())
                       : list.create(QStringLiteral("127.0.0.1"), peer.port(), 1);
    auto& socket = static_cast<TcpClientSocket&>(sync ? *list.at(c).syncConnection() : *list.at(c).clusterConnection());
    socket.open();
    EXPECT_TRUE(peer.waitForClient());
    EXPECT_TRUE(QTest::qWaitFor([&] { return socket.isConnected(); }, kFakeWaitMs));
    return socket;
}
} // namespace

TEST(RefusedWrite, TcpSocketReportsAWriteTheSystemRefused) {
    ResettingPeer peer;
    ClusterList list;
    TcpClientSocket& socket = connectedTo(peer, list, false);
    Events events(socket);
    ASSERT_TRUE(peer.resetAndWait(socket.socket()->socketDescriptor()));
    const QByteArray frame = buildClientFrame(3, QByteArray(8, '\0'));
    EXPECT_EQ(socket.write(frame), -1) << "the system took nothing";
    EXPECT_EQ(events.log, QStringList({"disconnected"})) << "the connection window hears of it at once";
    EXPECT_FALSE(socket.isConnected());
    EXPECT_EQ(socket.write(frame), 0) << "not connected any more: nothing taken, nothing reported";
}

TEST(RefusedWrite, SendServerMessageShowsItsBox) {
    struct Case {
        bool oneShot;
        qsizetype kept; // entries left pending
    };
    for (const Case c : {Case{true, 0}, Case{false, 1}}) {
        SCOPED_TRACE(c.oneShot ? "one-shot" : "periodic");
        ResettingPeer peer;
        ClusterList list;
        TcpClientSocket& socket = connectedTo(peer, list, false);
        ASSERT_TRUE(peer.resetAndWait(socket.socket()->socketDescriptor()));
        MessageRecorder boxes;
        SendServerMessage(list, 0, true, 3, c.oneShot, QByteArray(8, '\0'));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Ошибка в реализации отправки SendServerMessage!"));
        EXPECT_TRUE(boxes.shown()[0].code.isEmpty()) << "a plain box, not a catalogue entry";
        EXPECT_EQ(list.at(0).pending.size(), c.kept);
    }
}
