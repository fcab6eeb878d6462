// The sync-server link over loopback: the time request, the answers and the labels they give, a short
// answer that waits, the sync tick's rules, and the socket errors with and without their reason.

#include "SessionTestSupport.h"

#include "config/Journal.h"
#include "core/ProgramValues.h"
#include "fakes/FakeCluster.h"
#include "fakes/FakeSyncServer.h"
#include "fakes/MemoryClientSocket.h"
#include "fakes/RecordingObserver.h"
#include "fakes/ResettingPeer.h"
#include "link/ClusterList.h"
#include "link/TcpClientSocket.h"
#include "session/ClusterInWork.h"
#include "session/SyncLink.h"
#include "session/TimeRequest.h"
#include "session/Unit_Connection.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QCheckBox>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalver;
using test::FakeCluster;
using test::FakeSyncServer;
namespace frames = test::frames;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QString kNotConnected = QStringLiteral(" [не подключен]");

class SyncLink : public ::testing::Test {
protected:
    SyncLink() : m_oldLevel(program().accessLevel), m_oldLocale(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        journal::startNewFile(program().journalFilePath);
        program().accessLevel = AccessOperator;
        cluster.answer(1, frames::permissionAnswer(AccessOperator));
        settings = std::make_unique<test::TestSettings>(
            QList<test::ClusterAddress>{{QStringLiteral("127.0.0.1"), test::portField(cluster.port())}},
            test::portField(sync.port()));
        window = std::make_unique<TForm_Connection>(clusters, nullptr, QStringList());
        window->becomeActive();
    }
    ~SyncLink() override {
        window.reset();
        clusters.clear();
        settings.reset();
        program().accessLevel = m_oldLevel;
        QLocale::setDefault(m_oldLocale);
    }

    link::TKlvRack& rack() { return clusters.at(0); }
    QString label() const { return windows.syncLabels.value(0); }
    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }
    bool logged(const QString& text, bool bold, const QColor& colour) const {
        for (const test::LoggedLine& line : observer.lines)
            if (line.text == text && line.bold == bold && line.colour == colour)
                return true;
        return false;
    }
    // Waits for the cluster's permission, so that it is in work.
    void waitUntilInWork() {
        ASSERT_TRUE(waitFor([&] { return session::clusterInWork(rack()); }));
    }
    // Sends `bytes` and waits until they wait on the client's sync connection or were taken.
    void answer(const QByteArray& bytes) {
        const int writes = int(windows.labelWrites.size());
        sync.send(bytes);
        ASSERT_TRUE(waitFor([&] { return windows.labelWrites.size() > writes; }));
    }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
    FakeCluster cluster;
    FakeSyncServer sync;
    link::ClusterList clusters;
    test::RecordingObserver observer{clusters};
    test::RecordingSessionWindows windows;
    std::unique_ptr<test::TestSettings> settings;
    std::unique_ptr<TForm_Connection> window;

private:
    int m_oldLevel;
    QLocale m_oldLocale;
};

TEST_F(SyncLink, ConnectedAsksForTheTime) {
    ASSERT_TRUE(sync.waitForRequests(1));
    EXPECT_EQ(sync.requests().at(0), session::timeRequest());
    EXPECT_TRUE(logged(QStringLiteral("Установлено соединение с Синхросервером Кластера №1"), false, kBlue));
    EXPECT_FALSE(rack().syncTimeValid);
}

TEST_F(SyncLink, AnswersSetTheLabelAndTheSyncTime) {
    ASSERT_TRUE(sync.waitForClient());

    answer(test::sync::timeAnswer(1700000000));
    EXPECT_EQ(label(), QStringLiteral(" [14.11.2023 22:13:20]"));
    EXPECT_TRUE(rack().syncTimeValid);
    EXPECT_EQ(rack().syncTime, TDateTime::fromUnixSeconds(1700000000));

    answer(test::sync::timeAnswer(-1));
    EXPECT_EQ(label(), QStringLiteral(" [время не опр./настр. ген.]"));
    EXPECT_TRUE(rack().syncTimeValid);
    EXPECT_EQ(rack().syncTime, TDateTime::fromUnixSeconds(-1));

    // The error flag: the link is reported broken although the connection stays open.
    answer(test::sync::timeAnswer(1700000000, true));
    EXPECT_EQ(label(), QStringLiteral(" [ошибка связи]"));
    EXPECT_FALSE(rack().syncTimeValid);
    EXPECT_TRUE(logged(QStringLiteral("Разорвано соединение с Синхросервером Кластера №1 Причина: ошибка связи."),
                       false, kBlue));
    EXPECT_TRUE(rack().syncConnection()->isConnected());
}

TEST_F(SyncLink, ShortAnswerWaitsForTheRest) {
    ASSERT_TRUE(sync.waitForClient());
    const QByteArray full = test::sync::timeAnswer(1700000000);
    sync.send(full.left(23));
    ASSERT_TRUE(waitFor([&] { return rack().syncConnection()->bytesWaiting() == 23; }));
    EXPECT_TRUE(windows.labelWrites.isEmpty());
    EXPECT_FALSE(rack().syncTimeValid);

    answer(full.right(1));
    EXPECT_EQ(label(), QStringLiteral(" [14.11.2023 22:13:20]"));
    EXPECT_EQ(rack().syncConnection()->bytesWaiting(), 0);
}

TEST_F(SyncLink, TickAsksEveryClusterInWork) {
    waitUntilInWork();
    ASSERT_TRUE(sync.waitForRequests(1));
    sync.setAnswer(test::sync::timeAnswer(1700000000));

    // No answer since the connection: "not connected", then a new request.
    window->syncTick();
    EXPECT_EQ(windows.labelWrites.value(0).second, kNotConnected);
    ASSERT_TRUE(sync.waitForRequests(2));
    EXPECT_FALSE(rack().syncTimeValid);
    ASSERT_TRUE(waitFor([&] { return rack().syncTimeValid; }));
    EXPECT_EQ(label(), QStringLiteral(" [14.11.2023 22:13:20]"));

    // An answer came since: the label stays, a request goes, and the time waits for its answer.
    const int writes = int(windows.labelWrites.size());
    window->syncTick();
    EXPECT_EQ(windows.labelWrites.size(), writes);
    EXPECT_FALSE(rack().syncTimeValid);
    ASSERT_TRUE(sync.waitForRequests(3));
}

TEST_F(SyncLink, TickLeavesATuningRackAlone) {
    waitUntilInWork();
    ASSERT_TRUE(sync.waitForRequests(1));
    link::StatusBlock tuning = frames::quietStation(5);
    tuning.setGeneratorState(2);
    rack().appendStation(frames::quietStation(4));
    rack().appendStation(tuning);
    rack().syncTimeValid = true;

    window->syncTick();
    EXPECT_EQ(label(), QStringLiteral(" [настр.ген.]"));
    EXPECT_TRUE(rack().syncTimeValid);
    // The request the tick would send is not there, although the next one (sent by hand) arrives.
    window->syncLink().sendTimeRequest(0);
    ASSERT_TRUE(sync.waitForRequests(2));
    EXPECT_EQ(sync.requests().size(), 2);
}

TEST_F(SyncLink, TickDoesNothingWhileTheStationDataWindowIsOpen) {
    waitUntilInWork();
    ASSERT_TRUE(sync.waitForRequests(1));
    windows.stationDataShown = true;
    window->syncTick();
    EXPECT_TRUE(windows.labelWrites.isEmpty());
    window->syncLink().sendTimeRequest(0);
    ASSERT_TRUE(sync.waitForRequests(2));
    EXPECT_EQ(sync.requests().size(), 2);
}

TEST_F(SyncLink, TickSkipsClustersOutOfWork) {
    waitUntilInWork();
    ASSERT_TRUE(sync.waitForRequests(1));
    session::connectionCheckBox(rack())->setChecked(false);
    window->syncTick();
    EXPECT_TRUE(windows.labelWrites.isEmpty());
}

struct ErrorCase {
    int code;
    const char* line;
};

TEST_F(SyncLink, ErrorsAreLoggedWithTheirReason) {
    const ErrorCase cases[] = {
        {10053, "Разорвано соединение с Синхросервером Кластера №1"},
        {10054, "Разорвано соединение с Синхросервером Кластера №1"},
        {10061, "Разорвано соединение с Синхросервером Кластера №1"},
        {10060, "Разорвано соединение с Синхросервером Кластера №1 Причина: ошибка 10060"},
        {11001, "Разорвано соединение с Синхросервером Кластера №1 Причина: ошибка 11001"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(sync.waitForClient());
        rack().syncTimeValid = true;
        rack().syncTime = TDateTime(45000.0);
        observer.clear();
        rack().syncConnection()->raiseError(c.code);
        EXPECT_EQ(observer.lines.value(observer.lines.size() - 1).text, QString::fromUtf8(c.line));
        EXPECT_TRUE(logged(QString::fromUtf8(c.line), true, kRed));
        EXPECT_EQ(label(), kNotConnected);
        EXPECT_FALSE(rack().syncTimeValid);
        EXPECT_EQ(rack().syncTime, TDateTime(-1.0));
        EXPECT_FALSE(rack().syncConnection()->isConnected());
        // The operator's refresh opens it again.
        ASSERT_TRUE(sync.waitForClientGone());
        window->updateServerState();
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(SyncLink, DisconnectionForgetsTheTime) {
    ASSERT_TRUE(sync.waitForClient());
    answer(test::sync::timeAnswer(1700000000));
    sync.dropClient();
    ASSERT_TRUE(waitFor([&] { return label() == kNotConnected; }));
    EXPECT_TRUE(logged(QStringLiteral("Разорвано соединение с Синхросервером Кластера №1"), false, kBlue));
    EXPECT_FALSE(rack().syncTimeValid);
    EXPECT_EQ(rack().syncTime, TDateTime(-1.0));
}

// ---- the same link over sockets the test drives byte by byte

class SyncLinkInMemory : public ::testing::Test {
protected:
    SyncLinkInMemory() : m_oldLocale(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        auto clusterSocket = std::make_unique<test::MemoryClientSocket>();
        auto syncSocket = std::make_unique<test::MemoryClientSocket>();
        sync = syncSocket.get();
        clusters.append(std::make_unique<link::TKlvRack>(std::move(clusterSocket), std::move(syncSocket)));
        box.setChecked(true);
        clusters.at(0).connectionCheckBox = &box;
        link.attach(0);
    }
    ~SyncLinkInMemory() override {
        clusters.at(0).connectionCheckBox = nullptr;
        clusters.clear();
        QLocale::setDefault(m_oldLocale);
    }

    link::ClusterList clusters;
    test::RecordingObserver observer{clusters};
    test::RecordingSessionWindows windows;
    session::SyncLink link{clusters};
    QCheckBox box;
    test::MemoryClientSocket* sync = nullptr;

private:
    QLocale m_oldLocale;
};

TEST_F(SyncLinkInMemory, EverythingWaitingIsOneAnswer) {
    sync->feed(test::sync::timeAnswer(1700000000) + test::sync::timeAnswer(86400, true) + QByteArray(5000, '\x7F'),
               false);
    link.takeTimeAnswer(0);
    EXPECT_EQ(windows.labelWrites.size(), 1);
    EXPECT_EQ(windows.syncLabels.value(0), QStringLiteral(" [14.11.2023 22:13:20]"));
    EXPECT_EQ(sync->bytesWaiting(), 0);
    EXPECT_TRUE(clusters.at(0).syncTimeValid);
}

TEST_F(SyncLinkInMemory, TickTakesAnAnswerAlreadyWaiting) {
    sync->feed(test::sync::timeAnswer(-1), false);
    link.tick();
    // "Not connected" first, then the waiting answer, then the new request.
    ASSERT_EQ(windows.labelWrites.size(), 2);
    EXPECT_EQ(windows.labelWrites.at(0).second, QStringLiteral(" [не подключен]"));
    EXPECT_EQ(windows.labelWrites.at(1).second, QStringLiteral(" [время не опр./настр. ген.]"));
    EXPECT_EQ(sync->written(), session::timeRequest());
    EXPECT_FALSE(clusters.at(0).syncTimeValid);
}

TEST_F(SyncLinkInMemory, ShortWriteIsLogged) {
    sync->setWriteFails(true);
    link.sendTimeRequest(0);
    ASSERT_EQ(observer.lines.size(), 1);
    EXPECT_EQ(observer.lines.at(0).text, QStringLiteral("Не могу отправить запрос времени Синхросерверу Кластера №1"));
    EXPECT_FALSE(observer.lines.at(0).bold);
    EXPECT_EQ(observer.lines.at(0).colour, QColor(255, 0, 0));
    // Not connected: nothing is written and nothing is logged.
    sync->setWriteFails(false);
    sync->setConnected(false);
    observer.clear();
    link.sendTimeRequest(0);
    EXPECT_TRUE(sync->written().isEmpty());
    EXPECT_TRUE(observer.lines.isEmpty());
}

TEST(SyncLinkOverLoopback, TimeRequestTheSystemRefusesIsLogged) {
    // The sync server resets the connection; the client has seen no event of it yet when it writes.
    test::ResettingPeer peer;
    link::ClusterList clusters;
    test::RecordingObserver observer(clusters);
    clusters.create(QStringLiteral("127.0.0.1"), 1, peer.port());
    auto& socket = static_cast<link::TcpClientSocket&>(*clusters.at(0).syncConnection());
    socket.open();
    ASSERT_TRUE(peer.waitForClient());
    ASSERT_TRUE(QTest::qWaitFor([&] { return socket.isConnected(); }, 10000));
    ASSERT_TRUE(peer.resetAndWait(socket.socket()->socketDescriptor()));
    session::SyncLink link(clusters);
    link.sendTimeRequest(0);
    EXPECT_TRUE(observer.logTexts().contains(QStringLiteral("Не могу отправить запрос времени Синхросерверу Кластера №1")))
        << observer.logTexts().join(u'\n').toStdString();
}

} // namespace
