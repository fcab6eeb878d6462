#include "work/SelectionButtons.h"
#include "work/SelectionController.h"
#include "work/Unit_SelFilter.h"

#include "StationFixture.h"

#include <QAction>
#include <QFocusEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;

namespace {

class SelectionControllerTest : public ::testing::Test {
protected:
    SelectionControllerTest() : clusters(2), controller(clusters.list, &window) {
        clusters.add(0, test::station(4).setChargeLevel(10));
        clusters.add(0, test::station(2).setChargeLevel(90));
        clusters.add(1, test::station(8).setChargeLevel(15));
        controller.setRackQuery({[this](int c) { return hidden.contains(c); }, [this](int c) { return selectAll.contains(c); }});
        controller.setRangeAsker([this](const RangeBox& begin, const RangeBox& end) {
            asked.append({begin, end});
            return answer;
        });
        connect();
    }

    void connect() {
        QObject::connect(&controller, &SelectionController::summaryChanged, &controller,
                         [this](const SelectionSummary& s) { summaries.append(s); });
    }

    QAction* item(const char* name) { return controller.selectMenu()->findChild<QAction*>(QString::fromLatin1(name)); }

    QWidget window;
    test::Clusters clusters;
    SelectionController controller;
    QSet<int> hidden;
    QSet<int> selectAll;
    std::optional<Range> answer;
    QList<std::pair<RangeBox, RangeBox>> asked;
    QList<SelectionSummary> summaries;
};

} // namespace

TEST_F(SelectionControllerTest, MenuItemsToggleFiltersAndReportTheSummary) {
    QSignalSpy tiles(&controller, &SelectionController::tilesChanged);
    QSignalSpy images(&controller, &SelectionController::selectionImagesChanged);
    QAction* charge0 = item("miCharge0");
    ASSERT_NE(charge0, nullptr);
    EXPECT_EQ(charge0->text(), "0% < x ≤ 20%");
    charge0->trigger();

    EXPECT_EQ(clusters.selected(), QSet<int>({4, 8}));
    EXPECT_TRUE(charge0->isChecked());
    EXPECT_TRUE(controller.miSelectByCharge->menuAction()->isChecked());
    EXPECT_EQ(tiles.count(), 1);
    EXPECT_GE(images.count(), 1);
    EXPECT_EQ(selectionItemImage(4, controller.filters()), 5);
    ASSERT_FALSE(summaries.isEmpty());
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранные 4:8");

    // Unchecking the last filter clears the selection and the parent's mark.
    charge0->trigger();
    EXPECT_TRUE(clusters.selected().isEmpty());
    EXPECT_FALSE(controller.miSelectByCharge->menuAction()->isChecked());
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранных нет");
}

TEST_F(SelectionControllerTest, HidingARackDeselectsItsStations) {
    controller.clickSelectionItem(4); // low charge
    EXPECT_EQ(clusters.selected(), QSet<int>({4, 8}));
    hidden.insert(1);
    controller.recompute();
    EXPECT_EQ(clusters.selected(), QSet<int>({4}));
    hidden.clear();
    controller.recompute();
    EXPECT_EQ(clusters.selected(), QSet<int>({4, 8}));
}

TEST_F(SelectionControllerTest, SelectAllBoxChecksEveryStationOfItsRack) {
    controller.selectAllClicked(0, true);
    EXPECT_EQ(clusters.selected(), QSet<int>({2, 4}));
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранные 2:4");
    // While the box stays checked, filters do not take the rack's stations away.
    selectAll.insert(0);
    controller.clickSelectionItem(2); // high charge: only station 2 would match
    EXPECT_EQ(clusters.selected(), QSet<int>({2, 4}));
    controller.selectAllClicked(0, false);
    EXPECT_TRUE(clusters.selected().isEmpty());
}

TEST_F(SelectionControllerTest, NumberRangeFromTheDialogAndCancel) {
    QSpinBox start, end, driftMin, driftMax;
    start.setRange(1, 500);
    end.setRange(3, 500);
    driftMin.setRange(-100000, 100000);
    driftMax.setRange(-100000, 100000);
    controller.setRangeBoxes(&start, &end, &driftMin, &driftMax);

    answer = Range{3, 5};
    item("miSelectByNumber")->trigger();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].first.minimum, 1);
    EXPECT_EQ(asked[0].first.maximum, 500);
    EXPECT_EQ(asked[0].first.value, 1);   // the start box's lower limit
    EXPECT_EQ(asked[0].second.minimum, 3);
    EXPECT_EQ(asked[0].second.value, 500); // the end box's upper limit
    EXPECT_EQ(item("miSelectByNumber")->text(), "по номеру: 3/5");
    EXPECT_TRUE(item("miSelectByNumber")->isChecked());
    EXPECT_EQ(clusters.selected(), QSet<int>({4}));
    EXPECT_EQ(selectionItemImage(11, controller.filters()), 1);

    // Cancelling keeps the previous range, caption and check mark.
    answer.reset();
    controller.clickSelectionItem(11);
    EXPECT_EQ(item("miSelectByNumber")->text(), "по номеру: 3/5");
    EXPECT_TRUE(item("miSelectByNumber")->isChecked());
    EXPECT_EQ(clusters.selected(), QSet<int>({4}));

    // Drift: the range compares the absolute drift.
    clusters.station(0, 1).status.setClockDrift(-30);
    clusters.station(1, 0).status.setClockDrift(30);
    answer = Range{10, 50};
    item("miSelectByFreqErr")->trigger();
    EXPECT_EQ(asked.last().first.value, -100000);
    EXPECT_EQ(asked.last().second.value, 100000);
    EXPECT_EQ(item("miSelectByFreqErr")->text(), "по уходу часов: 10/50");
    EXPECT_TRUE(clusters.selected().isEmpty()); // station 4 is in 3/5 but drifts 0
}

TEST_F(SelectionControllerTest, ResetClearsSelectionFiltersCaptionsAndImages) {
    answer = Range{1, 100};
    controller.selectByNumber();
    controller.clickSelectionItem(12); // charging
    controller.clickSelectionItem(3);
    clusters.station(0, 0).tile.checked = true;

    item("miUnselect")->trigger();
    EXPECT_TRUE(clusters.selected().isEmpty());
    EXPECT_FALSE(controller.filters().anyChecked());
    EXPECT_EQ(item("miSelectByNumber")->text(), "по номеру");
    EXPECT_FALSE(item("miSelectByNumber")->isChecked());
    EXPECT_FALSE(item("miStateCharging")->isChecked());
    EXPECT_FALSE(controller.miSelectByState->menuAction()->isChecked());
    for (int i = 1; i < kSelectionItemCount; ++i)
        EXPECT_GE(selectionItemImage(i, controller.filters()), 22) << i;
    EXPECT_EQ(summaries.last().selectedCaption, "Выбранных нет");
}

TEST_F(SelectionControllerTest, MenuHoldsEveryItemUnderItsName) {
    for (const char* name : {"miUnselect", "miSelectByNumber", "miSelectByFreqErr", "miCharge2", "miCharge1",
                             "miCharge0", "miPressure2", "miPressure0", "miFreeMem1", "miStateCharging",
                             "miStateNotGenCorrection"})
        EXPECT_NE(item(name), nullptr) << name;
    EXPECT_EQ(item("miStateNotGenCorrection")->text(), "НАСТРОЙКА ГЕН. не запущена");
    EXPECT_EQ(item("miPressure2")->text(), "101000 Па < x");
    EXPECT_EQ(controller.selectMenu()->title(), "Выбор");
}

TEST(SelFilterDialog, LeavingABoxLimitsTheOtherAndOnlyOkGivesARange) {
    TForm_SelFilter dialog;
    EXPECT_EQ(dialog.windowTitle(), "Ввод фильтра");
    dialog.prepare({1, 9999, 1}, {1, 9999, 9999});
    dialog.se_Beg->setValue(100);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(dialog.se_Beg, &out);
    EXPECT_EQ(dialog.se_End->minimum(), 100);
    dialog.se_End->setValue(300);
    QCoreApplication::sendEvent(dialog.se_End, &out);
    EXPECT_EQ(dialog.se_Beg->maximum(), 300);

    QTimer::singleShot(0, dialog.b_OK, &QPushButton::click);
    const auto range = dialog.ask({1, 500, 1}, {1, 500, 500});
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(*range, (Range{1, 500}));

    QTimer::singleShot(0, &dialog, &QDialog::reject);
    EXPECT_FALSE(dialog.ask({1, 500, 1}, {1, 500, 500}).has_value());
}
