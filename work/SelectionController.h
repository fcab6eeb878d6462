#pragma once
// The selection of the container page: the menu "Выбор" (miSelect) with its check items and range
// items, the category-0 items of the button bar, the rack headers' select-all boxes, and the selection
// summary. The filter state lives in SelectionFilters; the selection itself is the tiles' check boxes
// in the station records (TileState::checked).
//
// TForm_Work owns one controller, puts `selectMenu()` into its main menu "Станции", gives it the rack
// query (hidden racks, checked select-all boxes) and the table page's range boxes, sends it the clicks
// of category 0 (clickSelectionItem) and of the select-all boxes (selectAllClicked), calls
// refreshSummary() whenever a tile's check box changes, and listens to:
// - tilesChanged(): check boxes changed, repaint the racks;
// - summaryChanged(summary): pass it to EntryPoints::showSummary;
// - selectionImagesChanged(): set the category-0 images from selectionItemImage().

#include "link/ClusterList.h"
#include "work/SelectionFilters.h"
#include "work/SelectionRules.h"
#include "work/SelectionSummary.h"
#include "work/Unit_SelFilter.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QSpinBox;
class QWidget;

namespace kalver::work {

class SelectionController : public QObject {
    Q_OBJECT
public:
    SelectionController(link::ClusterList& clusters, QWidget* menuParent, QObject* parent = nullptr);
    ~SelectionController() override;

    const SelectionFilters& filters() const { return m_filters; }
    QMenu* selectMenu() const { return miSelect; }

    void setRackQuery(RackQuery query) { m_racks = std::move(query); }
    // The table's boxes whose limits the range dialog takes: station start/end, drift min/max.
    void setRangeBoxes(QSpinBox* stationStart, QSpinBox* stationEnd, QSpinBox* driftMin, QSpinBox* driftMax);
    // Shows the range dialog prepared with the two boxes; gives the range on OK. By default the program's
    // Form_SelFilter (or a dialog of this controller's own when there is none); tests script answers.
    using RangeAsker = std::function<std::optional<Range>(const RangeBox& begin, const RangeBox& end)>;
    void setRangeAsker(RangeAsker asker) { m_askRange = std::move(asker); }

    // --- the operator's commands
    void toggleBucket(Quantity q, int bucket);
    void toggleState(StateItem item);
    void selectByNumber();
    void selectByDrift();
    // miUnselect: deselect all, clear every filter, inactive images.
    void reset();
    // Category-0 item `item` (0 ... 21) clicked.
    void clickSelectionItem(int item);
    // The select-all box of `cluster` now shows `checked`.
    void selectAllClicked(int cluster, bool checked);

    // --- called by the window
    // Recomputes every station's selection from the filters (also when a rack is shown or hidden).
    void recompute();
    // Counts the checked tiles and reports the summary.
    void refreshSummary();

    // --- the menu's items, named as the window names them
    QMenu* miSelect = nullptr;
    QAction* miUnselect = nullptr;
    QAction* miSelectByNumber = nullptr;
    QMenu* miSelectByCharge = nullptr;
    QMenu* miSelectByPressure = nullptr;
    QAction* miSelectByFreqErr = nullptr;
    QMenu* miSelectByFreeMem = nullptr;
    QMenu* miSelectByState = nullptr;
    // Bucket items [quantity][list position]: miCharge2, miCharge1, miCharge0, miPressure2 ...
    std::array<std::array<QAction*, 3>, 3> bucketItems{};
    // miStateCharging ... miStateNotGenCorrection.
    std::array<QAction*, kStateItemCount> stateItems{};

signals:
    void tilesChanged();
    void summaryChanged(const kalver::work::SelectionSummary& summary);
    void selectionImagesChanged();

private:
    void buildMenu(QWidget* menuParent);
    QMenu* quantityMenu(Quantity q, const QString& name, const QString& caption, const QString& itemPrefix);
    void showFilters();
    void afterSelectionChange(bool changed);
    std::optional<Range> askRange(QSpinBox* beginSource, QSpinBox* endSource, RangeBox beginDefault,
                                  RangeBox endDefault);

    link::ClusterList& m_clusters;
    SelectionFilters m_filters;
    RackQuery m_racks;
    RangeAsker m_askRange;
    QPointer<QSpinBox> m_stationStart;
    QPointer<QSpinBox> m_stationEnd;
    QPointer<QSpinBox> m_driftMin;
    QPointer<QSpinBox> m_driftMax;
    QPointer<TForm_SelFilter> m_ownDialog;
    QPointer<QWidget> m_menuParent;
};

} // namespace kalver::work
