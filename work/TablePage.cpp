#include "work/TablePage.h"

#include "core/ProgramValues.h"
#include "work/FilterPanel.h"
#include "work/StationCellDelegate.h"
#include "work/QuantityBuckets.h"
#include "work/TableColumnWidths.h"
#include "work/ToolImages.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalver::work {

namespace {

struct SortButtonText {
    const char* name;
    const char* hint;
};
const SortButtonText kSortButtons[kSortButtonCount] = {
    {"tb_TableFilter_NumUp", "Сортировать по номеру Станции (возрастание)"},
    {"tb_TableFilter_NumDown", "Сортировать по номеру Станции (убывание)"},
    {"tb_TableFilter_RackUp", "Сортировать по номеру Кластера (возрастание)"},
    {"tb_TableFilter_RackDown", "Сортировать по номеру Кластера (убывание)"},
    {"tb_TableFilter_ChargeUp", "Сортировать по заряду (возрастание)"},
    {"tb_TableFilter_ChargeDown", "Сортировать по заряду (убывание)"},
    {"tb_TableFilter_PressureUp", "Сортировать по давлению (возрастание)"},
    {"tb_TableFilter_PressureDown", "Сортировать по давлению (убывание)"},
    {"tb_TableFilter_FreqErrUp", "Сортировать по уходу часов (возрастание)"},
    {"tb_TableFilter_FreqErrDown", "Сортировать по уходу часов (убывание)"},
    {"tb_TableFilter_FreeMemUp", "Сортировать по свободной памяти (возрастание)"},
    {"tb_TableFilter_FreeMemDown", "Сортировать по свободной памяти (убывание)"},
    {"tb_TableFilter_FilesUp", "Сортировать по количеству файлов (возрастание)"},
    {"tb_TableFilter_FilesDown", "Сортировать по количеству файлов (убывание)"},
};

QStringList bucketItems(Quantity q) {
    QStringList items;
    for (const int bucket : kBucketsInListOrder)
        items << bucketCaption(q, bucket);
    return items;
}

std::array<bool, 3> checkedBuckets(const QListWidget* list) {
    std::array<bool, 3> checked{true, true, true};
    for (int i = 0; i < 3 && i < list->count(); ++i)
        checked[static_cast<std::size_t>(i)] = list->item(i)->checkState() == Qt::Checked;
    return checked;
}

void checkAll(QListWidget* list) {
    const QSignalBlocker block(list);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(Qt::Checked);
}

} // namespace

TablePage::TablePage(link::ClusterList& clusters, QWidget* parent)
    : QWidget(parent), m_clusters(clusters), m_model(new StationTableModel(clusters, this)) {
    setObjectName(QStringLiteral("TablePage"));
    buildToolBar();
    buildFilters();
    buildTable();

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(2);
    body->addWidget(cpg_Filters);
    body->addWidget(sg_StationData, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(ToolBar2);
    layout->addLayout(body, 1);
}

// ---------------------------------------------------------------- construction

void TablePage::buildToolBar() {
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setIconSize(QSize(24, 24));
    const auto button = [this](const QString& name, const QString& hint, int image) {
        auto* b = new QToolButton(ToolBar2);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setIcon(QIcon(tableToolImage(image)));
        b->setAutoRaise(true);
        ToolBar2->addWidget(b);
        return b;
    };
    tb_FilterClear = button(QStringLiteral("tb_FilterClear"), QStringLiteral("Сбросить фильтры"), 0);
    tb_ExpandAll = button(QStringLiteral("tb_ExpandAll"), QStringLiteral("Развернуть фильтры"), 1);
    tb_CollapseAll = button(QStringLiteral("tb_CollapseAll"), QStringLiteral("Свернуть фильтры"), 2);
    ToolBar2->addSeparator();
    m_sortGroup = new QButtonGroup(this);
    m_sortGroup->setExclusive(true);
    for (int i = 0; i < kSortButtonCount; ++i) {
        QToolButton* b = button(QString::fromLatin1(kSortButtons[i].name), QString::fromUtf8(kSortButtons[i].hint), 3 + i);
        b->setCheckable(true);
        m_sortGroup->addButton(b, i);
        sortButtons[static_cast<std::size_t>(i)] = b;
    }
    tb_TableFilter_NumUp = sortButtons[0];
    tb_TableFilter_NumUp->setChecked(true);
    ToolBar2->addSeparator();
    Label4 = new QLabel(QStringLiteral("Выбрать первые "), ToolBar2);
    Label4->setObjectName(QStringLiteral("Label4"));
    ToolBar2->addWidget(Label4);
    se_SelectFirst = new QSpinBox(ToolBar2);
    se_SelectFirst->setObjectName(QStringLiteral("se_SelectFirst"));
    se_SelectFirst->setRange(1, 999);
    se_SelectFirst->setValue(1);
    ToolBar2->addWidget(se_SelectFirst);

    connect(tb_FilterClear, &QToolButton::clicked, this, &TablePage::clearFilters);
    connect(tb_ExpandAll, &QToolButton::clicked, this, [this] {
        for (FilterPanel* p : m_panels)
            p->setExpanded(true);
    });
    connect(tb_CollapseAll, &QToolButton::clicked, this, [this] {
        for (FilterPanel* p : m_panels)
            p->setExpanded(false);
    });
    connect(m_sortGroup, &QButtonGroup::idClicked, this, [this] { requestRefresh(); });
    connect(se_SelectFirst, &QSpinBox::valueChanged, this, &TablePage::selectFirstRows);
}

QListWidget* TablePage::checkList(const QString& name, const QStringList& items, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    return list;
}

QSpinBox* TablePage::spinBox(const QString& name, int minimum, int maximum, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->installEventFilter(this);
    return box;
}

QWidget* TablePage::rangeBoxes(FilterPanel* panel, QSpinBox* from, QSpinBox* to, QPushButton* all) {
    auto* grid = new QGridLayout(panel->content());
    grid->setContentsMargins(4, 2, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("С"), panel->content()), 0, 0);
    grid->addWidget(from, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("По"), panel->content()), 1, 0);
    grid->addWidget(to, 1, 1);
    grid->addWidget(all, 0, 2, 2, 1);
    return panel;
}

void TablePage::buildFilters() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("cpg_Filters"));
    scroll->setFixedWidth(241);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cpg_Filters = scroll;
    auto* column = new QWidget(scroll);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    const auto panel = [this, column, layout](const QString& name, const QString& caption, int height, bool expanded) {
        auto* p = new FilterPanel(name, caption, height, expanded, column);
        layout->addWidget(p);
        m_panels.append(p);
        return p;
    };
    const auto fill = [](FilterPanel* p, QWidget* child) {
        auto* l = new QVBoxLayout(p->content());
        l->setContentsMargins(2, 2, 2, 2);
        l->addWidget(child);
    };

    QStringList columnTitles = tableColumnTitles();
    columnTitles.removeFirst();
    cgp_FilterColumn = panel(QStringLiteral("cgp_FilterColumn"), QStringLiteral("Показывать столбцы"), 200, true);
    clb_FilterColumns = checkList(QStringLiteral("clb_FilterColumns"), columnTitles, cgp_FilterColumn->content());
    fill(cgp_FilterColumn, clb_FilterColumns);

    cpg_Stations = panel(QStringLiteral("cpg_Stations"), QStringLiteral("Показывать Станции"), 85, false);
    se_FilterStationStart = spinBox(QStringLiteral("se_FilterStationStart"), 1, 9999, 1, cpg_Stations->content());
    se_FilterStationEnd = spinBox(QStringLiteral("se_FilterStationEnd"), 1, 9999, 9999, cpg_Stations->content());
    b_ShowAllStations = new QPushButton(QStringLiteral("Все"), cpg_Stations->content());
    b_ShowAllStations->setObjectName(QStringLiteral("b_ShowAllStations"));
    rangeBoxes(cpg_Stations, se_FilterStationStart, se_FilterStationEnd, b_ShowAllStations);

    cpg_FilterRacks = panel(QStringLiteral("cpg_FilterRacks"), QStringLiteral("Показывать Кластеры"), 100, false);
    clb_FilterRacks = checkList(QStringLiteral("clb_FilterRacks"), {}, cpg_FilterRacks->content());
    clb_FilterRacks->setFlow(QListView::LeftToRight);
    clb_FilterRacks->setWrapping(true);
    clb_FilterRacks->setResizeMode(QListView::Adjust);
    clb_FilterRacks->setGridSize(QSize(70, 20));
    fill(cpg_FilterRacks, clb_FilterRacks);

    cgp_FilterCharge = panel(QStringLiteral("cgp_FilterCharge"), QStringLiteral("По заряду"), 120, false);
    clb_FilterCharge = checkList(QStringLiteral("clb_FilterCharge"), bucketItems(Quantity::Charge), cgp_FilterCharge->content());
    fill(cgp_FilterCharge, clb_FilterCharge);

    cgp_FilterPressure = panel(QStringLiteral("cgp_FilterPressure"), QStringLiteral("По давлению"), 120, false);
    clb_FilterPressure =
        checkList(QStringLiteral("clb_FilterPressure"), bucketItems(Quantity::Pressure), cgp_FilterPressure->content());
    fill(cgp_FilterPressure, clb_FilterPressure);

    cpg_ClockErr = panel(QStringLiteral("cpg_ClockErr"), QStringLiteral("По уходу часов"), 85, false);
    se_FilterClockErrMin = spinBox(QStringLiteral("se_FilterClockErrMin"), -100000, 100000, -100000, cpg_ClockErr->content());
    se_FilterClockErrMax = spinBox(QStringLiteral("se_FilterClockErrMax"), -100000, 100000, 100000, cpg_ClockErr->content());
    bSetAllClockFilter = new QPushButton(QStringLiteral("Все"), cpg_ClockErr->content());
    bSetAllClockFilter->setObjectName(QStringLiteral("bSetAllClockFilter"));
    rangeBoxes(cpg_ClockErr, se_FilterClockErrMin, se_FilterClockErrMax, bSetAllClockFilter);

    cpg_FreeMem = panel(QStringLiteral("cpg_FreeMem"), QStringLiteral("По свободной памяти"), 120, false);
    clb_FilterFreeMem = checkList(QStringLiteral("clb_FilterFreeMem"), bucketItems(Quantity::FreeMemory), cpg_FreeMem->content());
    fill(cpg_FreeMem, clb_FilterFreeMem);

    cgp_FilterState = panel(QStringLiteral("cgp_FilterState"), QStringLiteral("По состоянию"), 220, false);
    clb_FilterState = checkList(QStringLiteral("clb_FilterState"), tableStateItemTexts(), cgp_FilterState->content());
    fill(cgp_FilterState, clb_FilterState);
    layout->addStretch(1);
    scroll->setWidget(column);

    for (QListWidget* list : {clb_FilterRacks, clb_FilterCharge, clb_FilterPressure, clb_FilterFreeMem, clb_FilterState})
        connect(list, &QListWidget::itemChanged, this, [this] { requestRefresh(); });
    connect(clb_FilterColumns, &QListWidget::itemChanged, this, &TablePage::applyColumnVisibility);
    connect(b_ShowAllStations, &QPushButton::clicked, this, &TablePage::showAllStations);
    connect(bSetAllClockFilter, &QPushButton::clicked, this, &TablePage::showAllDrift);
    // The unknown-drift value follows the lower drift bound.
    connect(se_FilterClockErrMin, &QSpinBox::valueChanged, this, [this] { m_model->setDriftUnknown(driftUnknown()); });
}

void TablePage::buildTable() {
    sg_StationData = new FixedColumnTableView(this);
    sg_StationData->setObjectName(QStringLiteral("sg_StationData"));
    sg_StationData->setModel(m_model);
    sg_StationData->setItemDelegate(new StationCellDelegate(sg_StationData));
    sg_StationData->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_StationData->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sg_StationData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_StationData->setWordWrap(false);
    sg_StationData->setTextElideMode(Qt::ElideNone);
    sg_StationData->verticalHeader()->setVisible(false);
    sg_StationData->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg_StationData->verticalHeader()->setDefaultSectionSize(24);
    sg_StationData->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sg_StationData->horizontalHeader()->setHighlightSections(false);
    fitColumnWidths();
    sg_StationData->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sg_StationData, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        if (m_stationMenu)
            m_stationMenu->popup(sg_StationData->viewport()->mapToGlobal(at));
    });
    sg_StationData->viewport()->installEventFilter(this);
    sg_StationData->installEventFilter(this);
    sg_StationData->fixedViewport()->installEventFilter(this);
    sg_StationData->followTable();
}

// ---------------------------------------------------------------- refresh

void TablePage::requestRefresh() {
    if (m_refreshPosted)
        return;
    m_refreshPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_refreshPosted)
                refreshNow();
        },
        Qt::QueuedConnection);
}

void TablePage::refreshNow() {
    m_refreshPosted = false;
    m_model->setDriftUnknown(driftUnknown());
    m_model->setRows(tableRows(m_clusters, filters(), sortButton()));
    // The grid's current row: the first one when the refresh left none selected.
    QItemSelectionModel* selection = sg_StationData->selectionModel();
    if (m_model->rowCount() > 0 && !selection->hasSelection()) {
        const QModelIndex first = m_model->index(0, 0);
        selection->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (isVisible())
            refreshTableSummary();
    }
}

TableFilters TablePage::filters() const {
    TableFilters f;
    f.stationStart = se_FilterStationStart->value();
    f.stationEnd = se_FilterStationEnd->value();
    f.racks.reserve(static_cast<std::size_t>(clb_FilterRacks->count()));
    for (int i = 0; i < clb_FilterRacks->count(); ++i)
        f.racks.push_back(clb_FilterRacks->item(i)->checkState() == Qt::Checked);
    f.charge = checkedBuckets(clb_FilterCharge);
    f.pressure = checkedBuckets(clb_FilterPressure);
    f.freeMemory = checkedBuckets(clb_FilterFreeMem);
    f.driftMin = se_FilterClockErrMin->value();
    f.driftMax = se_FilterClockErrMax->value();
    for (int i = 0; i < kTableStateItemCount; ++i)
        f.states[static_cast<std::size_t>(i)] = i >= clb_FilterState->count() || clb_FilterState->item(i)->checkState() == Qt::Checked;
    f.accessLevel = program().accessLevel;
    return f;
}

SortButton TablePage::sortButton() const {
    const int id = m_sortGroup->checkedId();
    return id >= 0 ? static_cast<SortButton>(id) : SortButton::NumUp;
}

void TablePage::setSortButton(SortButton button) {
    sortButtons[static_cast<std::size_t>(button)]->setChecked(true);
    requestRefresh();
}

int TablePage::driftUnknown() const { return se_FilterClockErrMin->value() - 1; }

// ---------------------------------------------------------------- filter controls

void TablePage::applyColumnVisibility() {
    for (int i = 0; i < clb_FilterColumns->count(); ++i) {
        const int column = i + 1;
        if (clb_FilterColumns->item(i)->checkState() == Qt::Checked) {
            sg_StationData->setColumnHidden(column, false);
            sg_StationData->setColumnWidth(column, fittedColumnWidth(*sg_StationData->horizontalHeader(), column));
        } else {
            sg_StationData->setColumnHidden(column, true);
        }
    }
}

void TablePage::fitColumnWidths() {
    const QHeaderView& header = *sg_StationData->horizontalHeader();
    for (int c = 0; c < kTableColumnCount; ++c)
        if (!sg_StationData->isColumnHidden(c))
            sg_StationData->setColumnWidth(c, fittedColumnWidth(header, c));
}

void TablePage::clearFilters() {
    for (QListWidget* list :
         {clb_FilterCharge, clb_FilterColumns, clb_FilterFreeMem, clb_FilterPressure, clb_FilterRacks, clb_FilterState})
        checkAll(list);
    // The column check marks and the visible columns agree again.
    applyColumnVisibility();
    showAllStations();
    showAllDrift();
}

void TablePage::showAllStations() {
    se_FilterStationStart->setValue(se_FilterStationStart->minimum());
    se_FilterStationEnd->setValue(se_FilterStationEnd->maximum());
    requestRefresh();
}

void TablePage::showAllDrift() {
    se_FilterClockErrMin->setValue(se_FilterClockErrMin->minimum());
    se_FilterClockErrMax->setValue(se_FilterClockErrMax->maximum());
    requestRefresh();
}

void TablePage::spinBoxLeft(QSpinBox* box) {
    box->interpretText();
    if (box == se_FilterStationStart)
        se_FilterStationEnd->setMinimum(box->value());
    else if (box == se_FilterStationEnd)
        se_FilterStationStart->setMaximum(box->value());
    else if (box == se_FilterClockErrMin)
        se_FilterClockErrMax->setMinimum(box->value());
    else if (box == se_FilterClockErrMax)
        se_FilterClockErrMin->setMaximum(box->value());
    else
        return;
    requestRefresh();
}

bool TablePage::eventFilter(QObject* watched, QEvent* event) {
    const bool spin = watched == se_FilterStationStart || watched == se_FilterStationEnd ||
                      watched == se_FilterClockErrMin || watched == se_FilterClockErrMax;
    if (spin) {
        if (event->type() == QEvent::FocusOut) {
            spinBoxLeft(static_cast<QSpinBox*>(watched));
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QSpinBox*>(watched)->interpretText();
                requestRefresh();
            }
        }
    } else if (sg_StationData && (watched == sg_StationData->viewport() || watched == sg_StationData->fixedViewport()) &&
               event->type() == QEvent::MouseButtonRelease) {
        refreshTableSummary();
    } else if (watched == sg_StationData && event->type() == QEvent::KeyRelease) {
        refreshTableSummary();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- session

void TablePage::fillClusterFilter(int clusterCount) {
    {
        const QSignalBlocker block(clb_FilterRacks);
        clb_FilterRacks->clear();
        for (int n = 1; n <= clusterCount; ++n) {
            auto* item = new QListWidgetItem(QString::number(n), clb_FilterRacks);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    }
    requestRefresh();
}

void TablePage::setStationNumberMaximum(int maximum) {
    se_FilterStationStart->setMaximum(maximum);
    se_FilterStationEnd->setMaximum(maximum);
    se_FilterStationStart->setValue(se_FilterStationStart->minimum());
    se_FilterStationEnd->setValue(se_FilterStationEnd->maximum());
    requestRefresh();
}

void TablePage::refillStateFilter() {
    {
        const QSignalBlocker block(clb_FilterState);
        clb_FilterState->clear();
        for (const QString& text : tableStateItemTexts()) {
            auto* item = new QListWidgetItem(text, clb_FilterState);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    }
    requestRefresh();
}

// ---------------------------------------------------------------- selection

void TablePage::setStationMenu(QMenu* menu) { m_stationMenu = menu; }


void TablePage::selectFirstRows(int n) {
    const int rows = std::min(n, m_model->rowCount());
    QItemSelectionModel* selection = sg_StationData->selectionModel();
    if (rows <= 0) {
        selection->clearSelection();
    } else {
        const QItemSelection range(m_model->index(0, 0), m_model->index(rows - 1, kTableColumnCount - 1));
        selection->select(range, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
    }
    sg_StationData->viewport()->update();
    refreshTableSummary();
}

std::vector<TableRow> TablePage::selectedStations() const {
    std::vector<TableRow> rows;
    const QModelIndexList selected = sg_StationData->selectionModel()->selectedRows();
    std::vector<int> numbers;
    for (const QModelIndex& index : selected)
        numbers.push_back(index.row());
    std::sort(numbers.begin(), numbers.end());
    for (const int row : numbers)
        if (row >= 0 && static_cast<std::size_t>(row) < m_model->rows().size() && m_model->stationAt(row))
            rows.push_back(m_model->rows()[static_cast<std::size_t>(row)]);
    return rows;
}

SelectionSummary TablePage::tableSelectionSummary() const {
    const QModelIndexList selected = sg_StationData->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return tableSummary(0, 0, 0);
    int top = selected.first().row();
    int bottom = top;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    return tableSummary(bottom - top + 1, m_model->stationNumberAt(top), m_model->stationNumberAt(bottom));
}

void TablePage::refreshTableSummary() { emit summaryChanged(tableSelectionSummary()); }

void TablePage::pageShown() {
    if (m_model->rowCount() == 0)
        return;
    refreshTableSummary();
    sg_StationData->setFocus();
}

} // namespace kalver::work
