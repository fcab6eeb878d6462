// The work window: entering and ending a session, the rack panels and their tiles, the detail panel,
// the blink, selection by click and context menu, hiding and collapsing racks, the access levels.

#include "WorkFixture.h"

#include "link/TErrorType.h"
#include "work/StationTexts.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace kalver;
using kalver::test::WorkFixture;
using kalver::test::restingStation;

namespace {

QList<link::StatusBlock> numbered(std::initializer_list<int> numbers) {
    QList<link::StatusBlock> blocks;
    for (int n : numbers)
        blocks.append(restingStation(n));
    return blocks;
}

void hover(work::RackView& rack, QPoint point) {
    QTest::mouseMove(&rack, point);
    QCoreApplication::processEvents();
}

void leave(work::RackView& rack) {
    QEvent leaveEvent(QEvent::Leave);
    QCoreApplication::sendEvent(&rack, &leaveEvent);
}

void rightClick(work::RackView& rack, QPoint point) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, rack.mapToGlobal(point));
    QCoreApplication::sendEvent(&rack, &event);
}

} // namespace

using WorkWindow = WorkFixture;

TEST_F(WorkWindow, EnteringTheSessionBuildsRacksOnlyForClustersInWorkInClusterOrder) {
    racks.addCluster();
    racks.addCluster(false); // unchecked before "К работе"
    racks.addCluster();
    TForm_Work& w = makeWindow();
    w.enterWorkSession();
    w.show();
    settle();

    ASSERT_NE(w.rackView(0), nullptr);
    EXPECT_EQ(w.rackView(1), nullptr);
    ASSERT_NE(w.rackView(2), nullptr);
    EXPECT_LT(w.rackView(0)->x(), w.rackView(2)->x());
    EXPECT_EQ(w.cat_Buttons->itemCount(category::Clusters), 2);
    EXPECT_EQ(w.cat_Buttons->itemCaption(category::Clusters, 0), QStringLiteral("√ 1"));
    EXPECT_EQ(w.cat_Buttons->itemHint(category::Clusters, 1), QStringLiteral("Скрыть Кластер №3"));
    EXPECT_EQ(w.clusterItemOf(2), 1);
    EXPECT_TRUE(list.at(0).reportFlag);
    EXPECT_FALSE(list.at(1).reportFlag);

    // A rack without stations is its header only.
    work::RackView& r = rack(0);
    EXPECT_EQ(r.minimumHeight(), r.rackHeader->height());
    EXPECT_EQ(r.width(), 8 * 66);
    EXPECT_EQ(r.syncLabel->text(), QStringLiteral(" []"));
    EXPECT_EQ(r.numberLabel->text(), QStringLiteral("1"));
    EXPECT_EQ(r.numberLabel->property("Tag").toInt(), 1);
    EXPECT_EQ(r.selectAllBox->text(), QStringLiteral("Выбрать"));

    EXPECT_TRUE(w.Timer_StationAnim->isActive());
    EXPECT_EQ(w.Timer_StationAnim->interval(), 750);
    EXPECT_EQ(w.hoveredStation(), -1);
    EXPECT_TRUE(w.sessionActive());

    w.setSyncLabel(2, QStringLiteral(" [не подключен]"));
    EXPECT_EQ(work::rackSyncLabel(list.at(2))->text(), QStringLiteral(" [не подключен]"));
    EXPECT_EQ(work::rackSyncLabel(list.at(1)), nullptr);
}

TEST_F(WorkWindow, TilesStandByNumberWrapAndCloseUpWhenAStationLeaves) {
    session(1);
    // Eight stations per rack row (the default setting); ten stations in reverse order.
    report(0, numbered({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    const int top = rack(0).rackHeader->height();
    EXPECT_EQ(tileOf(0, 1).topLeft(), QPoint(0, top));
    EXPECT_EQ(tileOf(0, 8).topLeft(), QPoint(7 * 66, top));
    EXPECT_EQ(tileOf(0, 9).topLeft(), QPoint(0, top + 123));
    EXPECT_EQ(tileOf(0, 10).topLeft(), QPoint(66, top + 123));
    EXPECT_EQ(rack(0).minimumHeight(), top + 2 * 123);
    // The station list keeps the order of first appearance.
    EXPECT_EQ(station(0, 0).number(), 10);

    // Station 3 leaves: the later ones move one place back.
    report(0, numbered({10, 9, 8, 7, 6, 5, 4, 2, 1}));
    EXPECT_EQ(positionOf(0, 3), -1);
    EXPECT_EQ(tileOf(0, 4).topLeft(), QPoint(2 * 66, top));
    EXPECT_EQ(tileOf(0, 9).topLeft(), QPoint(7 * 66, top));
    EXPECT_EQ(tileOf(0, 10).topLeft(), QPoint(0, top + 123));
    EXPECT_EQ(rack(0).stationAt(tileOf(0, 10).center()), positionOf(0, 10));
    EXPECT_EQ(rack(0).stationAt(QPoint(7 * 66 + 10, top + 123 + 10)), -1);
}

TEST_F(WorkWindow, BlinkAnimatesChargingAndDownloadingAndGrayTilesKeepTheirFrame) {
    session(1);
    QList<link::StatusBlock> blocks = numbered({1, 2, 3, 4});
    blocks[0].setCharging(true).setChargeLevel(30);
    blocks[1].setCharging(true).setChargeLevel(100);
    blocks[2].setDownloading(true).setDownloadProgress(60);
    report(0, blocks);
    TForm_Work& w = *window;

    w.blinkTick();
    const int phase = w.blinkPhase();
    const int charging = station(0, 0).tile.frame;
    const int full = station(0, 1).tile.frame;
    const int downloading = station(0, 2).tile.frame;
    w.blinkTick();
    EXPECT_NE(w.blinkPhase(), phase);
    EXPECT_EQ(std::abs(station(0, 0).tile.frame - charging), 1) << "charging at 30 alternates 2 and 3";
    EXPECT_EQ(station(0, 1).tile.frame, full) << "a full battery does not blink";
    EXPECT_EQ(std::abs(station(0, 2).tile.frame - downloading), 21);

    // Alarm 9 grays the tile: its frame stays whatever the station does.
    w.alarms->raise(0, 3, link::alarm::LostServer, false);
    const int frozen = station(0, 3).tile.frame;
    blocks[3].setRegistrationState(1);
    report(0, blocks);
    w.blinkTick();
    EXPECT_EQ(station(0, 3).tile.frame, frozen);
    // "Квит." makes it white again and the tile follows the station.
    w.entryPoints->clickCommandItem(0);
    EXPECT_EQ(station(0, 3).tile.colour, QColor(Qt::white));
    EXPECT_EQ(station(0, 3).tile.frame, frozen + 210);

    // While the station data window is shown the tick does nothing.
    stationDataShown = true;
    const int before = w.blinkPhase();
    w.blinkTick();
    EXPECT_EQ(w.blinkPhase(), before);
}

TEST_F(WorkWindow, HoverFillsTheDetailPanelOnlyForTheHoveredStation) {
    session(2);
    QList<link::StatusBlock> blocks = numbered({5, 6});
    blocks[0].setChargeLevel(42).setCharging(true).setChargingCurrent(125);
    report(0, blocks);
    report(1, numbered({5})); // the same number in another rack is another station
    TForm_Work& w = *window;

    const int framePlain = station(0, 0).tile.frame;
    hover(rack(0), tileOf(0, 5).center());
    EXPECT_EQ(w.hoveredStation(), 5);
    EXPECT_TRUE(station(0, 0).tile.hover);
    EXPECT_EQ(station(0, 0).tile.frame, framePlain + 14);
    EXPECT_EQ(w.GridPanel1->lbl_StatNo->text(), QStringLiteral("5"));
    EXPECT_EQ(w.GridPanel1->lbl_ChargeLvl->text(), QStringLiteral("42 %"));
    EXPECT_EQ(w.GridPanel1->lbl_Charge->text(), work::panelCharging(blocks[0].setChargingCurrent(125)));

    // A report for another station leaves the panel; one for the hovered station refreshes it.
    QList<link::StatusBlock> other = numbered({5});
    other[0].setChargeLevel(11);
    report(1, other);
    EXPECT_EQ(w.GridPanel1->lbl_ChargeLvl->text(), QStringLiteral("42 %"));
    blocks[0].setChargeLevel(43);
    report(0, blocks);
    EXPECT_EQ(w.GridPanel1->lbl_ChargeLvl->text(), QStringLiteral("43 %"));

    // Moving to the next tile and then off the rack.
    hover(rack(0), tileOf(0, 6).center());
    EXPECT_EQ(w.hoveredStation(), 6);
    EXPECT_FALSE(station(0, 0).tile.hover);
    leave(rack(0));
    EXPECT_EQ(w.hoveredStation(), -1);
    EXPECT_FALSE(station(0, 1).tile.hover);
    // The panel keeps the last values until the next tick.
    EXPECT_EQ(w.GridPanel1->lbl_StatNo->text(), QStringLiteral("6"));
    w.blinkTick();
    for (QLabel* label : w.GridPanel1->valueLabels())
        EXPECT_EQ(label->text(), QStringLiteral("-")) << label->objectName().toStdString();

    // A hovered station that leaves the rack is no longer hovered.
    hover(rack(0), tileOf(0, 6).center());
    report(0, numbered({5}));
    EXPECT_EQ(w.hoveredStation(), -1);
}

TEST_F(WorkWindow, ClickTogglesTheTileAndTheSummaryFollows) {
    session(1);
    report(0, numbered({3, 4}));
    TForm_Work& w = *window;
    QTest::mouseClick(&rack(0), Qt::LeftButton, {}, tileOf(0, 4).center());
    EXPECT_TRUE(station(0, 1).tile.checked);
    EXPECT_EQ(w.entryPoints->miSelected->menuAction()->text(), QStringLiteral("Выбранная 4"));
    // The check box itself toggles the same way.
    QTest::mouseClick(&rack(0), Qt::LeftButton, {}, rack(0).tileGeometry().checkBoxRect(tileOf(0, 3).topLeft()).center());
    EXPECT_EQ(w.entryPoints->miSelected->menuAction()->text(), QStringLiteral("Выбранные 3:4"));
    QTest::mouseClick(&rack(0), Qt::LeftButton, {}, tileOf(0, 4).center());
    QTest::mouseClick(&rack(0), Qt::LeftButton, {}, tileOf(0, 3).center());
    EXPECT_FALSE(station(0, 0).tile.checked);
    EXPECT_EQ(w.entryPoints->miSelected->menuAction()->text(), QStringLiteral("Выбранных нет"));
    EXPECT_FALSE(w.entryPoints->miSelected->menuAction()->isEnabled());
}

// On the table page the first row is current from the start: "Станции" → "Выбранная N" is there without
// a click, and leaving the page disables it again.
TEST_F(WorkWindow, TablePageHasACurrentRowForMiSelected) {
    session(1);
    report(0, numbered({8, 3, 5}));
    TForm_Work& w = *window;
    settle();
    w.pc_ShowMode->setCurrentWidget(w.ts_Table);
    EXPECT_TRUE(w.entryPoints->miSelected->menuAction()->isEnabled());
    EXPECT_EQ(w.entryPoints->miSelected->menuAction()->text(), QStringLiteral("Выбранная 3"));
    w.pc_ShowMode->setCurrentWidget(w.ts_Racks);
    EXPECT_FALSE(w.entryPoints->miSelected->menuAction()->isEnabled());
}

TEST_F(WorkWindow, ContextMenuSelectsTheStationOnlyWhenNothingIsSelected) {
    session(2);
    report(0, numbered({1, 2}));
    report(1, numbered({7}));
    TForm_Work& w = *window;
    QMenu* menu = w.entryPoints->stationMenu();

    rightClick(rack(0), tileOf(0, 2).center());
    EXPECT_TRUE(station(0, 1).tile.checked);
    EXPECT_EQ(w.entryPoints->pm_StationNoSettings->text(), QStringLiteral("Свойства Станции 2"));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    // With a selection elsewhere the menu opens for it, unchanged.
    rightClick(rack(1), tileOf(1, 7).center());
    EXPECT_FALSE(station(1, 0).tile.checked);
    EXPECT_TRUE(station(0, 1).tile.checked);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(WorkWindow, NoContextMenuAtTheMnemonicLevel) {
    program().accessLevel = AccessMnemo;
    session(1);
    report(0, numbered({1}));
    rightClick(rack(0), tileOf(0, 1).center());
    EXPECT_FALSE(station(0, 0).tile.checked);
    EXPECT_FALSE(window->entryPoints->stationMenu()->isVisible());
}

TEST_F(WorkWindow, HidingAClusterDeselectsItsStationsAndShowingKeepsTheOrder) {
    session(3);
    for (int c = 0; c < 3; ++c)
        report(c, numbered({c * 10 + 1, c * 10 + 2}));
    TForm_Work& w = *window;
    // Select everything in cluster 2 with its select-all box.
    rack(1).selectAllBox->click();
    EXPECT_TRUE(station(1, 0).tile.checked && station(1, 1).tile.checked);

    w.cat_Buttons->itemButton(category::Clusters, 1)->click();
    EXPECT_TRUE(rack(1).isHidden());
    EXPECT_EQ(w.cat_Buttons->itemCaption(category::Clusters, 1), QStringLiteral("× 2"));
    EXPECT_EQ(w.cat_Buttons->itemHint(category::Clusters, 1), QStringLiteral("Показать Кластер №2"));
    EXPECT_FALSE(station(1, 0).tile.checked);
    EXPECT_FALSE(station(1, 1).tile.checked);

    w.cat_Buttons->itemButton(category::Clusters, 1)->click();
    settle();
    EXPECT_FALSE(rack(1).isHidden());
    EXPECT_EQ(w.cat_Buttons->itemCaption(category::Clusters, 1), QStringLiteral("√ 2"));
    EXPECT_LT(rack(0).x(), rack(1).x());
    EXPECT_LT(rack(1).x(), rack(2).x());
    // The select-all box is still checked: the recomputation selects the rack again.
    EXPECT_TRUE(station(1, 0).tile.checked);

    // A cluster whose connection box was unchecked meanwhile does not react.
    racks.connectionBox(2)->setChecked(false);
    w.cat_Buttons->itemButton(category::Clusters, 2)->click();
    EXPECT_FALSE(rack(2).isHidden());
    EXPECT_EQ(w.cat_Buttons->itemCaption(category::Clusters, 2), QStringLiteral("√ 3"));
}

TEST_F(WorkWindow, CollapseFoldsTheRackToOneTile) {
    session(1);
    report(0, numbered({1, 2, 3}));
    work::RackView& r = rack(0);
    const int top = r.rackHeader->height();
    r.collapseButton->click();
    EXPECT_TRUE(r.isCollapsed());
    EXPECT_EQ(r.width(), 66);
    EXPECT_TRUE(r.selectAllBox->isHidden());
    EXPECT_TRUE(r.syncLabel->isHidden());
    EXPECT_EQ(r.collapseButton->property("ImageIndex").toInt(), 1);
    EXPECT_EQ(tileOf(0, 3).topLeft(), QPoint(0, top + 2 * 123));
    r.collapseButton->click();
    EXPECT_EQ(r.width(), 8 * 66);
    EXPECT_FALSE(r.selectAllBox->isHidden());
    EXPECT_EQ(r.collapseButton->property("ImageIndex").toInt(), 0);
    EXPECT_EQ(tileOf(0, 3).topLeft(), QPoint(2 * 66, top));
}

struct LevelCase {
    int level;
    bool controls;      // menu, button bar, log and table
    bool developerRows; // rows 8 and 9 of the detail panel
};

class WorkWindowLevels : public WorkFixture, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(WorkWindowLevels, TheAccessLevelChoosesTheControls) {
    const LevelCase c = GetParam();
    program().accessLevel = c.level;
    TForm_Work& w = session(1);
    report(0, numbered({1}));
    EXPECT_EQ(!w.MainMenu_Work->isHidden(), c.controls);
    EXPECT_EQ(!w.MnemoPanel->isHidden(), c.controls);
    EXPECT_EQ(!w.GridPanel2->m_Msgs->isHidden(), c.controls);
    EXPECT_EQ(!w.GridPanel2->Memo1->isHidden(), c.controls);
    EXPECT_EQ(w.pc_ShowMode->isTabVisible(2), c.controls);
    EXPECT_FALSE(w.pc_ShowMode->isTabVisible(1));
    EXPECT_EQ(!w.GridPanel1->lbl_LastState->isHidden(), c.developerRows);
    EXPECT_EQ(!w.GridPanel1->Label_Errors->isHidden(), c.developerRows);
    EXPECT_EQ(!w.GridPanel1->lbl_StateTime->isHidden(), c.developerRows);

    // Without the log nothing is logged, but alarms still colour the tiles.
    w.alarms->raise(0, 0, link::alarm::CriticalErrors, false);
    EXPECT_EQ(station(0, 0).tile.colour, QColor(255, 0, 0));
    w.GridPanel2->writeWaitingLines();
    EXPECT_EQ(w.GridPanel2->m_Msgs->toPlainText().contains(QStringLiteral("Станция 1 (Кластер 1)")), c.controls);
}

INSTANTIATE_TEST_SUITE_P(Levels, WorkWindowLevels,
                         ::testing::Values(LevelCase{AccessMnemo, false, false}, LevelCase{AccessOperator, true, false},
                                           LevelCase{AccessAdmin, true, false}, LevelCase{AccessDeveloper, true, true}));

TEST_F(WorkWindow, ClosingEndsTheSessionAndRemovesEveryRack) {
    TForm_Work& w = session(2);
    report(0, numbered({1, 2}));
    report(1, numbered({3}));
    w.close();
    settle();
    EXPECT_EQ(events, QStringList({"stop timers", "show login", "close connection"}));
    EXPECT_FALSE(w.sessionActive());
    EXPECT_FALSE(w.Timer_StationAnim->isActive());
    EXPECT_EQ(w.rackView(0), nullptr);
    EXPECT_EQ(w.rackView(1), nullptr);
    EXPECT_EQ(list.at(0).stationCount(), 0);
    EXPECT_EQ(w.cat_Buttons->itemCount(category::Clusters), 0);
    EXPECT_TRUE(w.scrlB->widget()->findChildren<work::RackView*>().isEmpty());
    EXPECT_FALSE(w.isVisible());

    // A new session builds the racks again.
    w.enterWorkSession();
    EXPECT_NE(w.rackView(0), nullptr);
    EXPECT_EQ(w.cat_Buttons->itemCount(category::Clusters), 2);
}

TEST_F(WorkWindow, SettingsQuestionNoKeepsTheSessionYesEndsItBeforeTheSettings) {
    program().accessLevel = AccessDeveloper;
    TForm_Work& w = session(1);
    w.setDeveloperItems(true);
    EXPECT_TRUE(w.miSettings->isVisible());

    messages.script({MessageAnswer::No});
    w.miSettings->trigger();
    ASSERT_EQ(messages.codes(), QStringList({"e023"}));
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Warning);
    EXPECT_EQ(messages.shown().at(0).buttons, MessageButtons::YesNo);
    EXPECT_TRUE(w.sessionActive());
    EXPECT_TRUE(events.isEmpty());

    messages.script({MessageAnswer::Yes});
    w.miSettings->trigger();
    EXPECT_EQ(events, QStringList({"stop timers", "show login", "close connection", "open settings"}));
    EXPECT_FALSE(w.sessionActive());
    EXPECT_EQ(w.rackView(0), nullptr);

    w.setDeveloperItems(false);
    EXPECT_FALSE(w.miSettings->isVisible());
}

TEST_F(WorkWindow, MinimizingTheWorkWindowMinimizesTheApplication) {
    TForm_Work& w = session(1);
    QWidget other;
    other.show();
    w.showMinimized();
    EXPECT_TRUE(other.isMinimized());
}

TEST_F(WorkWindow, ADestroyedClusterLosesItsRack) {
    TForm_Work& w = session(2);
    report(1, numbered({4}));
    list.destroyLast();
    settle();
    EXPECT_EQ(w.cat_Buttons->itemCount(category::Clusters), 1);
    EXPECT_EQ(w.scrlB->widget()->findChildren<work::RackView*>().size(), 1);
}

TEST_F(WorkWindow, TheButtonBarReachesTheSelectionAndTheAlarms) {
    TForm_Work& w = session(1);
    QList<link::StatusBlock> blocks = numbered({1, 2, 3});
    blocks[1].setCharging(true).setChargeLevel(40);
    report(0, blocks);

    // Category 0, item 12 "Выделить заряжающиеся Станции": the charging station is selected and the
    // item shows its active image.
    EXPECT_EQ(w.cat_Buttons->itemImage(category::Selection, 12), 33);
    w.cat_Buttons->itemButton(category::Selection, 12)->click();
    EXPECT_FALSE(station(0, 0).tile.checked);
    EXPECT_TRUE(station(0, 1).tile.checked);
    EXPECT_EQ(w.cat_Buttons->itemImage(category::Selection, 12), 12);
    EXPECT_EQ(w.cat_Buttons->itemImage(category::Commands, 1), 44);
    // Item 0 resets the filters and the selection.
    w.cat_Buttons->itemButton(category::Selection, 0)->click();
    EXPECT_FALSE(station(0, 1).tile.checked);
    EXPECT_EQ(w.cat_Buttons->itemImage(category::Selection, 12), 33);
    EXPECT_EQ(w.cat_Buttons->itemImage(category::Commands, 1), 61);

    // Category 1, item 0 "Квит." acknowledges every alarm.
    w.alarms->raise(0, 2, link::alarm::NonCriticalErrors, false);
    EXPECT_EQ(station(0, 2).tile.colour, QColor(255, 255, 0));
    w.cat_Buttons->itemButton(category::Commands, 0)->click();
    EXPECT_EQ(station(0, 2).tile.colour, QColor(Qt::white));
    EXPECT_TRUE(station(0, 2).alarms.isEmpty());
}

TEST_F(WorkWindow, TheBlinkStopsOverTheButtonBarAndOnTheTablePage) {
    TForm_Work& w = session(1);
    ASSERT_TRUE(w.Timer_StationAnim->isActive());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(w.cat_Buttons, &enter);
    EXPECT_FALSE(w.Timer_StationAnim->isActive());
    QEvent leaveBar(QEvent::Leave);
    QCoreApplication::sendEvent(w.cat_Buttons, &leaveBar);
    EXPECT_TRUE(w.Timer_StationAnim->isActive());

    w.pc_ShowMode->setCurrentIndex(2);
    EXPECT_FALSE(w.Timer_StationAnim->isActive());
    EXPECT_FALSE(w.selection->selectMenu()->menuAction()->isEnabled());
    w.pc_ShowMode->setCurrentIndex(0);
    EXPECT_TRUE(w.Timer_StationAnim->isActive());
    EXPECT_TRUE(w.selection->selectMenu()->menuAction()->isEnabled());
}
