#include "stationdata/WorkWindowBridge.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace kalver::stationdata {

namespace {

WorkWindowBridge*& installed() {
    static WorkWindowBridge* bridge = nullptr;
    return bridge;
}

QWidget* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

QWidget* workWindow() { return topLevel(QStringLiteral("Form_Work")); }

QTimer* timerOf(const QString& window, const QString& name) {
    QWidget* w = topLevel(window);
    return w ? w->findChild<QTimer*>(name) : nullptr;
}

} // namespace

WorkWindowBridge::~WorkWindowBridge() = default;

bool WorkWindowBridge::tableShown() const {
    QWidget* work = workWindow();
    if (!work)
        return false;
    auto* pages = work->findChild<QTabWidget*>(QStringLiteral("pc_ShowMode"));
    return pages && pages->currentWidget() && pages->currentWidget()->objectName() == QStringLiteral("ts_Table");
}

QList<SelectedTableRow> WorkWindowBridge::selectedTableRows() const {
    QList<SelectedTableRow> rows;
    QWidget* work = workWindow();
    auto* table = work ? work->findChild<QAbstractItemView*>(QStringLiteral("sg_StationData")) : nullptr;
    if (!table || !table->model() || !table->selectionModel())
        return rows;
    QModelIndexList selected = table->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const QAbstractItemModel* model = table->model();
    for (const QModelIndex& index : selected) {
        bool stationOk = false;
        bool clusterOk = false;
        const int station = model->index(index.row(), 0).data().toInt(&stationOk);
        const int cluster = model->index(index.row(), 1).data().toInt(&clusterOk);
        if (stationOk && clusterOk)
            rows.append({cluster, station});
    }
    return rows;
}

bool WorkWindowBridge::clusterInWork(const link::TKlvRack& rack) const {
    return rack.connectionCheckBox && rack.connectionCheckBox->property("checked").toBool();
}

bool WorkWindowBridge::rackVisible(const link::TKlvRack& rack) const {
    auto* panel = qobject_cast<QWidget*>(rack.rackView.data());
    return !panel || !panel->isHidden();
}

bool WorkWindowBridge::stationSelected(const link::TKlvStation& station) const { return station.tile.checked; }

void WorkWindowBridge::suspendWorkSession() {
    if (QTimer* t = timerOf(QStringLiteral("Form_Work"), QStringLiteral("Timer_StationAnim")))
        t->stop();
    if (QTimer* t = timerOf(QStringLiteral("Form_Connection"), QStringLiteral("Timer_NotCriticalMsgs")))
        t->stop();
    if (QWidget* work = workWindow())
        work->setEnabled(false);
}

void WorkWindowBridge::resumeWorkSession() {
    if (QTimer* t = timerOf(QStringLiteral("Form_Work"), QStringLiteral("Timer_StationAnim")))
        t->start();
    if (QTimer* t = timerOf(QStringLiteral("Form_Connection"), QStringLiteral("Timer_NotCriticalMsgs")))
        t->start();
    if (QWidget* work = workWindow())
        work->setEnabled(true);
}

WorkWindowBridge& workWindowBridge() {
    static WorkWindowBridge fallback;
    return installed() ? *installed() : fallback;
}

void setWorkWindowBridge(WorkWindowBridge* bridge) { installed() = bridge; }

} // namespace kalver::stationdata
