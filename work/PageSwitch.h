#pragma once
// What happens when pc_ShowMode changes page: the blink timer Timer_StationAnim runs and the menu
// "Выбор" is enabled only while the container page (0) is shown; showing the table page reports the
// table's selection and gives it the focus; coming back to the container disables miSelected and, when
// some cluster has stations, reports the container's selection again.
//
// TForm_Work calls switchPage() from pc_ShowMode's currentChanged with its own pieces.

#include <QPointer>

class QMenu;
class QTimer;

namespace kalver::work {

class EntryPoints;
class SelectionController;
class TablePage;

inline constexpr int kContainerPage = 0;
inline constexpr int kLayoutPage = 1;
inline constexpr int kTablePage = 2;

struct PageSwitchTargets {
    QTimer* blinkTimer = nullptr;          // Timer_StationAnim
    QMenu* selectMenu = nullptr;           // miSelect
    TablePage* table = nullptr;
    SelectionController* selection = nullptr;
    EntryPoints* entryPoints = nullptr;
    bool anyStations = false;              // some cluster has stations
};

void switchPage(int page, const PageSwitchTargets& targets);

} // namespace kalver::work
