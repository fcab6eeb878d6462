// Listing the selection for an operation: which stations are listed per cluster, what goes to the
// choosers, which are refused for critical errors, and when the channel merge stops the listing.

#include "stationdata/Operation.h"
#include "stationdata/SelectionListing.h"

#include "StationBlocks.h"
#include "fakes/MemoryClientSocket.h"

#include <QCheckBox>
#include <QWidget>

#include <gtest/gtest.h>

namespace kalver::stationdata {
namespace {

class TableBridge : public WorkWindowBridge {
public:
    bool tableShown() const override { return true; }
    QList<SelectedStation> selectedTableRows() const override { return rows; }
    QList<SelectedStation> rows;
};

class SelectionListingTest : public ::testing::Test {
protected:
    // A cluster in work with `blocks`; the stations in `checked` have their tiles checked.
    int addCluster(const QList<link::StatusBlock>& blocks, const QList<int>& checked, bool inWork = true) {
        auto rack = std::make_unique<link::TKlvRack>(std::make_unique<test::MemoryClientSocket>(),
                                                     std::make_unique<test::MemoryClientSocket>());
        auto* box = new QCheckBox;
        box->setChecked(inWork);
        rack->connectionCheckBox = box;
        for (const link::StatusBlock& b : blocks) {
            const int s = rack->appendStation(b);
            rack->station(s).tile.checked = checked.contains(b.number());
        }
        return list.append(std::move(rack));
    }

    link::ClusterList list;
    WorkWindowBridge tiles;
};

TEST_F(SelectionListingTest, StartListsChargedIdleStationsPerClusterAscending) {
    link::StatusBlock low = test::idleStation(4);
    low.setChargeLevel(10);
    link::StatusBlock critical = test::idleStation(9);
    critical.setInterfaceErrors(0x8000);
    link::StatusBlock registering = test::idleStation(2);
    registering.setRegistrationState(1);
    addCluster({test::idleStation(12), low, test::idleStation(3), critical, registering}, {12, 4, 3, 9, 2});
    addCluster({test::idleStation(30), test::idleStation(8)}, {30, 8});

    const SelectionListing listing = listSelection(list, tiles, op::Start, true);

    ASSERT_EQ(listing.rows.size(), 2);
    EXPECT_EQ(listing.rows[0].clusterNumber, 1);
    EXPECT_EQ(listing.rows[0].stations, (QList<std::int32_t>{3, 12}));
    EXPECT_EQ(listing.rows[1].clusterNumber, 2);
    EXPECT_EQ(listing.rows[1].stations, (QList<std::int32_t>{8, 30}));
    EXPECT_EQ(listing.refused, (QList<std::int32_t>{9}));
    EXPECT_EQ(listing.serverItems, (QList<int>{1, 2}));
    // The station chooser holds every checked station of the first listed cluster, listed or not.
    EXPECT_EQ(listing.stationItems, (QList<std::int32_t>{12, 4, 3, 9, 2}));
    EXPECT_FALSE(listing.invalidConfiguration);
}

TEST_F(SelectionListingTest, OnlyCheckedTilesOfVisibleClustersInWorkAreWalked) {
    addCluster({test::idleStation(1), test::idleStation(2)}, {2});
    addCluster({test::idleStation(5)}, {5}, false);
    QWidget rackArea; // the rack panels are children of the work window
    auto* hiddenPanel = new QWidget(&rackArea);
    auto* shownPanel = new QWidget(&rackArea);
    hiddenPanel->hide();
    const int hidden = addCluster({test::idleStation(6)}, {6});
    list.at(hidden).rackView = hiddenPanel;
    const int shown = addCluster({test::idleStation(7)}, {7});
    list.at(shown).rackView = shownPanel;

    const SelectionListing listing = listSelection(list, tiles, op::Search, false);
    ASSERT_EQ(listing.rows.size(), 2);
    EXPECT_EQ(listing.rows[0].stations, (QList<std::int32_t>{2}));
    EXPECT_EQ(listing.rows[1].clusterNumber, 4);
    EXPECT_EQ(listing.serverItems, (QList<int>{1, 4}));
}

TEST_F(SelectionListingTest, ACriticalStationIsRefusedOnlyByStartRegistration) {
    link::StatusBlock critical = test::idleStation(9);
    critical.setRecorderErrors(0x4);
    addCluster({critical}, {9});
    EXPECT_TRUE(listSelection(list, tiles, op::Start, true).rows.isEmpty());
    EXPECT_EQ(listSelection(list, tiles, op::Start, true).refused, (QList<std::int32_t>{9}));
    EXPECT_EQ(listSelection(list, tiles, op::TestAdc, true).rows.size(), 1);
    EXPECT_TRUE(listSelection(list, tiles, op::TestAdc, true).refused.isEmpty());
}

TEST_F(SelectionListingTest, TableRowsListByClusterNumberAndFillTheChooserFromTheFirstCluster) {
    addCluster({test::idleStation(1), test::idleStation(2)}, {});
    addCluster({test::idleStation(7), test::idleStation(3)}, {});
    TableBridge table;
    table.rows = {{1, 7}, {0, 2}, {1, 3}, {4, 1}, {0, 99}}; // cluster positions 1, 0, 1, 4, 0

    const SelectionListing listing = listSelection(list, table, op::Search, false);
    ASSERT_EQ(listing.rows.size(), 2);
    EXPECT_EQ(listing.rows[0].clusterNumber, 2);
    EXPECT_EQ(listing.rows[0].stations, (QList<std::int32_t>{3, 7}));
    EXPECT_EQ(listing.rows[1].clusterNumber, 1);
    EXPECT_EQ(listing.rows[1].stations, (QList<std::int32_t>{2}));
    EXPECT_EQ(listing.serverItems, (QList<int>{2, 1, 5}));
    EXPECT_EQ(listing.stationItems, (QList<std::int32_t>{7, 3}));
}

TEST_F(SelectionListingTest, TheTypeMarkAndTheMergeFollowTheListedStations) {
    link::StatusBlock qm7 = test::idleStation(1, {0, 1});
    qm7.setTypeText(QByteArray("qm7  52\0", 8));
    link::StatusBlock other = test::idleStation(2, {0, 1, 2});
    addCluster({qm7, other}, {1, 2});

    const SelectionListing listing = listSelection(list, tiles, op::Start, true);
    EXPECT_TRUE(listing.typeMark);
    EXPECT_EQ(listing.channels.differences(), difference::ChannelCount);
    EXPECT_EQ(listing.channels.channelState(1), kStatePresent);
    EXPECT_EQ(listing.channels.channelState(2), kStateAbsent);

    const SelectionListing unmerged = listSelection(list, tiles, op::Start, false);
    EXPECT_EQ(unmerged.channels.channelState(0), kStateNotSeen);
}

TEST_F(SelectionListingTest, AnImpossibleChannelByteStopsTheListing) {
    link::StatusBlock broken = test::idleStation(2);
    broken.setChannelPresentByte(3, 9);
    addCluster({test::idleStation(1), broken, test::idleStation(3)}, {1, 2, 3});
    const SelectionListing listing = listSelection(list, tiles, op::Start, true);
    EXPECT_TRUE(listing.invalidConfiguration);
    // Without the merge (another page, another operation) the station is listed as any other.
    EXPECT_FALSE(listSelection(list, tiles, op::StopRegistration, false).invalidConfiguration);
}

} // namespace
} // namespace kalver::stationdata
