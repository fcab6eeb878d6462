#include "work/PageSwitch.h"
#include "work/EntryPoints.h"
#include "work/SelectionController.h"
#include "work/StationTableModel.h"
#include "work/TablePage.h"
#include "work/TableRows.h"

#include "core/ProgramValues.h"

#include "StationFixture.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QFocusEvent>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;
using link::StatusBlock;

namespace {

std::vector<int> numbers(const std::vector<TableRow>& rows) {
    std::vector<int> n;
    for (const TableRow& r : rows)
        n.push_back(r.number);
    return n;
}

// Sets the program's access level for one test.
class ScopedAccessLevel {
public:
    explicit ScopedAccessLevel(int level) : m_saved(program().accessLevel) { program().accessLevel = level; }
    ~ScopedAccessLevel() { program().accessLevel = m_saved; }

private:
    int m_saved;
};

// Five stations in two racks, gathered in the order 5, 3, 9, 1, 7; charges 50, 20, 50, 50, 80 (three
// equal keys to show the order of ties).
class TableRowsTest : public ::testing::Test {
protected:
    TableRowsTest() : clusters(2) {
        clusters.add(0, test::station(5).setChargeLevel(50).setFileCount(2));
        clusters.add(0, test::station(3).setChargeLevel(20).setFileCount(1));
        clusters.add(0, test::station(9).setChargeLevel(50).setFileCount(-1));
        clusters.add(1, test::station(1).setChargeLevel(50).setFileCount(2));
        clusters.add(1, test::station(7).setChargeLevel(80).setFileCount(0));
    }

    std::vector<int> sorted(SortButton button, const TableFilters& filters = TableFilters()) {
        return numbers(tableRows(clusters.list, filters, button));
    }

    test::Clusters clusters;
};

} // namespace

TEST_F(TableRowsTest, SortButtonsOrderTheRowsStably) {
    const struct {
        SortButton button;
        std::vector<int> order;
    } cases[] = {
        {SortButton::NumUp, {1, 3, 5, 7, 9}},
        {SortButton::NumDown, {9, 7, 5, 3, 1}},
        {SortButton::RackUp, {5, 3, 9, 1, 7}},
        // Descending: among equal keys the station gathered last comes first.
        {SortButton::RackDown, {7, 1, 9, 3, 5}},
        {SortButton::ChargeUp, {3, 5, 9, 1, 7}},
        {SortButton::ChargeDown, {7, 1, 9, 5, 3}},
        {SortButton::FilesUp, {9, 7, 3, 5, 1}},
        {SortButton::FilesDown, {1, 5, 3, 7, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.button));
        EXPECT_EQ(sorted(c.button), c.order);
    }
}

TEST_F(TableRowsTest, FiltersSkipStations) {
    const struct {
        const char* name;
        std::function<void(TableFilters&)> set;
        std::vector<int> rows;
    } cases[] = {
        {"everything shown", [](TableFilters&) {}, {1, 3, 5, 7, 9}},
        {"number range", [](TableFilters& f) { f.stationStart = 3; f.stationEnd = 7; }, {3, 5, 7}},
        {"rack unchecked", [](TableFilters& f) { f.racks = {true, false}; }, {3, 5, 9}},
        {"cluster beyond the rack list is shown", [](TableFilters& f) { f.racks = {false}; }, {1, 7}},
        {"every charge bucket off", [](TableFilters& f) { f.charge = {false, false, false}; }, {}},
        {"middle charge off", [](TableFilters& f) { f.charge = {true, false, true}; }, {3, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TableFilters f;
        c.set(f);
        EXPECT_EQ(sorted(SortButton::NumUp, f), c.rows);
    }
}

TEST(TableFilterRules, DriftBoundsAndStateItems) {
    const auto block = [](auto&& set) {
        StatusBlock b = test::station(1);
        set(b);
        return b;
    };
    TableFilters f;
    f.accessLevel = 1;
    // Absolute drift above the upper bound is never listed, -100001 included.
    EXPECT_FALSE(f.passes(block([](StatusBlock& b) { b.setClockDrift(-100001); }), 0));
    EXPECT_FALSE(f.passes(block([](StatusBlock& b) { b.setClockDrift(100001); }), 0));
    EXPECT_TRUE(f.passes(block([](StatusBlock& b) { b.setClockDrift(-100000); }), 0));
    f.driftMin = 10;
    EXPECT_FALSE(f.passes(block([](StatusBlock& b) { b.setClockDrift(-9); }), 0));
    EXPECT_TRUE(f.passes(block([](StatusBlock& b) { b.setClockDrift(-10); }), 0));

    // "РЕГИСТРАЦИЯ идет" off hides 1, 2, 3 and 5 ... 127; "РЕГИСТРАЦИИ нет" off hides 0 and 4;
    // negative states pass both.
    const auto reg = [&block](int state) {
        return block([state](StatusBlock& b) { b.setRegistrationState(static_cast<std::int8_t>(state)); });
    };
    TableFilters noRunning;
    noRunning.states[2] = false;
    TableFilters noStopped;
    noStopped.states[3] = false;
    for (const int state : {1, 2, 3, 5, 8, 127})
        EXPECT_FALSE(noRunning.passes(reg(state), 0)) << state;
    for (const int state : {0, 4, -1, -128})
        EXPECT_TRUE(noRunning.passes(reg(state), 0)) << state;
    for (const int state : {0, 4})
        EXPECT_FALSE(noStopped.passes(reg(state), 0)) << state;
    for (const int state : {-1, 1, 5})
        EXPECT_TRUE(noStopped.passes(reg(state), 0)) << state;

    // The test and generator-tuning items act only at level 3.
    StatusBlock testing = test::station(1);
    test::withChannelMode(testing, 1).setGeneratorState(2);
    for (const int item : {6, 8}) {
        TableFilters g;
        g.states[static_cast<std::size_t>(item)] = false;
        for (const int level : {0, 1, 2}) {
            g.accessLevel = level;
            EXPECT_TRUE(g.passes(testing, 0)) << item << " at level " << level;
        }
        g.accessLevel = 3;
        EXPECT_FALSE(g.passes(testing, 0)) << item;
    }
    TableFilters notTesting;
    notTesting.states[7] = false;
    notTesting.accessLevel = 3;
    EXPECT_FALSE(notTesting.passes(test::station(1), 0));
    notTesting.accessLevel = 2;
    EXPECT_TRUE(notTesting.passes(test::station(1), 0));

    TableFilters charging;
    charging.states[0] = false;
    EXPECT_FALSE(charging.passes(block([](StatusBlock& b) { b.setCharging(true); }), 0));
    EXPECT_TRUE(charging.passes(test::station(1), 0));
}

// ---------------------------------------------------------------- the page

namespace {

class TablePageTest : public ::testing::Test {
protected:
    TablePageTest() : clusters(2), page(clusters.list) {
        for (const int n : {5, 3, 9})
            clusters.add(0, test::station(n));
        for (const int n : {1, 7})
            clusters.add(1, test::station(n));
        QObject::connect(&page, &TablePage::summaryChanged, &page,
                         [this](const SelectionSummary& s) { summaries.append(s); });
    }

    std::vector<int> shown() const { return numbers(page.model()->rows()); }

    QString cell(int row, int column) const {
        return page.model()->data(page.model()->index(row, column)).toString();
    }

    ScopedAccessLevel level{1};
    test::Clusters clusters;
    TablePage page;
    QList<SelectionSummary> summaries;
};

} // namespace

TEST_F(TablePageTest, RefreshRequestsWithinOneTurnRunOnce) {
    QSignalSpy inserted(page.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(page.model(), &QAbstractItemModel::dataChanged);
    page.requestRefresh();
    page.requestRefresh();
    page.requestRefresh();
    EXPECT_EQ(page.model()->rowCount(), 0);
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(TablePageTest, NoStationsShowsOnlyTheHeader) {
    test::Clusters empty(3);
    TablePage emptyPage(empty.list);
    emptyPage.refreshNow();
    EXPECT_EQ(emptyPage.model()->rowCount(), 0);
    EXPECT_EQ(emptyPage.model()->headerData(0, Qt::Horizontal).toString(), "№ Станции");
    EXPECT_EQ(emptyPage.model()->headerData(11, Qt::Horizontal).toString(), "Настройка генератора");
}

TEST_F(TablePageTest, SortButtonsAndFilterListsRefresh) {
    page.refreshNow();
    page.findChild<QToolButton*>("tb_TableFilter_RackDown")->click();
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(shown(), (std::vector<int>{7, 1, 9, 3, 5}));

    page.fillClusterFilter(2);
    page.refreshNow();
    page.clb_FilterRacks->item(1)->setCheckState(Qt::Unchecked);
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(shown(), (std::vector<int>{9, 3, 5}));

    for (int i = 0; i < 3; ++i)
        page.clb_FilterCharge->item(i)->setCheckState(Qt::Unchecked);
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_TRUE(shown().empty());

    // "Сбросить фильтры" checks everything again and shows every station.
    page.tb_FilterClear->click();
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(shown(), (std::vector<int>{7, 1, 9, 3, 5}));
}

TEST_F(TablePageTest, LeavingTheStartBoxLimitsTheEndBox) {
    page.setStationNumberMaximum(500);
    EXPECT_EQ(page.se_FilterStationEnd->value(), 500);
    page.se_FilterStationStart->setValue(4);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(page.se_FilterStationStart, &out);
    EXPECT_EQ(page.se_FilterStationEnd->minimum(), 4);
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(shown(), (std::vector<int>{5, 7, 9}));

    page.se_FilterStationEnd->setValue(8);
    QCoreApplication::sendEvent(page.se_FilterStationEnd, &out);
    EXPECT_EQ(page.se_FilterStationStart->maximum(), 8);
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(shown(), (std::vector<int>{5, 7}));

    page.b_ShowAllStations->click();
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(page.se_FilterStationStart->value(), 1);
    EXPECT_EQ(page.se_FilterStationEnd->value(), 500);
    EXPECT_EQ(shown().size(), 5u);
}

TEST_F(TablePageTest, DriftBoundDecidesTheUnknownDrift) {
    clusters.station(0, 0).status.setClockDrift(-100001);
    clusters.station(0, 1).status.setClockDrift(-50001);
    page.refreshNow();
    EXPECT_EQ(shown(), (std::vector<int>{1, 3, 7, 9})); // 5 drifts beyond the upper bound
    EXPECT_EQ(page.driftUnknown(), -100001);
    EXPECT_EQ(cell(1, 5), "-50001");

    page.se_FilterClockErrMin->setValue(-50000);
    EXPECT_EQ(page.driftUnknown(), -50001);
    EXPECT_EQ(cell(1, 5), "--");
}

TEST_F(TablePageTest, SelectFirstRowsIsClampedToTheRowsThatExist) {
    page.refreshNow();
    page.se_SelectFirst->setValue(3);
    EXPECT_EQ(numbers(page.selectedStations()), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранные 1:5");

    page.se_SelectFirst->setValue(8);
    EXPECT_EQ(numbers(page.selectedStations()), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранные 1:9");
    EXPECT_EQ(summaries.last().propertiesCaption, "Свойства Станций 1:9");

    page.se_SelectFirst->setValue(1);
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранная 1");
    EXPECT_EQ(summaries.last().propertiesCaption, "Свойства Станции 1");
}

TEST_F(TablePageTest, SelectionStaysOnItsRowsAcrossARefreshAndRowsFollowTheirStations) {
    page.refreshNow();
    page.se_SelectFirst->setValue(2);
    clusters.station(1, 0).status.setChargeLevel(-1);
    page.refreshNow();
    EXPECT_EQ(cell(0, 2), "--");
    EXPECT_EQ(numbers(page.selectedStations()), (std::vector<int>{1, 3}));

    // A station leaves its rack before the next refresh: its row shows nothing, the others find
    // their stations by number.
    clusters.list.at(0).stations.erase(clusters.list.at(0).stations.begin()); // station 5
    EXPECT_EQ(cell(2, 0), "");
    EXPECT_EQ(cell(1, 0), "3");
    EXPECT_EQ(cell(4, 0), "9");
    page.refreshNow();
    EXPECT_EQ(shown(), (std::vector<int>{1, 3, 7, 9}));
}

// Scrolled to its last columns, the table still shows the station numbers at its left edge, row by
// row with the rest of the table; a click there selects that row.
TEST_F(TablePageTest, StationNumberColumnStaysWhileTheRestScrollsSideways) {
    page.resize(900, 160);
    page.show();
    page.refreshNow();
    FixedColumnTableView* table = page.sg_StationData;
    table->scrollTo(page.model()->index(4, kTableColumnCount - 1));
    ASSERT_GT(table->horizontalScrollBar()->value(), 0);
    ASSERT_GT(table->verticalScrollBar()->value(), 0) << "the fixture's rows should not all fit";
    EXPECT_LT(table->columnViewportPosition(0), 0) << "the table's own first column has scrolled away";
    EXPECT_TRUE(table->fixedView()->isVisible());

    // Over the table's left edge lies the fixed column, with the same rows as the table.
    const int top = table->frameWidth() + table->horizontalHeader()->height();
    for (const int row : {table->rowAt(1), table->rowAt(table->viewport()->height() - 2)}) {
        SCOPED_TRACE(row);
        const QPoint at(table->frameWidth() + table->columnWidth(0) / 2, top + table->rowViewportPosition(row) + 12);
        QWidget* under = table->childAt(at);
        ASSERT_EQ(under, table->fixedViewport());
        const QModelIndex shown = table->fixedView()->indexAt(under->mapFrom(table, at));
        EXPECT_EQ(shown.row(), row);
        EXPECT_EQ(shown.column(), 0);
        EXPECT_EQ(shown.data().toString(), cell(row, 0));
    }

    const int last = page.model()->rowCount() - 1;
    const QRect lastCell = table->fixedView()->visualRect(page.model()->index(last, 0));
    QTest::mouseClick(table->fixedViewport(), Qt::LeftButton, {}, lastCell.center());
    EXPECT_EQ(numbers(page.selectedStations()), std::vector<int>{9});
    ASSERT_FALSE(summaries.isEmpty());
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранная 9");
}

// As a grid keeps its current row, the table has one from its first rows on: "Выбранная" is there
// when the page is shown, without a click.
TEST_F(TablePageTest, TableHasACurrentRowFromTheStart) {
    page.refreshNow();
    EXPECT_EQ(numbers(page.selectedStations()), std::vector<int>{1});
    page.pageShown();
    ASSERT_FALSE(summaries.isEmpty());
    EXPECT_TRUE(summaries.last().enabled);
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранная 1");

    // A refresh keeps a selection the operator made.
    page.se_SelectFirst->setValue(3);
    page.refreshNow();
    EXPECT_EQ(numbers(page.selectedStations()), (std::vector<int>{1, 3, 5}));

    // No rows: nothing selected.
    test::Clusters empty(1);
    TablePage emptyPage(empty.list);
    emptyPage.refreshNow();
    EXPECT_TRUE(emptyPage.selectedStations().empty());
}

TEST_F(TablePageTest, ColumnChecksHideAndShowColumns) {
    // A column shown again takes its default width back (its width at the start, at least 70, more
    // when its title needs it under the look in use), whatever the operator made of it before.
    const int startWidth = page.sg_StationData->columnWidth(1);
    ASSERT_GE(startWidth, 70);
    page.sg_StationData->setColumnWidth(1, startWidth + 150);
    page.clb_FilterColumns->item(0)->setCheckState(Qt::Unchecked);
    page.clb_FilterColumns->item(10)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(page.sg_StationData->isColumnHidden(1));
    EXPECT_TRUE(page.sg_StationData->isColumnHidden(11));
    EXPECT_FALSE(page.sg_StationData->isColumnHidden(0));
    page.clb_FilterColumns->item(0)->setCheckState(Qt::Checked);
    EXPECT_FALSE(page.sg_StationData->isColumnHidden(1));
    EXPECT_EQ(page.sg_StationData->columnWidth(1), startWidth);
    page.tb_FilterClear->click();
    EXPECT_FALSE(page.sg_StationData->isColumnHidden(11));
    EXPECT_EQ(page.clb_FilterColumns->item(10)->checkState(), Qt::Checked);
}

TEST_F(TablePageTest, StateItemsBelowLevelThreeHaveNoEffect) {
    test::withChannelMode(clusters.station(0, 0).status, 1); // station 5 testing
    page.clb_FilterState->item(6)->setCheckState(Qt::Unchecked);
    ASSERT_TRUE(test::waitFor([&] { return !page.refreshPending(); }));
    EXPECT_EQ(shown().size(), 5u);
    ScopedAccessLevel developer(3);
    page.refreshNow();
    EXPECT_EQ(shown(), (std::vector<int>{1, 3, 7, 9}));
}

TEST_F(TablePageTest, PageSwitchRunsTheBlinkTimerOnlyOnTheContainer) {
    QTimer blink;
    blink.setInterval(750);
    QMenu select;
    EntryPoints entry(nullptr);
    page.refreshNow();
    page.se_SelectFirst->setValue(2);
    PageSwitchTargets targets{&blink, &select, &page, nullptr, &entry, true};

    switchPage(kTablePage, targets);
    EXPECT_FALSE(blink.isActive());
    EXPECT_FALSE(select.menuAction()->isEnabled());
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранные 1:3");

    entry.showSummary(summaries.last());
    switchPage(kContainerPage, targets);
    EXPECT_TRUE(blink.isActive());
    EXPECT_TRUE(select.menuAction()->isEnabled());
    EXPECT_FALSE(entry.miSelected->menuAction()->isEnabled());
}

TEST_F(TablePageTest, NamedControls) {
    for (const char* name : {"ToolBar2", "tb_FilterClear", "tb_ExpandAll", "tb_CollapseAll", "tb_TableFilter_NumUp",
                             "tb_TableFilter_FilesDown", "se_SelectFirst", "cpg_Filters", "cgp_FilterColumn",
                             "clb_FilterColumns", "cpg_Stations", "se_FilterStationStart", "se_FilterStationEnd",
                             "b_ShowAllStations", "cpg_FilterRacks", "clb_FilterRacks", "cgp_FilterCharge",
                             "clb_FilterCharge", "cgp_FilterPressure", "clb_FilterPressure", "cpg_ClockErr",
                             "se_FilterClockErrMin", "se_FilterClockErrMax", "bSetAllClockFilter", "cpg_FreeMem",
                             "clb_FilterFreeMem", "cgp_FilterState", "clb_FilterState", "sg_StationData"})
        EXPECT_NE(page.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_TRUE(page.tb_TableFilter_NumUp->isChecked());
    EXPECT_EQ(page.clb_FilterCharge->item(0)->text(), "50% < x ≤ 100%");
    EXPECT_EQ(page.clb_FilterState->item(8)->text(), "ПОДСТРОЙКА ГЕН. идет");
    EXPECT_EQ(page.findChild<QToolButton*>("tb_TableFilter_FreqErrDown")->toolTip(),
              "Сортировать по уходу часов (убывание)");
}
