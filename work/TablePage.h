#pragma once
// The content of the work window's page ts_Table "Таблица Станций": the tool bar ToolBar2 (clear,
// expand and collapse the filters, the 14 sort buttons, "Выбрать первые" se_SelectFirst), the filter
// panels cpg_Filters on the left and the station table sg_StationData (a table view over
// StationTableModel whose first column, the station number, stays in place while the other columns
// scroll sideways). While the table has rows it has a current row: a refresh that leaves no row
// selected selects the first one, as a grid keeps its current row.
//
// TForm_Work puts one TablePage on ts_Table and:
// - calls requestRefresh() for every refresh request (the link observer's refreshTable, a closed
//   cluster connection); requests made within one turn of the event loop run once;
// - when a session is entered, calls fillClusterFilter() and setStationNumberMaximum();
// - gives it PopupMenu_Station for the rows (setStationMenu) and passes summaryChanged to
//   EntryPoints::showSummary while the page is shown; calls pageShown() when the page becomes current;
// - reads driftUnknown() for the detail panel's drift label;
// - lets the station data window read the selected rows (selectedStations()).
// The test and generator-tuning items of clb_FilterState act only at access level 3 (the program's
// access level at the time of the refresh).

#include "link/ClusterList.h"
#include "work/FixedColumnTableView.h"
#include "work/SelectionSummary.h"
#include "work/StationTableModel.h"
#include "work/TableFilters.h"
#include "work/TableRows.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class QButtonGroup;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace kalver::work {

class FilterPanel;

class TablePage : public QWidget {
    Q_OBJECT
public:
    TablePage(link::ClusterList& clusters, QWidget* parent = nullptr);

    // --- refresh
    // Asks for a refresh; several requests before the event loop turns run once.
    void requestRefresh();
    // Gathers, sorts, filters and shows the rows now.
    void refreshNow();
    bool refreshPending() const { return m_refreshPosted; }

    // The filters and the sort as the controls hold them.
    TableFilters filters() const;
    SortButton sortButton() const;
    void setSortButton(SortButton button);
    // The drift that reads as unknown: the lower drift bound minus one.
    int driftUnknown() const;

    // --- session
    // clb_FilterRacks: one checked item per configured cluster, its number as text.
    void fillClusterFilter(int clusterCount);
    // se_FilterStationStart / se_FilterStationEnd: maximum `maximum`, start at its minimum, end at it.
    void setStationNumberMaximum(int maximum);
    // clb_FilterState refilled with every state item, all checked.
    void refillStateFilter();
    void setStationMenu(QMenu* menu);

    // --- selection of the table page
    // Selects rows 1 ... n (only the rows that exist) and reports the summary.
    void selectFirstRows(int n);
    // The selected rows that exist, top to bottom.
    std::vector<TableRow> selectedStations() const;
    SelectionSummary tableSelectionSummary() const;
    // Reports the table's selection summary.
    void refreshTableSummary();
    // The page became the shown page: with rows, the summary is reported and the table takes the focus.
    void pageShown();

    StationTableModel* model() const { return m_model; }

    // --- controls
    QToolBar* ToolBar2 = nullptr;
    QToolButton* tb_FilterClear = nullptr;
    QToolButton* tb_ExpandAll = nullptr;
    QToolButton* tb_CollapseAll = nullptr;
    std::array<QToolButton*, kSortButtonCount> sortButtons{};
    QToolButton* tb_TableFilter_NumUp = nullptr;
    QLabel* Label4 = nullptr;
    QSpinBox* se_SelectFirst = nullptr;
    QWidget* cpg_Filters = nullptr;
    FilterPanel* cgp_FilterColumn = nullptr;
    QListWidget* clb_FilterColumns = nullptr;
    FilterPanel* cpg_Stations = nullptr;
    QSpinBox* se_FilterStationStart = nullptr;
    QSpinBox* se_FilterStationEnd = nullptr;
    QPushButton* b_ShowAllStations = nullptr;
    FilterPanel* cpg_FilterRacks = nullptr;
    QListWidget* clb_FilterRacks = nullptr;
    FilterPanel* cgp_FilterCharge = nullptr;
    QListWidget* clb_FilterCharge = nullptr;
    FilterPanel* cgp_FilterPressure = nullptr;
    QListWidget* clb_FilterPressure = nullptr;
    FilterPanel* cpg_ClockErr = nullptr;
    QSpinBox* se_FilterClockErrMin = nullptr;
    QSpinBox* se_FilterClockErrMax = nullptr;
    QPushButton* bSetAllClockFilter = nullptr;
    FilterPanel* cpg_FreeMem = nullptr;
    QListWidget* clb_FilterFreeMem = nullptr;
    FilterPanel* cgp_FilterState = nullptr;
    QListWidget* clb_FilterState = nullptr;
    FixedColumnTableView* sg_StationData = nullptr;

signals:
    void summaryChanged(const kalver::work::SelectionSummary& summary);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildFilters();
    void buildTable();
    QListWidget* checkList(const QString& name, const QStringList& items, QWidget* parent);
    QSpinBox* spinBox(const QString& name, int minimum, int maximum, int value, QWidget* parent);
    QWidget* rangeBoxes(FilterPanel* panel, QSpinBox* from, QSpinBox* to, QPushButton* all);
    void applyColumnVisibility();
    // Gives every shown column its width: the default, or what its title needs (TableColumnWidths.h).
    void fitColumnWidths();
    void clearFilters();
    void showAllStations();
    void showAllDrift();
    void spinBoxLeft(QSpinBox* box);

    link::ClusterList& m_clusters;
    StationTableModel* m_model;
    QButtonGroup* m_sortGroup = nullptr;
    QList<FilterPanel*> m_panels;
    QPointer<QMenu> m_stationMenu;
    bool m_refreshPosted = false;
};

} // namespace kalver::work
