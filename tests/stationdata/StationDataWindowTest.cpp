// The station data window over fake clusters on loopback: what Open for selection lists and warns
// about, the channel groups through their controls, the operation choice, the inputs file kept by the
// window, "Выполнить" with the wait dialog, and the waits that neither nest nor outlive the window.

#include "stationdata/Unit_StationData.h"

#include "config/TextTables.h"
#include "dialogs/Unit_Timeout.h"
#include "stationdata/OperationsPage.h"
#include "stationdata/RadioGroup.h"
#include "stationdata/StationDataInputs.h"
#include "stationdata/TChannelSettings.h"
#include "stationdata/TrayBalloon.h"

#include "CommandFixture.h"
#include "examination/CatalogueBytes.h"
#include "stationdata/ChargeCurvesPage.h"
#include "stationdata/FileCatalogPage.h"
#include "support/ModalBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDateEdit>
#include <QTimeEdit>
#include <QToolButton>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>

namespace kalver::stationdata {
namespace {

class CountingBridge : public WorkWindowBridge {
public:
    void suspendWorkSession() override { ++suspended; }
    void resumeWorkSession() override { ++resumed; }
    int suspended = 0;
    int resumed = 0;
};

class StationDataWindowTest : public test::CommandFixture {
protected:
    StationDataWindowTest() { setWorkWindowBridge(&bridge); }
    ~StationDataWindowTest() override {
        delete window;
        setWorkWindowBridge(nullptr);
        program().accessLevel = AccessNone;
    }

    TForm_StationData& makeWindow() {
        delete window;
        window = new TForm_StationData(list);
        return *window;
    }

    // Checks the tiles of `numbers` in the rack at `position`.
    void select(int position, const QList<std::int32_t>& numbers) {
        for (link::TKlvStation& s : list.at(position).stations)
            s.tile.checked = numbers.contains(s.number());
    }

    QString cell(int row, int column) const {
        const QTableWidgetItem* item = window->ts_StartStop->sg_StartStopStatus->item(row, column);
        return item ? item->text() : QString();
    }

    static QStringList items(const QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out.append(box->itemText(i));
        return out;
    }

    static link::StatusBlock registering(std::int32_t number) {
        link::StatusBlock b = test::idleStation(number);
        b.setRegistrationState(1);
        return b;
    }

    QList<test::ClientFrame> commands(Rack& rack) const {
        QList<test::ClientFrame> out;
        for (const test::ClientFrame& f : rack.cluster->frames())
            if (f.code() != 2)
                out.append(f);
        return out;
    }

    OperationsPage& page() const { return *window->ts_StartStop; }

    CountingBridge bridge;
    TForm_StationData* window = nullptr;
};

TEST_F(StationDataWindowTest, StartListsTheAdmittedStationsPerClusterAndPausesTheWorkWindow) {
    link::StatusBlock low = test::idleStation(3);
    low.setChargeLevel(10);
    addRack({test::idleStation(12), low, test::idleStation(5), registering(4)});
    addRack({test::idleStation(8)});
    select(0, {12, 3, 5, 4});
    select(1, {8});
    makeWindow().openForSelection(page::Operations, 0);

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(bridge.suspended, 1);
    EXPECT_EQ(window->pc_ControlMode->currentIndex(), page::Operations);
    EXPECT_EQ(page().rg_OpMode->itemIndex(), 0);
    EXPECT_FALSE(page().gb_StartSettings->isHidden());
    EXPECT_TRUE(page().gb_DownloadTime->isHidden());
    EXPECT_TRUE(window->tb_RackTurt->isHidden());
    ASSERT_EQ(page().sg_StartStopStatus->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("5,12"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("8"));
    EXPECT_EQ(cell(0, 2), QString());
    EXPECT_EQ(items(window->cbServer), (QStringList{"1", "2"}));
    EXPECT_EQ(window->tray->shownCount(), 0) << "a station with charge 10 is refused silently";
    EXPECT_FALSE(page().b_StartStop->isEnabled()) << "no channel in use yet";
    page().channelBox(0)->cb_Use->click();
    EXPECT_TRUE(page().b_StartStop->isEnabled());

    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(bridge.resumed, 1);
}

TEST_F(StationDataWindowTest, CriticalErrorsAndDifferentChannelsAreNamedInTheBalloon) {
    link::StatusBlock critical = test::idleStation(9);
    critical.setRecorderErrors(0x2);
    addRack({test::idleStation(1, {0, 1, 2}), test::idleStation(2, {0, 1}), critical});
    select(0, {1, 2, 9});
    makeWindow().openForSelection(page::Operations, 0);

    EXPECT_EQ(window->tray->lastTitle(), QStringLiteral("Внимание!"));
    EXPECT_EQ(window->tray->lastText(),
              QStringLiteral("Станции имеют различную конфигурацию каналов! Различаются:\n - число каналов\n"
                             "\nСледующие Станции не допущены к запуску, т.к. имеют критические ошибки в работе:\n9\n"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("1,2"));
    EXPECT_NE(page().channelBox(0), nullptr);
    EXPECT_NE(page().channelBox(1), nullptr);
    EXPECT_EQ(page().channelBox(2), nullptr) << "not every station has channel 2";
    ASSERT_FALSE(observer.lines.isEmpty()) << "without a notification area the text goes to the log";
    EXPECT_TRUE(observer.lines.last().text.contains(QStringLiteral("критические ошибки")));
}

TEST_F(StationDataWindowTest, CommonChannelSettingsPropagateAndSeparateOnesDoNot) {
    addRack({test::idleStation(1, {0, 1, 2})});
    select(0, {1});
    makeWindow().openForSelection(page::Operations, 0);
    for (int j = 0; j < 3; ++j)
        page().channelBox(j)->cb_Use->click();
    ASSERT_TRUE(page().channelBox(0)->cb_Use->isChecked());

    page().rg_ChannelSetType->button(0)->click(); // "Общие"
    page().channelBox(1)->cb_Mode->setCurrentIndex(2);
    for (int j = 0; j < 3; ++j)
        EXPECT_EQ(page().channelBox(j)->cb_Mode->currentIndex(), 2) << j;

    page().channelBox(2)->cb_Use->click(); // channel 2 no longer used: left alone
    page().channelBox(0)->cb_Gain->setCurrentIndex(3);
    EXPECT_EQ(page().channelBox(1)->cb_Gain->currentIndex(), 3);
    EXPECT_EQ(page().channelBox(2)->cb_Gain->currentIndex(), 0);
    EXPECT_FALSE(page().channelBox(2)->cb_Mode->isEnabled());

    page().rg_ChannelSetType->button(1)->click(); // "Раздельные"
    page().channelBox(1)->cb_Mode->setCurrentIndex(3);
    EXPECT_EQ(page().channelBox(0)->cb_Mode->currentIndex(), 2);
    EXPECT_EQ(page().channelBox(1)->cb_Mode->currentIndex(), 3);
}

TEST_F(StationDataWindowTest, GainLimitsAndExecuteFollowTheChannelGroups) {
    link::StatusBlock station = test::idleStation(1, {0, 1}, {0, 1});
    station.setPreampGainByte(2, 0, 255); // preamplifier gain 4 not offered on channel 0
    addRack({station});
    select(0, {1});
    makeWindow().openForSelection(page::Operations, 0);
    page().rg_ChannelSetType->button(1)->click();
    TChannelSettings& ch0 = *page().channelBox(0);
    TChannelSettings& ch1 = *page().channelBox(1);
    ch0.cb_Use->click();
    EXPECT_TRUE(page().b_StartStop->isEnabled());

    ch0.cb_PreampGain->setCurrentIndex(3);
    ch0.cb_Gain->setCurrentIndex(6);
    EXPECT_EQ(ch0.cb_PreampGain->currentIndex(), 0) << "gain 64 forces preamplifier gain 1";
    ch0.cb_PreampGain->setCurrentIndex(4);
    EXPECT_EQ(ch0.cb_Gain->currentIndex(), 2);
    EXPECT_EQ(ch0.cb_PreampGain->itemText(2), QString());
    EXPECT_EQ(ch0.cb_PreampGain->itemText(4), QStringLiteral("16"));

    // The preamplifier on an empty gain item keeps "Выполнить" disabled.
    ch0.cb_PreampGain->setCurrentIndex(2);
    ch0.cb_Preamp->click();
    EXPECT_TRUE(ch0.cb_Preamp->isChecked());
    EXPECT_FALSE(page().b_StartStop->isEnabled());
    ch0.cb_PreampGain->setCurrentIndex(1);
    EXPECT_TRUE(page().b_StartStop->isEnabled());

    // No channel in use keeps it disabled too.
    ch0.cb_Use->click();
    EXPECT_FALSE(ch1.cb_Use->isChecked());
    EXPECT_FALSE(page().b_StartStop->isEnabled());
}

TEST_F(StationDataWindowTest, ChoosingAnOperationRelistsAndAppliesItsModeAndInclinometerRule) {
    addRack({test::idleStation(1), registering(2)});
    select(0, {1, 2});
    makeWindow().openForSelection(page::Operations, 0);
    page().channelBox(0)->cb_Use->click();
    EXPECT_EQ(cell(0, 1), QStringLiteral("1"));

    page().rg_OpMode->button(9)->click(); // sensor test
    EXPECT_EQ(page().channelBox(0)->cb_Mode->currentIndex(), 2);
    EXPECT_TRUE(page().channelBox(0)->cb_Use->isChecked()) << "the operator's choice survives the refill";

    page().rg_OpMode->button(11)->click(); // inclinometer calibration
    EXPECT_FALSE(page().cb_UseInclin->isChecked());
    EXPECT_FALSE(page().cb_UseInclin->isEnabled());
    EXPECT_FALSE(page().gb_InclinSettings->isEnabled());
    page().rg_OpMode->button(0)->click();
    EXPECT_TRUE(page().cb_UseInclin->isChecked());
    EXPECT_TRUE(page().cb_UseInclin->isEnabled());
    EXPECT_EQ(page().channelBox(0)->cb_Mode->currentIndex(), 0);

    page().rg_OpMode->button(1)->click(); // stop registration lists the registering station too
    EXPECT_EQ(cell(0, 1), QStringLiteral("1,2"));
    EXPECT_TRUE(page().gb_StartSettings->isHidden());
    page().rg_OpMode->button(2)->click();
    EXPECT_FALSE(page().gb_DownloadTime->isHidden());
    EXPECT_EQ(cell(0, 1), QStringLiteral("1"));
}

TEST_F(StationDataWindowTest, PagesOneAndThreeListEveryStationWithTheChoosers) {
    link::StatusBlock faulty = registering(7);
    faulty.setInterfaceErrors(0x2);
    // The clusters refuse the file catalogue requests of page 1 at once.
    addRack({faulty, test::idleStation(3)}).cluster->answer(5, test::frames::refusal(105));
    addRack({test::idleStation(20), test::idleStation(11)}).cluster->answer(5, test::frames::refusal(105));
    select(0, {7, 3});
    select(1, {20, 11});
    makeWindow().openForSelection(page::StationInfo, 0);

    EXPECT_EQ(window->pc_ControlMode->currentIndex(), page::StationInfo);
    EXPECT_FALSE(window->tb_RackTurt->isHidden());
    EXPECT_EQ(cell(0, 1), QStringLiteral("3,7"));
    EXPECT_EQ(items(window->cbStation), (QStringList{"3", "7"}));
    EXPECT_TRUE(window->Memo_StationErrors->toPlainText().startsWith(QStringLiteral("Ошибки работы Станции")));

    window->cbServer->setCurrentIndex(1);
    emit window->cbServer->activated(1);
    EXPECT_EQ(items(window->cbStation), (QStringList{"11", "20"}));

    window->cbServer->setCurrentIndex(0);
    emit window->cbServer->activated(0);
    window->cbStation->setCurrentIndex(1);
    emit window->cbStation->activated(1);
    EXPECT_TRUE(window->Memo_StationErrors->toPlainText().contains(kalver::texts::interfaceErrors().at(1)));
    window->close();

    program().accessLevel = AccessDeveloper;
    window->openForSelection(page::Subsystems, 0);
    EXPECT_TRUE(window->pc_ControlMode->isTabVisible(page::Subsystems));
    EXPECT_FALSE(window->tb_RackTurt->isHidden());
    program().accessLevel = AccessOperator;
    window->close();
    window->openForSelection(page::Operations, 4);
    EXPECT_FALSE(window->pc_ControlMode->isTabVisible(page::Subsystems));
    EXPECT_TRUE(window->tb_RackTurt->isHidden());
}

TEST_F(StationDataWindowTest, AnImpossibleChannelByteClosesTheWindow) {
    link::StatusBlock broken = test::idleStation(2);
    broken.setPreampPresentByte(1, 3);
    addRack({test::idleStation(1), broken});
    select(0, {1, 2});
    makeWindow().openForSelection(page::Operations, 0);
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Ошибка в содержимом настроек каналов - Сервер прислал "
                                                       "недостоверную информацию. Сообщите разработчикам."));
    EXPECT_EQ(bridge.resumed, 1) << "the close restores the work window";
}

TEST_F(StationDataWindowTest, TheInputsSurviveTheWindowInSettingsStD) {
    addRack({test::idleStation(1, {0, 1})});
    select(0, {1});
    makeWindow().openForSelection(page::Operations, 0);
    page().cb_Freq->setCurrentIndex(2);
    page().cb_Now->click();
    page().se_InclinStep->setValue(77);
    page().cb_InclinOnce->click();
    page().dtp_BeginRegTime->setTime(QTime(10, 20, 30));
    page().dtp_BeginRegDate->setDate(QDate(2024, 5, 6));
    page().rg_ChannelSetType->button(1)->click();
    page().channelBox(1)->cb_Use->click();
    page().channelBox(1)->cb_Gain->setCurrentIndex(4);
    window->close();

    const QByteArray bytes = scratch.read(QStringLiteral("settings_StD.ini"));
    ASSERT_EQ(bytes.size(), 92 + 80);
    EXPECT_EQ(bytes.mid(92 + 5, 5), QByteArray::fromHex("0104000000"));

    makeWindow();
    EXPECT_EQ(page().cb_Freq->currentIndex(), 2);
    EXPECT_FALSE(page().cb_Now->isChecked());
    EXPECT_TRUE(page().dtp_BeginRegTime->isEnabled());
    EXPECT_EQ(page().se_InclinStep->value(), 77);
    EXPECT_FALSE(page().se_InclinStep->isEnabled());
    EXPECT_EQ(page().dtp_BeginRegDate->date(), QDate(2024, 5, 6));
    EXPECT_EQ(page().dtp_BeginRegTime->time(), QTime(10, 20, 30));
    EXPECT_EQ(page().rg_ChannelSetType->itemIndex(), 1);
    window->openForSelection(page::Operations, 0);
    EXPECT_TRUE(page().channelBox(1)->cb_Use->isChecked());
    EXPECT_EQ(page().channelBox(1)->cb_Gain->currentIndex(), 4);
    EXPECT_FALSE(page().channelBox(0)->cb_Use->isChecked());

    // Opened for an operation without channel groups: the count 16 and nothing after it.
    window->close();
    window->openForSelection(page::Operations, 1);
    window->close();
    EXPECT_EQ(scratch.read(QStringLiteral("settings_StD.ini")).size(), 92);
}

TEST_F(StationDataWindowTest, TheQuickEntryFollowsThePickersAndTheTyping) {
    addRack({test::idleStation(1)});
    select(0, {1});
    makeWindow().openForSelection(page::Operations, 2);
    page().dtp_Dwnl_EndDate->setDate(QDate(2021, 7, 8));
    EXPECT_EQ(page().me_SpeedDT->displayText().mid(36), QStringLiteral("08.07.2021"));

    page().me_SpeedDT->setFocus();
    page().me_SpeedDT->home(false);
    QTest::keyClicks(page().me_SpeedDT, QStringLiteral("100000010220191200000102201"));
    QTest::keyClick(page().me_SpeedDT, Qt::Key_9);
    EXPECT_EQ(page().me_SpeedDT->displayText(), QStringLiteral("с 10:00:00  01.02.2019 по 12:00:00  01.02.2019"));
    EXPECT_EQ(page().dtp_Dwnl_BegTime->time(), QTime(10, 0));
    EXPECT_EQ(page().dtp_Dwnl_BegDate->date(), QDate(2019, 2, 1));
    EXPECT_EQ(page().dtp_Dwnl_EndTime->time(), QTime(12, 0));
    EXPECT_EQ(page().dtp_Dwnl_EndDate->date(), QDate(2019, 2, 1));

    page().refreshQuickEntry();
    EXPECT_EQ(page().me_SpeedDT->displayText(), QStringLiteral("с 10:00:00  01.02.2019 по 12:00:00  01.02.2019"));
}

TEST_F(StationDataWindowTest, ExecuteSendsWaitsSummarisesAndRefills) {
    Rack& rack = addRack({test::idleStation(5), test::idleStation(12)});
    select(0, {5, 12});
    makeWindow().openForSelection(page::Operations, 0);
    page().channelBox(0)->cb_Use->click();
    acknowledge(rack, 3, {registering(5), registering(12)});
    int waitsShown = 0;
    QObject::connect(window->timeoutDialog(), &TForm_Timeout::shownForWait, [&] {
        ++waitsShown;
        EXPECT_FALSE(window->pc_ControlMode->isEnabled()) << "the window is disabled while it waits";
    });

    page().b_StartStop->click();

    ASSERT_EQ(commands(rack).size(), 1);
    EXPECT_EQ(commands(rack)[0].code(), 3);
    EXPECT_EQ(waitsShown, 1);
    EXPECT_FALSE(window->timeoutDialog()->isVisible());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Операция завершена"));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(page().sg_StartStopStatus->rowCount(), 0) << "registering stations are no longer listed for a start";
    EXPECT_FALSE(page().b_StartStop->isEnabled());
    EXPECT_TRUE(window->pc_ControlMode->isEnabled());
}

TEST_F(StationDataWindowTest, TheWaitDialogsButtonEndsTheWaitWithinOneStep) {
    test::RecordingObserver programLog(link::clusters());
    addRack({test::idleStation(5)});
    select(0, {5});
    makeWindow().openForSelection(page::Operations, 5);
    messages.script({MessageAnswer::Yes, MessageAnswer::No});
    TForm_Timeout* dialog = window->timeoutDialog();
    QObject::connect(dialog, &TForm_Timeout::shownForWait, dialog, [dialog] { dialog->b_TimeoutStop->click(); });

    page().b_StartStop->click();

    EXPECT_LE(window->lastWaitSteps(), 1);
    EXPECT_EQ(messages.codes(), (QStringList{"e064", "e044", program().applicationTitle}));
    EXPECT_EQ(messages.shown()[2].text, QStringLiteral("Операция выполнена не всеми Станциями (см. лог)"));
    ASSERT_FALSE(programLog.lines.isEmpty());
    EXPECT_EQ(programLog.lines.last().text, QStringLiteral("Ожидание подтверждения прервано по запросу Оператора!"));
    EXPECT_EQ(window->tray->lastText(), QStringLiteral("Ожидание подтверждения прервано по запросу Оператора!"));
}

TEST_F(StationDataWindowTest, ASecondCommandCannotStartDuringAWait) {
    Rack& rack = addRack({test::idleStation(5)});
    select(0, {5});
    makeWindow().openForSelection(page::Operations, 4);
    bool tried = false;
    QObject::connect(window->timeoutDialog(), &TForm_Timeout::shownForWait, window, [&] {
        if (tried)
            return;
        tried = true;
        EXPECT_TRUE(window->operationRunning());
        window->openForSelection(page::Operations, 14);
        emit page().b_StartStop->clicked();
        page().chooseOperation(14); // the fill it asks for waits for the operation's end
        window->timeoutDialog()->b_TimeoutStop->click();
    });

    page().b_StartStop->click();

    ASSERT_TRUE(tried);
    EXPECT_EQ(commands(rack).size(), 1);
    EXPECT_EQ(commands(rack)[0].code(), 7);
    EXPECT_EQ(messages.codes().first(), QStringLiteral("e043"));
    EXPECT_FALSE(window->operationRunning());
}

TEST_F(StationDataWindowTest, ClosingTheWindowDuringAWaitEndsItCleanly) {
    Rack& rack = addRack({test::idleStation(5)});
    addRack({test::idleStation(6)});
    select(0, {5});
    select(1, {6});
    makeWindow().openForSelection(page::Operations, 12);
    QObject::connect(window->timeoutDialog(), &TForm_Timeout::shownForWait, window, [this] { window->close(); });

    page().b_StartStop->click();

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->timeoutDialog()->isVisible());
    EXPECT_FALSE(window->operationRunning());
    EXPECT_TRUE(messages.shown().isEmpty()) << "no prompt and no summary after the window closed";
    EXPECT_EQ(commands(rack).size(), 1);
    EXPECT_TRUE(commands(*racks[1]).isEmpty());
    EXPECT_EQ(bridge.resumed, 1);
    EXPECT_TRUE(QFile::exists(TForm_StationData::inputsFilePath()));
    EXPECT_LE(window->lastWaitSteps(), 1);
}

// Page 2 shows at every access level, its chart empty below level 3; page 3 only to developers, also
// after a developer's log-in was followed by a lower one.
TEST_F(StationDataWindowTest, TheChargeCurvesPageShowsAtEveryLevelAndTheSubsystemsPageOnlyToDevelopers) {
    addRack({test::idleStation(5)});
    select(0, {5});
    makeWindow();
    for (int level : {AccessDeveloper, AccessMnemo, AccessOperator, AccessAdmin, AccessDeveloper}) {
        SCOPED_TRACE(level);
        program().accessLevel = level;
        window->setDeveloperPages(level == AccessDeveloper); // the log-in's developer items
        window->openForSelection(page::ChargeCurves, 4);
        ASSERT_TRUE(window->isVisible());
        EXPECT_TRUE(window->pc_ControlMode->isTabVisible(page::ChargeCurves));
        EXPECT_EQ(window->pc_ControlMode->isTabVisible(page::Subsystems), level == AccessDeveloper);
        EXPECT_TRUE(window->pc_ControlMode->isTabVisible(page::StationInfo));
        EXPECT_EQ(window->pc_ControlMode->currentIndex(), page::ChargeCurves);
        EXPECT_EQ(window->chargeCurves->chargeCurves().size(), level == AccessDeveloper ? 1 : 0);
        window->close();
    }
}

// Page 1 with a real e024 box: when the box closes the window gets the activation back and the
// operator goes on choosing the range (the file stays chosen, its entry kept, the pickers enabled);
// so too after another program had the activation. Coming back from another window of the program
// makes the window active: page 1 is reset.
TEST_F(StationDataWindowTest, TheE024BoxClosingKeepsTheCatalogueAndAReturnFromAnotherWindowResetsIt) {
    program().accessLevel = AccessOperator;
    link::StatusBlock station = test::idleStation(7);
    station.setTypeText(test::kType521);
    Rack& rack = addRack({station});
    select(0, {7});
    rack.cluster->answer(5, test::frames::catalogueChunk(7, 1, 0, test::validFlagEntry(0, 86400000, 1000, 0, 1)));
    makeWindow().openForSelection(page::StationInfo, 4);
    FileCatalogPage& files = *window->fileCatalog;
    ASSERT_TRUE(files.rg_SelectedFile->isEnabled()) << "the catalogue came in while the window opened";
    files.fileButtons->button(0)->click();
    const auto kept = [&] {
        return files.rg_SelectedFile->isEnabled() && files.fileButtons->checkedId() == 0 &&
               files.dtp_BegTime->isEnabled() && files.dtp_EndDate->isEnabled() &&
               files.tb_ShowStationFileData->isEnabled() && list.at(rack.position).fileViews[0].has_value();
    };
    ASSERT_TRUE(kept());
    const auto settle = [this] {
        // The desktop gives the activation back (directly when the platform keeps its focus window).
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            QCoreApplication::processEvents();
        }
        if (QApplication::activeWindow() != window)
            QApplication::setActiveWindow(window);
        const bool active = QTest::qWaitFor([this] { return QApplication::activeWindow() == window; }, 10000);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        return active;
    };
    ASSERT_TRUE(settle());

    test::ModalBoxAnswerer boxes;
    files.dtp_EndDate->setDate(QDate(1970, 1, 1));
    files.dtp_EndTime->setTime(QTime(12, 0));
    files.dtp_BegTime->setTime(QTime(18, 30)); // after the end: e024
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("Ошибка ввода даты и времени"));
    EXPECT_TRUE(boxes.boxes()[0].modal);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(kept()) << "the box's close is no return to the window";

    QApplication::setActiveWindow(nullptr); // another program takes the activation and gives it back
    ASSERT_TRUE(settle());
    EXPECT_TRUE(kept());

    QWidget other; // another window of the program
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }, 10000));
    ASSERT_TRUE(settle());
    EXPECT_FALSE(files.rg_SelectedFile->isEnabled());
    EXPECT_EQ(files.fileButtons->checkedId(), -1);
    EXPECT_FALSE(list.at(rack.position).fileViews[0].has_value());
    EXPECT_EQ(boxes.boxes().size(), 1);
}

// Esc on the wait dialog while "Выполнить" waits ends the wait as the button does, and the dialog
// stays up until the wait is over.
TEST_F(StationDataWindowTest, EscOnTheWaitDialogEndsTheWaitAsTheButtonDoes) {
    addRack({test::idleStation(5)});
    select(0, {5});
    makeWindow().openForSelection(page::Operations, 4);
    TForm_Timeout* dialog = window->timeoutDialog();
    bool shownAfterEsc = false;
    QObject::connect(dialog, &TForm_Timeout::shownForWait, dialog, [dialog, &shownAfterEsc] {
        QTest::keyClick(dialog, Qt::Key_Escape);
        shownAfterEsc = dialog->isVisible();
    });

    page().b_StartStop->click();

    EXPECT_TRUE(shownAfterEsc);
    EXPECT_LE(window->lastWaitSteps(), 1);
    EXPECT_EQ(window->tray->lastText(), QStringLiteral("Ожидание подтверждения прервано по запросу Оператора!"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(window->operationRunning());
}

} // namespace
} // namespace kalver::stationdata
