#include "work/SelectionButtons.h"
#include "work/SelectionFilters.h"
#include "work/SelectionRules.h"
#include "work/SelectionSummary.h"

#include "StationFixture.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;
using link::StatusBlock;

namespace {

// Six stations in one rack, each a different mix of the filtered values:
//   no  charge  pressure  |drift|  free  charging  reg   other
//   1     -1    101325      30      90     no       -1
//   2     10     98000      30      20     yes       1
//   3     35    100000      70      45     no        0    downloading
//   4     80    102000       5      70     yes       2    testing, generator tuning
//   5     50     99000  100001      30     no        4    channel mode 0x80 (not a test mode)
//   6     20    101000      10      60     no        7
class SelectionRulesTest : public ::testing::Test {
protected:
    SelectionRulesTest() {
        add(1, -1, 101325, -30, 90, false, -1);
        add(2, 10, 98000, 30, 20, true, 1);
        add(3, 35, 100000, 70, 45, false, 0).setDownloading(true);
        StatusBlock& four = add(4, 80, 102000, 5, 70, true, 2);
        test::withChannelMode(four, 1).setGeneratorState(2);
        test::withChannelMode(add(5, 50, 99000, -100001, 30, false, 4), 0x80);
        add(6, 20, 101000, 10, 60, false, 7);
        for (const StatusBlock& b : blocks)
            clusters.add(0, b);
    }

    StatusBlock& add(int number, int charge, int pressure, int drift, int freeMemory, bool charging, int reg) {
        StatusBlock b = test::station(number);
        b.setChargeLevel(charge).setPressure(pressure).setClockDrift(drift).setFreeMemory(freeMemory).setCharging(charging);
        b.setRegistrationState(static_cast<std::int8_t>(reg));
        blocks.append(b);
        return blocks.last();
    }

    QSet<int> recompute(const SelectionFilters& filters, const RackQuery& racks = allVisible()) {
        recomputeSelection(clusters.list, filters, racks);
        return clusters.selected();
    }

    static RackQuery allVisible() { return {[](int) { return false; }, [](int) { return false; }}; }

    QList<StatusBlock> blocks;
    test::Clusters clusters;
};

struct FilterCase {
    const char* name;
    std::function<void(SelectionFilters&)> set;
    QSet<int> selected;
};

} // namespace

TEST_F(SelectionRulesTest, FiltersSelectTheMatchingStations) {
    using Q = Quantity;
    using S = StateItem;
    const FilterCase cases[] = {
        {"nothing checked clears the selection", [](SelectionFilters&) {}, {}},
        {"low charge takes the unknown charge", [](SelectionFilters& f) { f.toggleBucket(Q::Charge, 0); }, {1, 2, 6}},
        {"middle charge includes its upper bound", [](SelectionFilters& f) { f.toggleBucket(Q::Charge, 1); }, {3, 5}},
        {"high charge", [](SelectionFilters& f) { f.toggleBucket(Q::Charge, 2); }, {4}},
        {"two charge buckets",
         [](SelectionFilters& f) {
             f.toggleBucket(Q::Charge, 2);
             f.toggleBucket(Q::Charge, 0);
         },
         {1, 2, 4, 6}},
        {"low pressure", [](SelectionFilters& f) { f.toggleBucket(Q::Pressure, 0); }, {2, 5}},
        {"middle pressure", [](SelectionFilters& f) { f.toggleBucket(Q::Pressure, 1); }, {3, 6}},
        {"high pressure", [](SelectionFilters& f) { f.toggleBucket(Q::Pressure, 2); }, {1, 4}},
        {"low free memory", [](SelectionFilters& f) { f.toggleBucket(Q::FreeMemory, 0); }, {2, 5}},
        {"middle free memory", [](SelectionFilters& f) { f.toggleBucket(Q::FreeMemory, 1); }, {3, 6}},
        {"charging", [](SelectionFilters& f) { f.toggleState(S::Charging); }, {2, 4}},
        {"not charging", [](SelectionFilters& f) { f.toggleState(S::NotCharging); }, {1, 3, 5, 6}},
        {"charging and not charging select nothing",
         [](SelectionFilters& f) {
             f.toggleState(S::Charging);
             f.toggleState(S::NotCharging);
         },
         {}},
        {"registering is 1, 2, 3, 5, 6, 7", [](SelectionFilters& f) { f.toggleState(S::Regging); }, {2, 4, 6}},
        {"not registering includes -1 and 4", [](SelectionFilters& f) { f.toggleState(S::NotRegging); }, {1, 3, 5}},
        {"downloading", [](SelectionFilters& f) { f.toggleState(S::Downloading); }, {3}},
        {"testing counts only positive mode bytes", [](SelectionFilters& f) { f.toggleState(S::Testing); }, {4}},
        {"not testing", [](SelectionFilters& f) { f.toggleState(S::NotTesting); }, {1, 2, 3, 5, 6}},
        {"generator tuning", [](SelectionFilters& f) { f.toggleState(S::GenCorrection); }, {4}},
        {"number range is inclusive", [](SelectionFilters& f) { f.setNumberRange({2, 4}); }, {2, 3, 4}},
        {"drift range compares the absolute drift", [](SelectionFilters& f) { f.setDriftRange({10, 50}); }, {1, 2, 6}},
        {"filters combine",
         [](SelectionFilters& f) {
             f.toggleBucket(Q::Charge, 0);
             f.toggleState(S::Charging);
         },
         {2}},
        {"a range and a bucket that exclude each other",
         [](SelectionFilters& f) {
             f.setNumberRange({1, 3});
             f.toggleBucket(Q::Charge, 2);
         },
         {}},
        {"a bucket toggled twice is off again",
         [](SelectionFilters& f) {
             f.toggleBucket(Q::Charge, 2);
             f.toggleBucket(Q::Charge, 2);
         },
         {}},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.name);
        SelectionFilters filters;
        c.set(filters);
        EXPECT_EQ(recompute(filters), c.selected);
    }
}

TEST_F(SelectionRulesTest, HiddenRackDeselectsAndSelectAllOverridesFilters) {
    const int second = clusters.addCluster();
    clusters.add(second, test::station(11).setChargeLevel(10));
    clusters.add(second, test::station(12).setChargeLevel(90));

    SelectionFilters lowCharge;
    lowCharge.toggleBucket(Quantity::Charge, 0);
    EXPECT_EQ(recompute(lowCharge), QSet<int>({1, 2, 6, 11}));

    // The second rack hidden: its matching station goes, even with its select-all box checked.
    const RackQuery secondHidden{[](int c) { return c == 1; }, [](int c) { return c == 1; }};
    EXPECT_EQ(recompute(lowCharge, secondHidden), QSet<int>({1, 2, 6}));

    // Select-all on the first rack: every station of it, whatever the filters.
    const RackQuery firstAll{[](int) { return false; }, [](int c) { return c == 0; }};
    EXPECT_EQ(recompute(lowCharge, firstAll), QSet<int>({1, 2, 3, 4, 5, 6, 11}));
    EXPECT_EQ(recompute(SelectionFilters(), firstAll), QSet<int>({1, 2, 3, 4, 5, 6}));
}

TEST_F(SelectionRulesTest, DefaultQueryTreatsARackWithoutPanelAsHidden) {
    SelectionFilters lowCharge;
    lowCharge.toggleBucket(Quantity::Charge, 0);
    EXPECT_EQ(recompute(lowCharge, defaultRackQuery(clusters.list)), QSet<int>());
}

TEST_F(SelectionRulesTest, ClusterCheckAndDeselectAll) {
    EXPECT_TRUE(setClusterChecked(clusters.list, 0, true));
    EXPECT_EQ(clusters.selected().size(), 6);
    EXPECT_FALSE(setClusterChecked(clusters.list, 0, true)); // nothing changed
    EXPECT_FALSE(setClusterChecked(clusters.list, 5, true)); // no such cluster
    EXPECT_TRUE(deselectAll(clusters.list));
    EXPECT_TRUE(clusters.selected().isEmpty());
}

TEST(SelectionFilterState, CaptionsParentsAndReset) {
    SelectionFilters f;
    EXPECT_EQ(f.numberCaption(), "по номеру");
    EXPECT_EQ(f.driftCaption(), "по уходу часов");
    EXPECT_EQ(f.numberFrom(), 0);
    EXPECT_EQ(f.driftFrom(), -100001);
    EXPECT_FALSE(f.anyChecked());

    f.setNumberRange({5, 40});
    f.setDriftRange({10, 50});
    f.toggleBucket(Quantity::Pressure, 1);
    f.toggleState(StateItem::NotDownloading);
    EXPECT_EQ(f.numberCaption(), "по номеру: 5/40");
    EXPECT_EQ(f.driftCaption(), "по уходу часов: 10/50");
    EXPECT_TRUE(f.quantityChecked(Quantity::Pressure));
    EXPECT_FALSE(f.quantityChecked(Quantity::Charge));
    EXPECT_TRUE(f.byStateChecked());

    f.reset();
    EXPECT_FALSE(f.anyChecked());
    EXPECT_EQ(f.numberCaption(), "по номеру");
    EXPECT_EQ(f.driftFrom(), -100001);
}

TEST(SelectionButtons, HintsActionsAndImages) {
    EXPECT_EQ(selectionItemHint(0), "Сбросить фильтры");
    EXPECT_EQ(selectionItemHint(1), "Выделить по уходу часов");
    EXPECT_EQ(selectionItemHint(2), "Выделить по заряду 50% < x ≤ 100%");
    EXPECT_EQ(selectionItemHint(4), "Выделить по заряду 0% < x ≤ 20%");
    EXPECT_EQ(selectionItemHint(6), "Выделить по давлению 99000 Па < x ≤ 101000 Па");
    EXPECT_EQ(selectionItemHint(7), "Выделить по давлению x ≤ 99000 Па");
    EXPECT_EQ(selectionItemHint(8), "Выделить по свободной памяти 60% < x ≤ 100%");
    EXPECT_EQ(selectionItemHint(11), "Выделить по номеру");
    EXPECT_EQ(selectionItemHint(21), "Выделить Станции не в процессе настройки генератора");

    SelectionFilters f;
    // The form starts with the inactive images.
    const int inactive[kSelectionItemCount] = {0,  23, 24, 25, 26, 27, 28, 29, 30, 31, 32,
                                               22, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42};
    for (int i = 0; i < kSelectionItemCount; ++i)
        EXPECT_EQ(selectionItemImage(i, f), inactive[i]) << i;

    f.setDriftRange({0, 1});
    f.setNumberRange({1, 2});
    f.toggleBucket(Quantity::Charge, 2);
    f.toggleBucket(Quantity::FreeMemory, 0);
    f.toggleState(StateItem::NotGenCorrection);
    EXPECT_EQ(selectionItemImage(1, f), 2);
    EXPECT_EQ(selectionItemImage(2, f), 3);
    EXPECT_EQ(selectionItemImage(3, f), 25);
    EXPECT_EQ(selectionItemImage(10, f), 11);
    EXPECT_EQ(selectionItemImage(11, f), 1);
    EXPECT_EQ(selectionItemImage(21, f), 21);
    EXPECT_EQ(selectionItemImage(20, f), 41);

    EXPECT_EQ(selectionItemAction(5).kind, SelectionItemAction::Bucket);
    EXPECT_EQ(selectionItemAction(5).quantity, Quantity::Pressure);
    EXPECT_EQ(selectionItemAction(5).bucket, 2);
    EXPECT_EQ(selectionItemAction(14).state, StateItem::Regging);
}

TEST(SelectionSummaryTexts, NoneOneSeveral) {
    const SelectionSummary none = summaryOfCount(0, 0, 0);
    EXPECT_FALSE(none.enabled);
    EXPECT_EQ(none.selectedCaption, "Выбранных нет");
    EXPECT_FALSE(none.propertiesCaption.has_value());

    const SelectionSummary one = summaryOfCount(1, 17, 17);
    EXPECT_TRUE(one.enabled);
    EXPECT_EQ(one.selectedCaption, "Выбранная 17");
    EXPECT_EQ(one.propertiesCaption, "Свойства Станции 17");

    const SelectionSummary several = summaryOfCount(3, 2, 40);
    EXPECT_EQ(several.selectedCaption, "Выбранные 2:40");
    EXPECT_EQ(several.propertiesCaption, "Свойства Станций 2:40");

    // The container summary counts over every cluster.
    test::Clusters clusters(2);
    clusters.add(0, test::station(9));
    clusters.add(1, test::station(3));
    clusters.add(1, test::station(30));
    clusters.station(0, 0).tile.checked = true;
    clusters.station(1, 1).tile.checked = true;
    EXPECT_EQ(containerSummary(clusters.list).selectedCaption, "Выбранные 9:30");

    // The table summary names the top and bottom rows' stations, in row order.
    EXPECT_EQ(tableSummary(2, 30, 9).selectedCaption, "Выбранные 30:9");
    EXPECT_EQ(tableSummary(1, 30, 30).propertiesCaption, "Свойства Станции 30");
}
