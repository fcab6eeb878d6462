// End to end against the real demonstration cluster: a cluster record of the link connected to the
// program on loopback, the subsystem page reading and writing a subsystem, and the file catalogue page
// listing a station's catalogue and making one file's range the download period.

#include "../demo/DemoProcess.h"
#include "ExaminationFixture.h"
#include "link/SendServerMessage.h"
#include "stationdata/CatalogueEntries.h"
#include "stationdata/FileCatalogPage.h"
#include "stationdata/FileListText.h"
#include "stationdata/OperationsPage.h"
#include "stationdata/Unit_StationData.h"
#include "stationdata/WorkWindowBridge.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::stationdata;
using kalver::test::waitUntil;

namespace {

constexpr int kStatusPoll = 2;

class DemoExaminationTest : public ::testing::Test {
protected:
    DemoExaminationTest() : messages(MessageAnswer::No) {
        program().accessLevel = AccessDeveloper;
        journal::startNewFile(program().journalFilePath);
        list.setObserver(&observer);
    }
    ~DemoExaminationTest() override {
        list.setObserver(nullptr);
        program().accessLevel = AccessNone;
    }

    void SetUp() override {
        // The client reads the same subsystem files as the program, from its own folder.
        QDirIterator files(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString source = files.next();
            const QString relative = QDir(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE)).relativeFilePath(source);
            QFile file(source);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            folder.write(QStringLiteral("Subsystems/") + relative, file.readAll());
        }
        ASSERT_TRUE(demo.start());
        cluster = list.create(QStringLiteral("127.0.0.1"), demo.rackPort(1), demo.syncPort());
        list.at(cluster).clusterConnection()->open();
        ASSERT_TRUE(waitUntil([this] { return list.at(cluster).clusterConnection()->isConnected(); }));
        link::SendServerMessage(list, cluster, true, kStatusPoll, true);
        ASSERT_TRUE(waitUntil([this] { return list.at(cluster).stationCount() > 0; }));
    }

    // The first station that may be asked for its catalogue and that has recorded files.
    const link::TKlvStation* idleStationWithFiles() const {
        for (const link::TKlvStation& s : list.at(cluster).stations) {
            const int registration = s.status.registrationState();
            if (!s.status.downloading() && registration != 1 && registration != 2 && s.status.fileCount() > 0)
                return &s;
        }
        return nullptr;
    }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
    test::PageObserver observer;
    link::ClusterList list;
    demo::test::DemoProcess demo;
    int cluster = -1;
};

// The work window's side of the station data window: every cluster is in work and shown, and the
// selection is the checked tiles.
class TileSelection : public WorkWindowBridge {
public:
    bool tableShown() const override { return false; }
    bool clusterInWork(const link::TKlvRack&) const override { return true; }
    bool rackVisible(const link::TKlvRack&) const override { return true; }
    bool stationSelected(const link::TKlvStation& station) const override { return station.tile.checked; }
    void suspendWorkSession() override {}
    void resumeWorkSession() override {}
};

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

int rowNamed(const QTableWidget* grid, const QString& name) {
    for (int r = 0; r < grid->rowCount(); ++r)
        if (cellText(grid, r, 0) == name)
            return r;
    return -1;
}

} // namespace

TEST_F(DemoExaminationTest, ReadsAndWritesASubsystemOfAStation) {
    const std::int32_t number = list.at(cluster).station(0).number();
    TForm_SmallTable table;
    SubsystemPage page;
    page.setSmallTableWindow(&table);
    observer.page = &page;
    observer.table = &table;
    page.show();
    page.loadSubsystemList(list, cluster, number);
    ASSERT_EQ(page.cb_SubsystemType->count(), 7);

    const int interfaceItem = page.cb_SubsystemType->findText(QStringLiteral("0032352020376D71\\интерфейса.sub"));
    ASSERT_GE(interfaceItem, 0);
    page.cb_SubsystemType->setCurrentIndex(interfaceItem);
    page.tb_ParamReload->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.codes().join(u',').toStdString();
    ASSERT_TRUE(page.tb_ParamSave->isEnabled());
    const QTableWidget* grid = page.sg_StationParams;
    EXPECT_EQ(cellText(grid, rowNamed(grid, QStringLiteral("Версия ПО интерфейса")), 5), QStringLiteral("207"));
    const int address = rowNamed(grid, QStringLiteral("Адрес в сети стойки"));
    ASSERT_GE(address, 0);
    EXPECT_EQ(cellText(grid, address, 5), QStringLiteral("0000001A"));

    page.sg_StationParams->item(address, 6)->setText(QStringLiteral("2B"));
    page.tb_ParamSave->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).text, QStringLiteral("Данные подсистемы успешно записаны в Станцию!"));
    EXPECT_EQ(cellText(grid, address, 5), QStringLiteral("2B"));

    // The station keeps the value: a new read shows it as the cluster sends it.
    messages.clear();
    page.tb_ParamReload->click();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(cellText(grid, address, 5), QStringLiteral("0000002B"));

    // A value below the row's minimum is caught before anything is sent (e057).
    page.sg_StationParams->item(rowNamed(grid, QStringLiteral("Период опроса угломера, с")), 6)->setText(QStringLiteral("0"));
    page.tb_ParamSave->click();
    EXPECT_EQ(messages.codes(), QStringList{"e057"});
}

TEST_F(DemoExaminationTest, ListsAStationsCatalogueAndMakesAFilesRangeTheDownloadPeriod) {
    const link::TKlvStation* station = idleStationWithFiles();
    ASSERT_NE(station, nullptr);
    const std::int32_t number = station->number();
    FileCatalogPage page;
    page.show();
    page.setStation(list, cluster, number);
    page.tb_ShowData->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.codes().join(u',').toStdString();
    ASSERT_TRUE(page.rg_SelectedFile->isEnabled());

    const link::TKlvRack& rack = list.at(cluster);
    int valid = -1;
    for (int j = 0; j < link::kFileViewEntries && valid < 0; ++j)
        if (rack.fileViews[j] && rack.fileViews[j]->valid != 0)
            valid = j;
    ASSERT_GE(valid, 0);
    const link::FileViewEntry entry = *rack.fileViews[valid];
    EXPECT_EQ(page.fileButtons->button(valid)->text(), fileItemText(entry));
    EXPECT_NE(page.fileButtons->button(valid)->text(), QStringLiteral("Файл удален"));

    QSignalSpy period(&page, &FileCatalogPage::downloadPeriodChosen);
    page.fileButtons->button(valid)->click();
    ASSERT_EQ(period.count(), 1);
    EXPECT_EQ(period[0][0].toDateTime(), fileBegin(entry));
    EXPECT_EQ(period[0][1].toDateTime(), fileEnd(entry));
    EXPECT_LT(fileBegin(entry), fileEnd(entry));
    EXPECT_TRUE(rack.receivedChunks.isEmpty());
}

TEST_F(DemoExaminationTest, TheStationDataWindowExaminesAStationOnItsPages) {
    const link::TKlvStation* chosen = idleStationWithFiles();
    ASSERT_NE(chosen, nullptr);
    const std::int32_t number = chosen->number();
    for (link::TKlvStation& s : list.at(cluster).stations)
        s.tile.checked = s.number() == number;
    TileSelection bridge;
    setWorkWindowBridge(&bridge);
    TForm_StationData window(list);
    list.setObserver(&window.linkObserver());

    // Page 3: the station's subsystems, read and written.
    window.openForSelection(page::Subsystems, 4);
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.cbServer->currentText(), QStringLiteral("1"));
    EXPECT_EQ(window.cbStation->currentText(), QString::number(number));
    SubsystemPage& subsystems = *window.subsystems;
    ASSERT_EQ(subsystems.cb_SubsystemType->count(), 7);
    subsystems.cb_SubsystemType->setCurrentIndex(
        subsystems.cb_SubsystemType->findText(QStringLiteral("0032352020376D71\\питания.sub")));
    subsystems.tb_ParamReload->click();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.codes().join(u',').toStdString();
    const QTableWidget* grid = subsystems.sg_StationParams;
    EXPECT_EQ(cellText(grid, rowNamed(grid, QStringLiteral("Заряд батареи, %")), 5), QString::number(chosen->status.chargeLevel()));
    const int threshold = rowNamed(grid, QStringLiteral("Порог отключения, В"));
    ASSERT_GE(threshold, 0);
    subsystems.sg_StationParams->item(threshold, 6)->setText(QStringLiteral("6.25"));
    subsystems.tb_ParamSave->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).text, QStringLiteral("Данные подсистемы успешно записаны в Станцию!"));
    messages.clear();
    subsystems.tb_ParamReload->click();
    EXPECT_EQ(cellText(grid, threshold, 5), QStringLiteral("6.25"));

    // Page 1: the station's catalogue is asked for on the way in; a file's range becomes the download
    // period of page 0 and its quick entry.
    window.pc_ControlMode->setCurrentIndex(page::StationInfo);
    ASSERT_TRUE(waitUntil([&] { return window.fileCatalog->rg_SelectedFile->isEnabled(); }));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.codes().join(u',').toStdString();
    const link::TKlvRack& rack = list.at(cluster);
    int valid = -1;
    for (int j = 0; j < link::kFileViewEntries && valid < 0; ++j)
        if (rack.fileViews[j] && rack.fileViews[j]->valid != 0)
            valid = j;
    ASSERT_GE(valid, 0);
    const link::FileViewEntry entry = *rack.fileViews[valid];
    window.fileCatalog->fileButtons->button(valid)->click();
    const OperationsPage& operations = *window.ts_StartStop;
    EXPECT_EQ(operations.dtp_Dwnl_BegDate->date(), fileBegin(entry).date());
    EXPECT_EQ(operations.dtp_Dwnl_BegTime->time(), fileBegin(entry).time());
    EXPECT_EQ(operations.dtp_Dwnl_EndDate->date(), fileEnd(entry).date());
    EXPECT_EQ(operations.dtp_Dwnl_EndTime->time(), fileEnd(entry).time());
    EXPECT_TRUE(operations.me_SpeedDT->text().contains(fileBegin(entry).time().toString(QStringLiteral("HH:mm:ss"))));

    window.close();
    list.setObserver(&observer);
    setWorkWindowBridge(nullptr);
}
