#include "demo/ServicePlan.h"
#include "demo/StationNumbers.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace kalver;
using namespace kalver::demo;

namespace {

// This machine, for the tests: the loopback network and 10.1.2.3.
bool fakeLocal(const QHostAddress& a) { return a.isLoopback() || a == QHostAddress(QStringLiteral("10.1.2.3")); }

settings::SettingsValues settingsWith(const QList<std::pair<QString, QString>>& clusters, const QString& syncField) {
    settings::SettingsValues v = settings::defaults(static_cast<int>(clusters.size()), QString());
    v.stationsPerCluster = 20;
    v.grid[1][2] = syncField;
    for (int k = 0; k < clusters.size(); ++k) {
        v.grid[k + 2][1] = clusters[k].first;
        v.grid[k + 2][2] = clusters[k].second;
    }
    return v;
}

} // namespace

TEST(ServicePlan, PortFieldsGiveTheirLowSixteenBits) {
    EXPECT_EQ(tcpPortOfField("151500"), 20428);
    EXPECT_EQ(tcpPortOfField("13001"), 13001);
    EXPECT_EQ(tcpPortOfField(" 65536 "), 0);
    EXPECT_EQ(tcpPortOfField("-1"), 65535);
    EXPECT_FALSE(tcpPortOfField("51500a"));
    EXPECT_FALSE(tcpPortOfField(""));
}

TEST(ServicePlan, WithoutSettingsTheDefaultClusterIsServed) {
    const ServicePlan plan = planService(std::nullopt, DemoOptions{}, fakeLocal);
    ASSERT_EQ(plan.racks.size(), 1);
    EXPECT_EQ(plan.racks[0].address, QHostAddress(QHostAddress::LocalHost));
    EXPECT_EQ(plan.racks[0].port, 20428);
    EXPECT_EQ(plan.racks[0].stations, 48);
    ASSERT_EQ(plan.syncs.size(), 1);
    EXPECT_EQ(plan.syncs[0].port, 13001);
    EXPECT_EQ(plan.syncs[0].racks, QList<int>{0});
}

TEST(ServicePlan, ServesTheLocalRowsAndSharesOneSyncServerPerAddress) {
    const settings::SettingsValues v = settingsWith({{"127.0.0.1", "151500"},
                                                      {"192.0.2.7", "151500"},   // another machine
                                                      {"127.0.0.1", "151501"},
                                                      {"127.0.0.1", "151500"},   // same as cluster 1
                                                      {"10.1.2.3", "20000"},
                                                      {"localhost", "port"},     // not a number
                                                      {"127.0.0.2", "151500"}},
                                                     "13002");
    const ServicePlan plan = planService(v, DemoOptions{}, fakeLocal);
    ASSERT_EQ(plan.racks.size(), 4);
    EXPECT_EQ(plan.racks[0].cluster, 1);
    EXPECT_EQ(plan.racks[1].cluster, 3);
    EXPECT_EQ(plan.racks[1].port, 20429);
    EXPECT_EQ(plan.racks[2].cluster, 5);
    EXPECT_EQ(plan.racks[2].address, QHostAddress("10.1.2.3"));
    EXPECT_EQ(plan.racks[3].address, QHostAddress("127.0.0.2"));
    EXPECT_EQ(plan.racks[3].port, 20428) << "another loopback address, another listener";
    for (const RackEndpoint& r : plan.racks)
        EXPECT_EQ(r.stations, 20);
    EXPECT_EQ(plan.notes.size(), 3);

    ASSERT_EQ(plan.syncs.size(), 3);
    EXPECT_EQ(plan.syncs[0].racks, (QList<int>{0, 1})) << "clusters 1 and 3 share 127.0.0.1:13002";
    for (const SyncEndpoint& s : plan.syncs)
        EXPECT_EQ(s.port, 13002);
}

TEST(ServicePlan, OptionsOverridePortsRacksAndStations) {
    const settings::SettingsValues v = settingsWith({{"127.0.0.1", "151500"}, {"192.0.2.7", "151500"}}, "13001");
    DemoOptions o;
    o.racks = 3;
    o.port = 41000;
    o.syncPort = 41100;
    o.stations = 5;
    o.address = QStringLiteral("127.0.0.1");
    ServicePlan plan = planService(v, o, fakeLocal);
    ASSERT_EQ(plan.racks.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(plan.racks[i].port, 41000 + i);
        EXPECT_EQ(plan.racks[i].stations, 5);
    }
    ASSERT_EQ(plan.syncs.size(), 1);
    EXPECT_EQ(plan.syncs[0].port, 41100);

    o.port = 0; // free ports: never taken for the same listener
    plan = planService(v, o, fakeLocal);
    EXPECT_EQ(plan.racks.size(), 3);

    DemoOptions more;
    more.racks = 3;
    plan = planService(settingsWith({{"127.0.0.1", "151500"}}, "13001"), more, fakeLocal);
    ASSERT_EQ(plan.racks.size(), 3);
    EXPECT_EQ(plan.racks[2].port, 20430) << "extra racks follow the last row's port";
}

TEST(StationNumbers, DistinctAcrossTheContainerAndRepeatable) {
    const QList<QList<qint32>> a = assignStationNumbers({48, 48, 10}, 3);
    EXPECT_EQ(a, assignStationNumbers({48, 48, 10}, 3));
    EXPECT_NE(a, assignStationNumbers({48, 48, 10}, 4));
    QSet<qint32> all;
    for (const QList<qint32>& rack : a) {
        EXPECT_TRUE(std::is_sorted(rack.begin(), rack.end()));
        for (qint32 n : rack) {
            EXPECT_GE(n, 100);
            EXPECT_LE(n, 9999);
            all.insert(n);
        }
    }
    EXPECT_EQ(all.size(), 106);

    const QList<QList<qint32>> big = assignStationNumbers(QList<int>(100, 100), 1);
    EXPECT_EQ(big[0].first(), 1);
    EXPECT_EQ(big[99].last(), 10000);
}
