#include "work/SelectionController.h"

#include "work/SelectionButtons.h"

#include <QAction>
#include <QMenu>
#include <QSpinBox>

namespace kalver::work {

namespace {

const QString kStateCaptions[kStateItemCount] = {
    QStringLiteral("заряжающиеся"),       QStringLiteral("не заряжающиеся"),
    QStringLiteral("РЕГИСТРАЦИЯ идет"),   QStringLiteral("РЕГИСТРАЦИИ нет"),
    QStringLiteral("СКАЧИВАНИЕ идет"),    QStringLiteral("СКАЧИВАНИЯ нет"),
    QStringLiteral("ТЕСТ запущен"),       QStringLiteral("ТЕСТ не запущен"),
    QStringLiteral("НАСТРОЙКА ГЕН. идет"), QStringLiteral("НАСТРОЙКА ГЕН. не запущена"),
};
const QString kStateNames[kStateItemCount] = {
    QStringLiteral("miStateCharging"),      QStringLiteral("miStateNotCharging"),
    QStringLiteral("miStateRegging"),       QStringLiteral("miStateNotRegging"),
    QStringLiteral("miStateDownloading"),   QStringLiteral("miStateNotDownloading"),
    QStringLiteral("miStateTesting"),       QStringLiteral("miStateNotTesting"),
    QStringLiteral("miStateGenCorrection"), QStringLiteral("miStateNotGenCorrection"),
};

QAction* checkItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(true);
    return a;
}

} // namespace

SelectionController::SelectionController(link::ClusterList& clusters, QWidget* menuParent, QObject* parent)
    : QObject(parent), m_clusters(clusters), m_racks(defaultRackQuery(clusters)), m_menuParent(menuParent) {
    buildMenu(menuParent);
    showFilters();
}

SelectionController::~SelectionController() {
    if (m_menuParent.isNull())
        delete miSelect;
    delete m_ownDialog.data();
}

QMenu* SelectionController::quantityMenu(Quantity q, const QString& name, const QString& caption,
                                         const QString& itemPrefix) {
    QMenu* sub = miSelect->addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    sub->menuAction()->setCheckable(true);
    for (std::size_t i = 0; i < 3; ++i) {
        const int bucket = kBucketsInListOrder[i];
        QAction* a = checkItem(sub, itemPrefix + QString::number(bucket), bucketCaption(q, bucket));
        bucketItems[static_cast<std::size_t>(q)][i] = a;
        connect(a, &QAction::triggered, this, [this, q, bucket] { toggleBucket(q, bucket); });
    }
    return sub;
}

void SelectionController::buildMenu(QWidget* menuParent) {
    miSelect = new QMenu(QStringLiteral("Выбор"), menuParent);
    miSelect->setObjectName(QStringLiteral("miSelect"));
    miSelect->menuAction()->setObjectName(QStringLiteral("miSelect"));

    miUnselect = miSelect->addAction(QStringLiteral("сбросить выделение"));
    miUnselect->setObjectName(QStringLiteral("miUnselect"));
    connect(miUnselect, &QAction::triggered, this, &SelectionController::reset);

    miSelectByNumber = checkItem(miSelect, QStringLiteral("miSelectByNumber"), QStringLiteral("по номеру"));
    connect(miSelectByNumber, &QAction::triggered, this, &SelectionController::selectByNumber);

    miSelectByCharge = quantityMenu(Quantity::Charge, QStringLiteral("miSelectByCharge"), QStringLiteral("по заряду"),
                                    QStringLiteral("miCharge"));
    miSelectByPressure = quantityMenu(Quantity::Pressure, QStringLiteral("miSelectByPressure"),
                                      QStringLiteral("по давлению"), QStringLiteral("miPressure"));

    miSelectByFreqErr = checkItem(miSelect, QStringLiteral("miSelectByFreqErr"), QStringLiteral("по уходу часов"));
    connect(miSelectByFreqErr, &QAction::triggered, this, &SelectionController::selectByDrift);

    miSelectByFreeMem = quantityMenu(Quantity::FreeMemory, QStringLiteral("miSelectByFreeMem"),
                                     QStringLiteral("по свободной памяти"), QStringLiteral("miFreeMem"));

    miSelectByState = miSelect->addMenu(QStringLiteral("по состоянию"));
    miSelectByState->setObjectName(QStringLiteral("miSelectByState"));
    miSelectByState->menuAction()->setObjectName(QStringLiteral("miSelectByState"));
    miSelectByState->menuAction()->setCheckable(true);
    for (int i = 0; i < kStateItemCount; ++i) {
        QAction* a = checkItem(miSelectByState, kStateNames[i], kStateCaptions[i]);
        stateItems[static_cast<std::size_t>(i)] = a;
        const auto item = static_cast<StateItem>(i);
        connect(a, &QAction::triggered, this, [this, item] { toggleState(item); });
    }
}

void SelectionController::setRangeBoxes(QSpinBox* stationStart, QSpinBox* stationEnd, QSpinBox* driftMin,
                                        QSpinBox* driftMax) {
    m_stationStart = stationStart;
    m_stationEnd = stationEnd;
    m_driftMin = driftMin;
    m_driftMax = driftMax;
}

// The menu shows the filter state: check marks (a parent while one of its children is checked) and
// the captions of the range items.
void SelectionController::showFilters() {
    for (std::size_t q = 0; q < 3; ++q)
        for (std::size_t i = 0; i < 3; ++i)
            bucketItems[q][i]->setChecked(m_filters.bucketChecked(static_cast<Quantity>(q), kBucketsInListOrder[i]));
    miSelectByCharge->menuAction()->setChecked(m_filters.quantityChecked(Quantity::Charge));
    miSelectByPressure->menuAction()->setChecked(m_filters.quantityChecked(Quantity::Pressure));
    miSelectByFreeMem->menuAction()->setChecked(m_filters.quantityChecked(Quantity::FreeMemory));
    for (int i = 0; i < kStateItemCount; ++i)
        stateItems[static_cast<std::size_t>(i)]->setChecked(m_filters.stateChecked(static_cast<StateItem>(i)));
    miSelectByState->menuAction()->setChecked(m_filters.byStateChecked());
    miSelectByNumber->setChecked(m_filters.numberRange().has_value());
    miSelectByNumber->setText(m_filters.numberCaption());
    miSelectByFreqErr->setChecked(m_filters.driftRange().has_value());
    miSelectByFreqErr->setText(m_filters.driftCaption());
    emit selectionImagesChanged();
}

void SelectionController::afterSelectionChange(bool changed) {
    if (changed)
        emit tilesChanged();
    // Every change of a check box refreshes the summary, as its click would.
    refreshSummary();
}

void SelectionController::recompute() { afterSelectionChange(recomputeSelection(m_clusters, m_filters, m_racks)); }

void SelectionController::refreshSummary() { emit summaryChanged(containerSummary(m_clusters)); }

void SelectionController::toggleBucket(Quantity q, int bucket) {
    m_filters.toggleBucket(q, bucket);
    showFilters();
    recompute();
}

void SelectionController::toggleState(StateItem item) {
    m_filters.toggleState(item);
    showFilters();
    recompute();
}

std::optional<Range> SelectionController::askRange(QSpinBox* beginSource, QSpinBox* endSource,
                                                   RangeBox beginDefault, RangeBox endDefault) {
    RangeBox begin = beginDefault;
    RangeBox end = endDefault;
    if (beginSource)
        begin = {beginSource->minimum(), beginSource->maximum(), beginSource->minimum()};
    if (endSource)
        end = {endSource->minimum(), endSource->maximum(), endSource->maximum()};
    if (m_askRange)
        return m_askRange(begin, end);
    TForm_SelFilter* dialog = Form_SelFilter;
    if (!dialog) {
        if (!m_ownDialog)
            m_ownDialog = new TForm_SelFilter(m_menuParent);
        dialog = m_ownDialog;
    }
    return dialog->ask(begin, end);
}

void SelectionController::selectByNumber() {
    const auto range = askRange(m_stationStart, m_stationEnd, {1, 9999, 1}, {1, 9999, 9999});
    if (range) {
        m_filters.setNumberRange(*range);
        showFilters();
        recompute();
    } else {
        showFilters();
    }
}

void SelectionController::selectByDrift() {
    const RangeBox lower{kDriftRangeLowest, -kDriftRangeLowest, kDriftRangeLowest};
    const RangeBox upper{kDriftRangeLowest, -kDriftRangeLowest, -kDriftRangeLowest};
    const auto range = askRange(m_driftMin, m_driftMax, lower, upper);
    if (range) {
        m_filters.setDriftRange(*range);
        showFilters();
        recompute();
    } else {
        showFilters();
    }
}

void SelectionController::reset() {
    const bool changed = deselectAll(m_clusters);
    m_filters.reset();
    showFilters();
    afterSelectionChange(changed);
}

void SelectionController::clickSelectionItem(int item) {
    if (item < 0 || item >= kSelectionItemCount)
        return;
    const SelectionItemAction a = selectionItemAction(item);
    switch (a.kind) {
    case SelectionItemAction::Reset: reset(); break;
    case SelectionItemAction::DriftRange: selectByDrift(); break;
    case SelectionItemAction::NumberRange: selectByNumber(); break;
    case SelectionItemAction::Bucket: toggleBucket(a.quantity, a.bucket); break;
    case SelectionItemAction::State: toggleState(a.state); break;
    }
}

void SelectionController::selectAllClicked(int cluster, bool checked) {
    afterSelectionChange(setClusterChecked(m_clusters, cluster, checked));
}

} // namespace kalver::work
