#pragma once
// The work window `TForm_Work` (`Form_Work`): the operator's main window during a work session.
//
// Page control pc_ShowMode: page 0 ts_Racks "Контейнер" (MnemoPanel with the button bar cat_Buttons
// and the detail panel GridPanel1 on top, the scroll box scrlB of rack panels below), page 1
// "Расстановка" (hidden), page 2 ts_Table "Таблица Станций" (TablePage). Under a splitter the log strip
// GridPanel2 (MessageLog). Main menu "Работа" (miSettings, miExit) and "Станции" (miSelected, miSelect);
// the tiles' and rows' context menu PopupMenu_Station; the blink timer Timer_StationAnim (750 ms) and
// the receive-buffer check Timer_BufferChecker (1000 ms).
//
// The window is the cluster link's observer (observer()): status reports reach it as station created,
// station removing, rack layout, detail panel and table refresh; log lines and alarms go to the log and
// the alarm list. Each cluster in work has a rack panel (RackView) that paints its tiles.
//
// A session: the connection window's "К работе" calls enterWorkSession(), starts the poll and then
// calls showSessionWindow(). Closing the window (miExit, the close button, or the mnemonic window's
// close) ends the session: endSession().

#include "work/CategoryButtonBar.h"
#include "work/DetailPanel.h"
#include "work/EntryPoints.h"
#include "work/MessageLog.h"
#include "work/RackView.h"
#include "work/SelectionController.h"
#include "work/StationAlarms.h"
#include "work/TablePage.h"
#include "work/TilePictures.h"

#include "link/ClusterList.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QHBoxLayout;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTimer;

namespace kalver {

class TForm_Mnemo;

namespace work {
class StationDataBridge;
class WorkLinkObserver;
}

// The categories of cat_Buttons.
namespace category {
inline constexpr int Selection = 0; // "Выделение"
inline constexpr int Commands = 1;  // "Управление"
inline constexpr int Clusters = 2;  // "Кластеры"
} // namespace category

// What the window asks of the other windows; each has a sound default for a window on its own.
struct WorkWindowHooks {
    // Whether a cluster is in work (its connection check box is checked).
    std::function<bool(const link::TKlvRack&)> clusterInWork;
    // Stops the connection window's poll and sync timers (the session ends).
    std::function<void()> stopConnectionTimers;
    // Shows the log-in window again.
    std::function<void()> showLogin;
    // Closes the connection window.
    std::function<void()> closeConnection;
    // Opens the settings window modally (miSettings after Yes).
    std::function<void()> openSettings;
    // Whether the station data window is shown (the blink tick then does nothing).
    std::function<bool()> stationDataVisible;
    // The connection window's poll timer Timer_NotCriticalMsgs (paused while the station data window
    // is open); nullptr when there is none.
    std::function<QTimer*()> pollTimer;
};

class TForm_Work : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_Work(link::ClusterList& clusters = link::clusters(), QWidget* parent = nullptr);
    ~TForm_Work() override;

    link::ClusterList& clusterList() const { return m_clusters; }
    // The window's side of the cluster link; the program installs it on the cluster list.
    link::LinkObserver& observer();
    // The station data window's part of the link observer (not owned).
    void setStationDataObserver(link::LinkObserver* observer);
    void setHooks(WorkWindowHooks hooks);
    // Opens the station data window for the selection on (page, operation); wired by the program.
    void setOpenStationData(work::EntryPoints::OpenStationData open);
    // The mnemonic diagram window whose grid takes the rack panels in mnemonic mode.
    void setMnemoWindow(TForm_Mnemo* mnemo);
    // The station data window's way to this window's selection and timers; the program installs it
    // (stationdata::setWorkWindowBridge).
    work::StationDataBridge& stationDataBridge();
    // Whether a cluster is in work (the hooks' rule).
    bool inWork(const link::TKlvRack& rack) const;
    // The connection window's poll timer, nullptr when there is none.
    QTimer* pollTimer() const;

    // --- the session
    // The work-window side of "К работе": rack widgets for the clusters in work (none for the others)
    // in cluster order, the table's cluster and number filters, empty-selection command images, the
    // tile timer, the controls of the access level.
    void enterWorkSession();
    // The end of "К работе": shows the window maximized (mnemonic mode: the mnemonic window) and resets
    // the selection.
    void showSessionWindow();
    // Ends the session: the timers stop, after 500 ms every cluster's rack widgets go (last to first),
    // the log-in window shows and the connection window closes.
    void endSession();
    bool sessionActive() const { return m_sessionActive; }

    // --- rack widgets
    void createRackWidgets(int cluster);
    void destroyRackWidgets(int cluster);
    work::RackView* rackView(int cluster) const;
    // The status report appended a station to the cluster / is about to remove one.
    void stationAppended(int cluster);
    void stationRemoving(int cluster, int station);
    // Lays out the cluster's tiles by station number.
    void layOutRack(int cluster);
    // The click on a cluster's item of category "Кластеры": hides or shows its rack.
    void clickClusterItem(int item);
    // The item of category "Кластеры" that belongs to `cluster`, -1 for none.
    int clusterItemOf(int cluster) const;
    void setSyncLabel(int cluster, const QString& text);

    // --- tiles and the detail panel
    // One tick of Timer_StationAnim.
    void blinkTick();
    int blinkPhase() const { return m_blinkPhase; }
    // Recomputes the tile's frame and repaints it.
    void redrawTile(int cluster, int station);
    // Repaints every tile of the cluster (their colours changed).
    void repaintRack(int cluster);
    // Fills the detail panel when the station is the hovered one.
    void fillDetailPanel(int cluster, int station);
    // The hovered station's number, -1 for none.
    int hoveredStation() const { return m_hoveredNumber; }
    // A click on a tile: toggles its check box.
    void clickTile(int cluster, int station);
    // The context menu asked for on a tile.
    void tileContextMenu(int cluster, int station, const QPoint& globalPos);

    // --- selection and the access level
    void refreshSelectionSummary();
    // The developer items: miSettings, the charge-curve and subsystem items, items 9 and 15.
    void setDeveloperItems(bool developer);
    void refillStateFilter();
    // Shows or hides the controls of the access level (level 0: no menu, button bar, log or table).
    void applyAccessLevel(int level);

    // --- controls, named as the description names them
    QTabWidget* pc_ShowMode = nullptr;
    QWidget* ts_Racks = nullptr;
    QWidget* ts_Layout = nullptr;
    QWidget* ts_Table = nullptr;
    QWidget* MnemoPanel = nullptr;
    work::CategoryButtonBar* cat_Buttons = nullptr;
    work::DetailPanel* GridPanel1 = nullptr;
    QScrollArea* scrlB = nullptr;
    QSplitter* Splitter1 = nullptr;
    work::MessageLog* GridPanel2 = nullptr;
    QMenuBar* MainMenu_Work = nullptr;
    QMenu* miWork = nullptr;
    QAction* miSettings = nullptr;
    QAction* miExit = nullptr;
    QMenu* miStations = nullptr;
    QTimer* Timer_StationAnim = nullptr;
    QTimer* Timer_BufferChecker = nullptr;

    // The pieces behind the controls.
    work::SelectionController* selection = nullptr;
    work::EntryPoints* entryPoints = nullptr;
    work::StationAlarms* alarms = nullptr;
    work::TablePage* table = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    void buildContainerPage();
    void buildButtonBar();
    void wireSelection();
    void settingsClicked();
    void barItemClicked(int category, int item);
    void showCommandImages();
    void showSelectionImages();
    void restartBlinkAfterHover();
    void hoverEntered(int cluster, int station);
    void hoverLeft(int cluster);
    bool anyStationSelected() const;
    void placeRackPanel(work::RackView* view);

    link::ClusterList& m_clusters;
    WorkWindowHooks m_hooks;
    std::unique_ptr<work::WorkLinkObserver> m_observer;
    std::unique_ptr<work::StationDataBridge> m_stationDataBridge;
    QPointer<TForm_Mnemo> m_mnemo;
    QWidget* m_rackRow = nullptr;        // the scroll box's content: rack panels side by side
    QHBoxLayout* m_rackLayout = nullptr;
    work::TilePictures m_containerPictures;
    work::TilePictures m_mnemoPictures;
    // Category "Кластеры": the cluster position of each item.
    QList<int> m_clusterItems;
    int m_blinkPhase = 0;
    int m_hoveredNumber = -1;
    int m_hoveredCluster = -1;
    bool m_sessionActive = false;
    bool m_endingSession = false;
    bool m_summaryDue = false; // a station left since the last layout
};

// The one instance, set by the program when it creates the window.
extern TForm_Work* Form_Work;

} // namespace kalver
