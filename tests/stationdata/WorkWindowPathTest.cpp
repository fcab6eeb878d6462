// The station data window reached from the real work window: the table page's selection becomes the
// window's listing (stations as cluster position and number, not cell texts) and the command goes to
// exactly those stations; the work window's timers stand still while the window is open and the ones
// that ran before start again when it closes.

#include "stationdata/Unit_StationData.h"

#include "stationdata/CommandBodies.h"
#include "stationdata/Operation.h"
#include "stationdata/OperationsPage.h"
#include "work/StationDataBridge.h"
#include "work/Unit_Work.h"

#include "CommandFixture.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

namespace kalver::stationdata {
namespace {

class WorkWindowPathTest : public test::CommandFixture {
protected:
    WorkWindowPathTest() {
        program().accessLevel = AccessOperator;
        WorkWindowHooks hooks;
        hooks.pollTimer = [this] { return &poll; };
        hooks.stationDataVisible = [this] { return stationData.isVisible(); };
        work.setHooks(hooks);
        work.setOpenStationData([this](int page, int operation) { stationData.openForSelection(page, operation); });
        setWorkWindowBridge(&work.stationDataBridge());
        poll.setInterval(60000);
    }
    ~WorkWindowPathTest() override {
        stationData.close();
        setWorkWindowBridge(nullptr);
        program().accessLevel = AccessNone;
    }

    QList<test::ClientFrame> commands(Rack& rack) const {
        QList<test::ClientFrame> out;
        for (const test::ClientFrame& f : rack.cluster->frames())
            if (f.code() != 2)
                out.append(f);
        return out;
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = stationData.ts_StartStop->sg_StartStopStatus->item(row, column);
        return item ? item->text() : QString();
    }
    static int commandOf(int page, int operation) {
        for (int i = 0; i < work::kCommandCount; ++i)
            if (work::commands()[static_cast<std::size_t>(i)].page == page &&
                work::commands()[static_cast<std::size_t>(i)].operation == operation)
                return i;
        return -1;
    }

    QTimer poll; // stands for the connection window's Timer_NotCriticalMsgs
    TForm_Work work{list};
    TForm_StationData stationData{list};
};

TEST_F(WorkWindowPathTest, TheFirstThreeTableRowsAreTheStationsTheCommandGoesTo) {
    Rack& first = addRack({test::idleStation(11), test::idleStation(2), test::idleStation(7)});
    Rack& second = addRack({test::idleStation(9), test::idleStation(1)});
    work.enterWorkSession();
    poll.start();
    work.pc_ShowMode->setCurrentWidget(work.ts_Table);
    ASSERT_FALSE(work.Timer_StationAnim->isActive()) << "the tiles do not blink under the table page";
    work.table->refreshNow();
    work.table->se_SelectFirst->setValue(3); // "Выбрать первые 3": stations 1, 2 and 7 by number

    const int search = commandOf(page::Operations, op::Search);
    ASSERT_GE(search, 0);
    work.entryPoints->runCommand(search);

    ASSERT_TRUE(stationData.isVisible());
    EXPECT_FALSE(work.isEnabled());
    EXPECT_FALSE(poll.isActive());
    ASSERT_EQ(stationData.ts_StartStop->sg_StartStopStatus->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("2,7"));

    acknowledge(first, 7, {test::idleStation(11), test::idleStation(2), test::idleStation(7)});
    acknowledge(second, 7, {test::idleStation(9), test::idleStation(1)});
    stationData.ts_StartStop->b_StartStop->click();
    const QList<test::ClientFrame> toFirst = commands(first);
    const QList<test::ClientFrame> toSecond = commands(second);
    ASSERT_EQ(toFirst.size(), 1);
    ASSERT_EQ(toSecond.size(), 1);
    EXPECT_EQ(toFirst[0].code(), 7);
    EXPECT_EQ(toFirst[0].payload, stationListBody({2, 7}));
    EXPECT_EQ(toSecond[0].payload, stationListBody({1}));

    stationData.close();
    EXPECT_TRUE(work.isEnabled());
    EXPECT_TRUE(poll.isActive());
    EXPECT_FALSE(work.Timer_StationAnim->isActive()) << "still on the table page: the tiles stay still";
}

// On the container page the checked tiles are the selection; the blink timer stops while the window is
// open and runs again afterwards, and a poll that had stopped (no cluster in work) stays stopped.
TEST_F(WorkWindowPathTest, OnTheContainerPageTheCheckedTilesAreListedAndTheBlinkResumes) {
    Rack& rack = addRack({test::idleStation(4), test::idleStation(5), test::idleStation(6)});
    work.enterWorkSession();
    for (link::TKlvStation& s : list.at(rack.position).stations)
        s.tile.checked = s.number() != 5;
    ASSERT_TRUE(work.Timer_StationAnim->isActive());

    work.entryPoints->runCommand(commandOf(page::Operations, op::Search));
    ASSERT_TRUE(stationData.isVisible());
    EXPECT_FALSE(work.Timer_StationAnim->isActive());
    ASSERT_EQ(stationData.ts_StartStop->sg_StartStopStatus->rowCount(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("4,6"));

    stationData.close();
    EXPECT_TRUE(work.Timer_StationAnim->isActive());
    EXPECT_FALSE(poll.isActive());
}

} // namespace
} // namespace kalver::stationdata
