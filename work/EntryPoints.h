#pragma once
// The entry points of the group commands: every command on the selected stations is offered in the
// category "Управление" (category 1) of the button bar, in the main-menu item "Станции" → "Выбранные"
// (miSelected) and in the context menu PopupMenu_Station of the tiles and of the table rows. All three
// lead to one call: open the station data window for the current selection on a page with an
// operation (`OpenStationData`, wired by the application to the station data window).
//
// TForm_Work owns one EntryPoints: it puts `selectedMenu()` into its main menu "Станции", opens
// `stationMenu()` on tiles and table rows, builds the category-1 buttons from `commandItems()` and
// sends their clicks to clickCommandItem(); it passes every selection summary to showSummary() and
// the access level of the session to setAccessLevel(). "Квит." (item 0) asks acknowledgeRequested().

#include "work/SelectionSummary.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kalver::work {

// Pages of the station data window.
namespace page {
inline constexpr int Operations = 0;     // "Операции управления"
inline constexpr int Information = 1;    // "Информация по Станции"
inline constexpr int ChargeCurves = 2;   // "Просмотр кривых заряда"
inline constexpr int Subsystems = 3;     // "Подсистемы Станции"
} // namespace page

// Operations of the operations page, by index; kNoOperation for the other pages.
namespace operation {
inline constexpr int RegStart = 0;
inline constexpr int RegStop = 1;
inline constexpr int DataTransfer = 2;
inline constexpr int StopDataTransfer = 3;
inline constexpr int StationFind = 4;
inline constexpr int DeleteOldestFile = 5;
inline constexpr int DeleteAllFiles = 6;
inline constexpr int DeleteInclinData = 7;
inline constexpr int StartTestGen = 8;
inline constexpr int StartTestGenSens = 9;
inline constexpr int StartTestRes = 10;
inline constexpr int StartInclinCalib = 11;
inline constexpr int StartGenCorr = 12;
inline constexpr int StopGenCorr = 13;
inline constexpr int PowerOff = 14;
} // namespace operation
inline constexpr int kNoOperation = -1;

// One group command.
struct Command {
    const char* menuName;   // mi_RegStart
    const char* popupName;  // pm_RegStart
    QString caption;        // "Запуск регистрации"
    int commandItem;        // its category-1 item, -1 for none
    QString hint;           // the category-1 item's hint
    int page;
    int operation;          // kNoOperation for pages 1 ... 3
};
inline constexpr int kCommandCount = 18;
const std::array<Command, kCommandCount>& commands();
// The command of category-1 item `item` (1 ... 17), nullptr for any other.
const Command* commandOfItem(int item);

// Category 1: item 0 "Квит." and the 17 command items.
inline constexpr int kCommandItemCount = 18;
inline constexpr int kAcknowledgeImage = 43;
// The image of a command item: item 0 always 43; items 1 ... 17 index + 43 while some station is
// selected and index + 60 while none is; -1 (hidden from use) when the access level hides the item.
int commandItemImage(int item, bool anySelected, bool hiddenByLevel);
// Items 9 (find) and 15 (charge curves) have no image below level 3.
bool commandItemHiddenAtLevel(int item, int accessLevel);

// What a click on a category-1 item does.
enum class CommandClick { Nothing, Acknowledge, Run };
// Nothing for an item without an image (-1) and for a command item showing an empty-selection image
// (above 60); item 0 acknowledges; items 1 ... 17 run their command.
CommandClick commandClick(int item, int image);

struct CommandItem {
    QString caption; // "Квит." for item 0
    QString hint;
};
CommandItem commandItem(int item);

class EntryPoints : public QObject {
    Q_OBJECT
public:
    // Opens the station data window for the current selection on `page` with `operation`.
    using OpenStationData = std::function<void(int page, int operation)>;

    explicit EntryPoints(QWidget* menuParent, QObject* parent = nullptr);
    ~EntryPoints() override;

    void setOpenStationData(OpenStationData open) { m_open = std::move(open); }

    QMenu* selectedMenu() const { return miSelected; }
    QMenu* stationMenu() const { return PopupMenu_Station; }

    // Developer items (charge curves, subsystems) visible only at level 3; items 9 and 15 hidden below.
    void setAccessLevel(int level);
    int accessLevel() const { return m_level; }
    // miSelected enabled and captioned, pm_StationNoSettings captioned, the command images chosen.
    void showSummary(const SelectionSummary& summary);
    // miSelected disabled (the container page was left for the table, or back).
    void disableSelected();
    bool anySelected() const { return m_anySelected; }
    // The image category-1 item `item` shows now.
    int commandImage(int item) const;

    // A click (mouse released) on category-1 item `item`.
    void clickCommandItem(int item);
    // The handler of one command (menu, popup and button all call it).
    void runCommand(int index);

    QMenu* miSelected = nullptr;
    QMenu* PopupMenu_Station = nullptr;
    QAction* pm_StationNoSettings = nullptr;
    // Per command, in the order of commands(): the main-menu item and the popup item.
    std::array<QAction*, kCommandCount> menuItems{};
    std::array<QAction*, kCommandCount> popupItems{};

signals:
    // "Квит."
    void acknowledgeRequested();
    // The command images changed: set the category-1 buttons' images from commandImage().
    void commandImagesChanged();

private:
    void fillMenu(QMenu* menu, bool popup);

    OpenStationData m_open;
    QPointer<QWidget> m_menuParent;
    int m_level = 1;
    bool m_anySelected = false;
};

} // namespace kalver::work
