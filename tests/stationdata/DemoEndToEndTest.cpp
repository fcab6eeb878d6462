// End to end against the real demonstration cluster: the work window and the station data window over
// the program's own sockets. Three stations in two racks are selected on their tiles, registration is
// started through the work window's command and "Выполнить", the tiles and the station table show them
// registering, and they are stopped again the same way.

#include "stationdata/OperationsPage.h"
#include "stationdata/TChannelSettings.h"
#include "stationdata/Unit_StationData.h"

#include "core/ByteWriter.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "link/SendServerMessage.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"
#include "work/StationTableModel.h"
#include "work/EntryPoints.h"
#include "work/TablePage.h"
#include "work/TileFrame.h"
#include "work/StationDataBridge.h"
#include "work/Unit_Work.h"

#include "DemoProcess.h"
#include "WireClient.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>

namespace kalver::stationdata {
namespace {

using demo::test::waitUntil;

struct Chosen {
    int cluster;
    std::int32_t number;
};

class DemoEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        program().accessLevel = AccessOperator;
        setWaitStepMs(50);
        ASSERT_TRUE(demo.start());
        control = std::make_unique<demo::test::ControlClient>(demo.controlPort());
        for (int rack = 1; rack <= 2; ++rack) {
            const int c = list.create(QStringLiteral("127.0.0.1"), demo.rackPort(rack), demo.syncPort());
            auto* box = new QCheckBox;
            box->setChecked(true);
            list.at(c).connectionCheckBox = box;
            list.at(c).clusterConnection()->open();
            list.at(c).syncConnection()->open();
        }
        work = std::make_unique<TForm_Work>(list);
        list.setObserver(&work->observer());
        stationData = std::make_unique<TForm_StationData>(list);
        work->setStationDataObserver(&stationData->linkObserver());
        work->setOpenStationData([this](int page, int operation) { stationData->openForSelection(page, operation); });
        WorkWindowHooks hooks;
        hooks.stationDataVisible = [this] { return stationData->isVisible(); };
        work->setHooks(hooks);
        setWorkWindowBridge(&work->stationDataBridge());
        ASSERT_TRUE(waitUntil([this] {
            return list.at(0).clusterConnection()->isConnected() && list.at(1).clusterConnection()->isConnected() &&
                   list.at(0).syncConnection()->isConnected() && list.at(1).syncConnection()->isConnected();
        }));
        for (int c = 0; c < 2; ++c)
            link::SendServerMessage(list, c, true, 1, true, ByteWriter().putI32(AccessOperator).take());
        ASSERT_TRUE(poll([this] { return list.at(0).stationCount() == 6 && list.at(1).stationCount() == 6; }));
    }

    void TearDown() override {
        setWorkWindowBridge(nullptr);
        list.setObserver(nullptr);
        work->setStationDataObserver(nullptr);
        stationData.reset();
        work.reset();
        list.clear();
        setWaitStepMs(kWaitStepMs);
        program().accessLevel = AccessNone;
    }

    // Polls both racks until `done` holds.
    bool poll(const std::function<bool()>& done) {
        return waitUntil([&] {
            for (int c = 0; c < list.count(); ++c)
                link::SendServerMessage(list, c, true, 2, true);
            return waitUntil(done, 300);
        }, 15000);
    }

    link::TKlvStation& station(const Chosen& s) {
        link::TKlvRack& rack = list.at(s.cluster);
        return rack.station(rack.findStation(s.number));
    }

    bool allRegistering(bool registering) {
        for (const Chosen& s : chosen)
            if (station(s).isRegistering() != registering)
                return false;
        return true;
    }

    // The station table's status column of `s`.
    QString tableStatus(const Chosen& s) const {
        const work::StationTableModel* model = work->table->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, 0).data().toInt() == s.number && model->index(row, 1).data().toInt() == s.cluster + 1)
                return model->index(row, 9).data().toString();
        return QString();
    }

    // Runs the selected stations' command `command` through the work window and "Выполнить".
    void carryOut(int command, int rows) {
        work->entryPoints->runCommand(command);
        ASSERT_TRUE(stationData->isVisible());
        OperationsPage& page = *stationData->ts_StartStop;
        ASSERT_EQ(page.sg_StartStopStatus->rowCount(), rows);
        if (command == work::operation::RegStart && !page.b_StartStop->isEnabled())
            for (int j = 0; j < 16; ++j)
                if (TChannelSettings* box = page.channelBox(j)) {
                    box->cb_Use->click();
                    break;
                }
        ASSERT_TRUE(page.b_StartStop->isEnabled());
        messages.clear();
        page.b_StartStop->click();
        ASSERT_FALSE(messages.shown().isEmpty());
        EXPECT_EQ(messages.shown().last().text, QStringLiteral("Операция завершена")) << messages.codes().join(',').toStdString();
        stationData->close();
    }

    test::ScratchFolder scratch;
    test::MessageRecorder messages{MessageAnswer::No};
    demo::test::DemoProcess demo;
    std::unique_ptr<demo::test::ControlClient> control;
    link::ClusterList list;
    std::unique_ptr<TForm_Work> work;
    std::unique_ptr<TForm_StationData> stationData;
    QList<Chosen> chosen;
};

TEST_F(DemoEndToEndTest, ThreeStationsInTwoRacksStartRegisteringAndStopAgain) {
    // Two stations of rack 1 and one of rack 2, made ready for a start.
    chosen = {{0, list.at(0).station(0).number()}, {0, list.at(0).station(3).number()},
              {1, list.at(1).station(1).number()}};
    for (const Chosen& s : chosen) {
        const QString rack = QStringLiteral("rack %1 ").arg(s.cluster + 1);
        ASSERT_EQ(control->command(rack + QStringLiteral("set %1 registration 0").arg(s.number)), QStringList{"ok"});
        ASSERT_EQ(control->command(rack + QStringLiteral("set %1 charge 90").arg(s.number)), QStringList{"ok"});
    }
    ASSERT_TRUE(poll([this] { return allRegistering(false) && station(chosen[2]).status.chargeLevel() == 90; }));

    work->enterWorkSession();
    work->show();
    for (const Chosen& s : chosen)
        work->clickTile(s.cluster, list.at(s.cluster).findStation(s.number));

    carryOut(work::operation::RegStart, 2);
    EXPECT_TRUE(allRegistering(true));
    work->blinkTick();
    for (const Chosen& s : chosen)
        EXPECT_GE(work::tileFrameParts(station(s).tile.frame).registrationMarks, 1) << s.number;
    work->pc_ShowMode->setCurrentWidget(work->ts_Table);
    QCoreApplication::processEvents();
    for (const Chosen& s : chosen)
        EXPECT_TRUE(tableStatus(s).contains(QStringLiteral("рег+ /"))) << tableStatus(s).toStdString();

    work->pc_ShowMode->setCurrentWidget(work->ts_Racks);
    carryOut(work::operation::RegStop, 2);
    EXPECT_TRUE(allRegistering(false));
    work->blinkTick();
    for (const Chosen& s : chosen)
        EXPECT_EQ(work::tileFrameParts(station(s).tile.frame).registrationMarks, 0) << s.number;
    work->pc_ShowMode->setCurrentWidget(work->ts_Table);
    QCoreApplication::processEvents();
    for (const Chosen& s : chosen)
        EXPECT_TRUE(tableStatus(s).contains(QStringLiteral("рег- /"))) << tableStatus(s).toStdString();
}

} // namespace
} // namespace kalver::stationdata
