#include "work/EntryPoints.h"

#include "core/ProgramValues.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;

namespace {

class EntryPointsTest : public ::testing::Test {
protected:
    EntryPointsTest() : entry(&window) {
        entry.setOpenStationData([this](int page, int op) { opened.append({page, op}); });
        entry.setAccessLevel(AccessDeveloper);
        entry.showSummary(summaryOfCount(2, 4, 9));
    }

    QAction* action(QMenu* menu, const QString& name) { return menu->findChild<QAction*>(name); }

    QWidget window;
    EntryPoints entry;
    QList<std::pair<int, int>> opened;
};

} // namespace

TEST_F(EntryPointsTest, MenuPopupAndButtonOfACommandOpenTheSamePageAndOperation) {
    const struct {
        const char* menu;
        const char* popup;
        int button;
        int page;
        int operation;
    } cases[] = {
        {"mi_RegStart", "pm_RegStart", 1, 0, 0},
        {"mi_RegStop", "pm_RegStop", 10, 0, 1},
        {"mi_DataTransfer", "pm_DataTransfer", 2, 0, 2},
        {"mi_StopDataTransfer", "pm_StopDataTransfer", 11, 0, 3},
        {"mi_StationFind", "pm_StationFind", 9, 0, 4},
        {"mi_DeleteOldestFile", "pm_DeleteOldestFile", 7, 0, 5},
        {"mi_DeleteAllFiles", "pm_DeleteAllFiles", 16, 0, 6},
        {"mi_DeleteInclinData", "pm_DeleteInclinData", 8, 0, 7},
        {"mi_StartTestGen", "pm_StartTestGen", 3, 0, 8},
        {"mi_StartTestGenSens", "pm_StartTestGenSens", 4, 0, 9},
        {"mi_StartTestRes", "pm_StartTestRes", 12, 0, 10},
        {"mi_StartInclinCalib", "pm_StartInclinCalib", 13, 0, 11},
        {"mi_StartGenCorr", "pm_StartGenCorr", 5, 0, 12},
        {"mi_StopGenCorr", "pm_StopGenCorr", 14, 0, 13},
        {"mi_PowerOff", "pm_PowerOff", 17, 0, 14},
        {"mi_ShowReggedData", "pm_ShowReggedData", 6, 1, kNoOperation},
        {"mi_ShowChargeCurves", "pm_ShowChargeCurves", 15, 2, kNoOperation},
        {"mi_Subsystem", "pm_Subsystem", -1, 3, kNoOperation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu);
        opened.clear();
        QAction* menuItem = action(entry.miSelected, c.menu);
        QAction* popupItem = action(entry.PopupMenu_Station, c.popup);
        ASSERT_NE(menuItem, nullptr);
        ASSERT_NE(popupItem, nullptr);
        EXPECT_EQ(menuItem->text(), popupItem->text());
        menuItem->trigger();
        popupItem->trigger();
        if (c.button > 0)
            entry.clickCommandItem(c.button);
        const int expected = c.button > 0 ? 3 : 2;
        ASSERT_EQ(opened.size(), expected);
        for (const auto& o : opened)
            EXPECT_EQ(o, std::make_pair(c.page, c.operation));
    }
}

TEST_F(EntryPointsTest, WithNothingSelectedCommandButtonsDoNothingButAcknowledgeWorks) {
    entry.showSummary(summaryOfCount(0, 0, 0));
    QSignalSpy acknowledge(&entry, &EntryPoints::acknowledgeRequested);
    for (int item = 1; item < kCommandItemCount; ++item) {
        EXPECT_EQ(entry.commandImage(item), item + 60) << item;
        entry.clickCommandItem(item);
    }
    EXPECT_TRUE(opened.isEmpty());
    entry.clickCommandItem(0);
    EXPECT_EQ(acknowledge.count(), 1);
    EXPECT_EQ(entry.commandImage(0), 43);
    EXPECT_FALSE(entry.miSelected->menuAction()->isEnabled());
    EXPECT_EQ(entry.miSelected->menuAction()->text(), "Выбранных нет");
}

TEST_F(EntryPointsTest, SummaryCaptionsTheMenus) {
    EXPECT_TRUE(entry.miSelected->menuAction()->isEnabled());
    EXPECT_EQ(entry.miSelected->menuAction()->text(), "Выбранные 4:9");
    EXPECT_EQ(entry.pm_StationNoSettings->text(), "Свойства Станций 4:9");
    EXPECT_FALSE(entry.pm_StationNoSettings->isVisible());
    for (int item = 1; item < kCommandItemCount; ++item)
        EXPECT_EQ(entry.commandImage(item), item + 43) << item;
}

TEST_F(EntryPointsTest, BelowLevelThreeFindAndChargeCurvesButtonsAndDeveloperItemsAreHidden) {
    entry.setAccessLevel(AccessOperator);
    EXPECT_EQ(entry.commandImage(9), -1);
    EXPECT_EQ(entry.commandImage(15), -1);
    entry.clickCommandItem(9);
    entry.clickCommandItem(15);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(action(entry.miSelected, "mi_ShowChargeCurves")->isVisible());
    EXPECT_FALSE(action(entry.PopupMenu_Station, "pm_Subsystem")->isVisible());
    EXPECT_TRUE(action(entry.miSelected, "mi_StationFind")->isVisible());

    entry.setAccessLevel(AccessDeveloper);
    EXPECT_EQ(entry.commandImage(9), 52);
    EXPECT_TRUE(action(entry.PopupMenu_Station, "pm_Subsystem")->isVisible());
}

TEST(CommandClickRule, ImagesDecide) {
    EXPECT_EQ(commandClick(0, 43), CommandClick::Acknowledge);
    EXPECT_EQ(commandClick(1, 44), CommandClick::Run);
    EXPECT_EQ(commandClick(17, 60), CommandClick::Run);
    EXPECT_EQ(commandClick(1, 61), CommandClick::Nothing);
    EXPECT_EQ(commandClick(9, -1), CommandClick::Nothing);
    EXPECT_EQ(commandClick(0, -1), CommandClick::Nothing);
    EXPECT_EQ(commandClick(18, 44), CommandClick::Nothing);
    EXPECT_EQ(commandItem(0).caption, "Квит.");
    EXPECT_EQ(commandItem(0).hint, "Квитировать все ошибки");
    EXPECT_EQ(commandItem(9).hint, "Поиск в стойках выбранных Станций");
}

TEST_F(EntryPointsTest, MenuOrder) {
    const auto texts = [](QMenu* menu) {
        QStringList t;
        for (QAction* a : menu->actions())
            t << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return t;
    };
    const QStringList expected = {"Поиск в кластере", "-", "Выключить питание", "-", "Просмотр информации",
                                  "Просмотр кривых заряда", "-", "Запуск регистрации", "Остановка регистрации", "-",
                                  "Запуск скачивания", "Остановка скачивания", "-", "Стереть самый старый файл",
                                  "Стереть все файлы", "Стереть данные угломера", "-", "Настройка подсистем", "-",
                                  "Запуск теста...", "Запуск калибровки угломера", "Настройка генератора"};
    EXPECT_EQ(texts(entry.miSelected), expected);
    QStringList popup = texts(entry.PopupMenu_Station);
    ASSERT_FALSE(popup.isEmpty());
    popup.removeFirst(); // pm_StationNoSettings
    EXPECT_EQ(popup, expected);
    EXPECT_EQ(texts(entry.miSelected->findChild<QMenu*>("mi_StartTest")), QStringList({"АЦП", "датчиков", "SNR"}));
    EXPECT_EQ(texts(entry.miSelected->findChild<QMenu*>("mi_GenCorr")), QStringList({"запустить", "остановить"}));
}
