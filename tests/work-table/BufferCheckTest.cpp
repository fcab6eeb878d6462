#include "work/BufferCheck.h"

#include "StationFixture.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;

TEST(BufferCheck, RunsTheReceiveLoopOfClustersInWorkWithBytesWaiting) {
    test::Clusters clusters(2);
    // The records own their connection check boxes.
    auto* first = new QCheckBox;
    auto* second = new QCheckBox;
    first->setChecked(true);
    clusters.list.at(0).connectionCheckBox = first;
    clusters.list.at(1).connectionCheckBox = second;

    // Reports whose arrival event was missed.
    const QByteArray report = test::frames::statusReport({test::station(3), test::station(4)});
    clusters.sockets[0]->feed(report, false);
    clusters.sockets[1]->feed(report, false);

    checkReceiveBuffers(clusters.list);
    EXPECT_EQ(clusters.list.at(0).stationCount(), 2);
    EXPECT_EQ(clusters.sockets[0]->bytesWaiting(), 0);
    // The cluster not in work keeps its bytes.
    EXPECT_EQ(clusters.list.at(1).stationCount(), 0);
    EXPECT_EQ(clusters.sockets[1]->bytesWaiting(), report.size());

    second->setChecked(true);
    checkReceiveBuffers(clusters.list);
    EXPECT_EQ(clusters.list.at(1).stationCount(), 2);
}

TEST(BufferCheck, NoClustersNothingToDo) {
    test::Clusters none(0);
    checkReceiveBuffers(none.list);
    EXPECT_EQ(none.list.count(), 0);
}
