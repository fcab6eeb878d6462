#pragma once
// The station data window `TForm_StationData` (`Form_StationData`): the one place where commands on
// stations are prepared, sent and acknowledged, and where one station is examined. Every group command
// of the work window opens it for the current selection on a page with an operation; the window lists
// the stations the operation admits per cluster, and while it is shown the work window is disabled and
// its blink and poll timers stand still.
//
// Pages: 0 `ts_StartStop` "Операции управления" (OperationsPage), 1 `ts_RegData` "Информация по Станции",
// 2 `ts_ChargeData` "Просмотр кривых заряда", 3 `ts_StationParam` "Подсистемы Станции". The tool bar
// `tb_RackTurt` with the choosers `cbServer` and `cbStation` shows on pages 1 and 3 only.
//
// The window's inputs persist in "settings_StD.ini" in the program folder: read at creation, written
// at closing.
//
// A running operation (the "Выполнить" wait) cannot be joined by a second one, nor by a new fill; a
// close asked for during it ends the operation at its next step and then closes the window.

#include "link/ClusterList.h"
#include "stationdata/OperationRunner.h"
#include "stationdata/SelectionListing.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QTabWidget;
class QToolBar;

namespace kalver {
class TForm_Timeout;
}

namespace kalver::stationdata {

class ChargeCurvesPage;
class FileCatalogPage;
class OperationsPage;
class StationDataObserver;
class SubsystemPage;
class TrayBalloon;

// Pages of `pc_ControlMode`.
namespace page {
inline constexpr int Operations = 0;
inline constexpr int StationInfo = 1;
inline constexpr int ChargeCurves = 2;
inline constexpr int Subsystems = 3;
} // namespace page

class TForm_StationData : public QWidget, private OperationView {
    Q_OBJECT
public:
    // `clusters`: the cluster list the window works on (the program's list by default).
    explicit TForm_StationData(link::ClusterList& clusters = link::clusters(), QWidget* parent = nullptr);
    ~TForm_StationData() override;

    // Open for selection: the work window's group commands call this with page 0 and an operation
    // 0...14, or with page 1, 2 or 3 (the operation is then 4, which admits every station).
    void openForSelection(int page, int operation);
    // Fill from selection: choosers, status grid, channel groups and the warning balloon.
    void fillFromSelection(bool withChargeCurves, int operation);

    // True while "Выполнить" runs an operation.
    bool operationRunning() const { return m_running; }
    // The operation runner's last wait, in steps (for tests and the log).
    int lastWaitSteps() const { return m_lastWaitSteps; }
    // The path of "settings_StD.ini".
    static QString inputsFilePath();

    // The window's part of the cluster link's observer, for the work window to pass calls on to.
    link::LinkObserver& linkObserver();
    // Page 3 is shown only to developers (access level 3); page 2 at every level (its chart is empty
    // below level 3).
    void setDeveloperPages(bool developer);
    // The notification-area icon goes at the end of the program.
    void hideTrayIcon();

    QToolBar* tb_RackTurt;
    QLabel* Label1;
    QComboBox* cbServer;
    QLabel* Label2;
    QComboBox* cbStation;
    QTabWidget* pc_ControlMode;
    OperationsPage* ts_StartStop;
    QWidget* ts_RegData;
    QWidget* ts_ChargeData;
    QWidget* ts_StationParam;
    // The contents of pages 1, 2 and 3.
    FileCatalogPage* fileCatalog;
    ChargeCurvesPage* chargeCurves;
    SubsystemPage* subsystems;
    QGroupBox* GroupBox1;           // on page 1, right of the file catalogue
    QPlainTextEdit* Memo_StationErrors;
    QProgressBar* pb_StartStop;
    TrayBalloon* tray;

    // The wait dialog the operations use: the program's Form_Timeout, or one of the window's own.
    kalver::TForm_Timeout* timeoutDialog();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void buildPages();
    void loadInputsFile();

    void b_StartStopClick();
    // Becoming active: page 3 by the access level, the quick-entry field, page 1's file choice and range
    // pickers cleared and disabled.
    void becomeActive();
    void pageChanged(int index);
    void cbServerChange();
    void cbServerCloseUp();
    void cbStationChange();
    void fillStationErrors(const link::TKlvStation& station);
    void sizeStatusGrid();
    void setChoosersFrom(const SelectionListing& listing);
    void showConfigurationWarning(const SelectionListing& listing);
    // The close steps: page resets, "settings_StD.ini", the work session resumed.
    void finishClose();

    // --- pages 1...3 (file catalogue, charge curves, subsystems)
    void resetFileView();
    void undoFileZoom();
    void removeChargeCurves();
    void addChargeCurve(int clusterNumber, std::int32_t stationNumber);
    void resetSubsystems();
    void loadSubsystemList(int clusterPosition, std::int32_t stationNumber);
    void takeDownloadPeriod(const QDateTime& begin, const QDateTime& end);

    // --- OperationView
    int rowCount() const override;
    int rowCluster(int row) const override;
    QList<std::int32_t> rowStations(int row) const override;
    void setRowState(int row, const QString& text) override;
    void setProgress(int maximum, int position) override;
    void showWaitDialog() override;
    bool waitAborted() const override;
    void closeWaitDialog() override;
    bool closeRequested() const override { return m_closeRequested; }

    link::ClusterList& m_clusters;
    std::unique_ptr<StationDataObserver> m_observer;
    QPointer<kalver::TForm_Timeout> m_connectedTimeout;
    kalver::TForm_Timeout* m_ownTimeout = nullptr;
    bool m_running = false;
    bool m_closeRequested = false;
    bool m_closedWhileFilling = false;
    bool m_closing = false;
    int m_lastWaitSteps = 0;
};

// The program's instance, created at start-up.
extern TForm_StationData* Form_StationData;

// Opens the station data window for the work window's current selection on `page` with `operation`
// (the entry point of every group command). Does nothing before the window exists.
void openStationDataForSelection(int page, int operation);

} // namespace kalver::stationdata
