// The cluster list: create, find by socket, destroy from the end, and the state of a new record.

#include "LinkFixture.h"

#include "link/TcpClientSocket.h"

#include <QCoreApplication>
#include <QEvent>

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

TEST(ClusterList, CreateFindAndDestroyFromTheEnd) {
    ClusterList list;
    RecordingObserver observer(list);
    EXPECT_EQ(list.create(QStringLiteral("10.0.0.1"), 151500, 151501), 0);
    EXPECT_EQ(list.create(QStringLiteral("10.0.0.2"), 151500, 151501), 1);
    ASSERT_EQ(list.count(), 2);

    TKlvRack& second = list.at(1);
    EXPECT_EQ(second.clusterConnection()->address(), QStringLiteral("10.0.0.2"));
    EXPECT_EQ(second.clusterConnection()->port(), 151500);
    EXPECT_EQ(second.clusterConnection()->tcpPort(), 20428) << "the low 16 bits of the port field";
    EXPECT_EQ(second.syncConnection()->port(), 151501);
    EXPECT_FALSE(second.clusterConnection()->isConnected()) << "nothing is opened by create";

    // A new record.
    EXPECT_FALSE(second.reportFlag);
    EXPECT_EQ(second.ackResult, 0);
    EXPECT_FALSE(second.syncTimeValid);
    EXPECT_EQ(second.syncTime.days(), -1.0);
    EXPECT_TRUE(second.stations.empty());
    EXPECT_TRUE(second.pending.isEmpty());
    EXPECT_FALSE(second.downloadTarget);
    for (const auto& entry : second.fileViews)
        EXPECT_FALSE(entry.has_value());

    EXPECT_EQ(list.findByClusterSocket(second.clusterConnection()), 1);
    EXPECT_EQ(list.findBySyncSocket(second.syncConnection()), 1);
    EXPECT_EQ(list.findByClusterSocket(second.syncConnection()), -1) << "each search looks at its own connection";
    EXPECT_EQ(list.findBySyncSocket(second.clusterConnection()), -1);
    TcpClientSocket stray;
    EXPECT_EQ(list.findByClusterSocket(&stray), -1);
    EXPECT_EQ(list.findByClusterSocket(nullptr), -1);

    // Destroy from the end: the observer hears of it first, the check box goes with the record.
    QPointer<QObject> checkBox = new QObject;
    list.at(1).connectionCheckBox = checkBox.data();
    const QPointer<ClientSocket> connection = list.at(1).clusterConnection();
    list.destroyLast();
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(observer.destroyed, QList<int>({1}));
    EXPECT_TRUE(checkBox.isNull());
    EXPECT_EQ(list.findByClusterSocket(connection.data()), -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(connection.isNull()) << "the socket is deleted once the event loop has left it";

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(observer.destroyed, QList<int>({1, 0}));
}

TEST(ClusterList, ReferenceFindsItsRecordAgainOrNothing) {
    ClusterList list;
    list.create(QStringLiteral("127.0.0.1"), 1, 2);
    list.create(QStringLiteral("127.0.0.1"), 1, 2);
    ClusterRef ref(list, 1);
    EXPECT_TRUE(ref.refresh());
    EXPECT_EQ(ref.number(), 2);
    list.destroyLast();
    EXPECT_FALSE(ref.refresh());
    EXPECT_EQ(ref.rack(), nullptr);
    list.create(QStringLiteral("127.0.0.1"), 1, 2);
    EXPECT_FALSE(ref.refresh()) << "a later record at the same position is another cluster";
    EXPECT_FALSE(ClusterRef(list, 7).valid());
}
