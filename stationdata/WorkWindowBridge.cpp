#include "stationdata/WorkWindowBridge.h"

#include <QAbstractButton>
#include <QWidget>

namespace kalver::stationdata {

namespace {

WorkWindowBridge*& installed() {
    static WorkWindowBridge* bridge = nullptr;
    return bridge;
}

} // namespace

WorkWindowBridge::~WorkWindowBridge() = default;

bool WorkWindowBridge::tableShown() const { return false; }

QList<SelectedStation> WorkWindowBridge::selectedTableRows() const { return {}; }

bool WorkWindowBridge::clusterInWork(const link::TKlvRack& rack) const {
    const auto* box = qobject_cast<const QAbstractButton*>(rack.connectionCheckBox.data());
    return box && box->isChecked();
}

bool WorkWindowBridge::rackVisible(const link::TKlvRack& rack) const {
    auto* panel = qobject_cast<QWidget*>(rack.rackView.data());
    return !panel || !panel->isHidden();
}

bool WorkWindowBridge::stationSelected(const link::TKlvStation& station) const { return station.tile.checked; }

void WorkWindowBridge::suspendWorkSession() {}

void WorkWindowBridge::resumeWorkSession() {}

WorkWindowBridge& workWindowBridge() {
    static WorkWindowBridge fallback;
    return installed() ? *installed() : fallback;
}

void setWorkWindowBridge(WorkWindowBridge* bridge) { installed() = bridge; }

} // namespace kalver::stationdata
