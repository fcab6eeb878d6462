#include "link/LinkObserver.h"

namespace kalver::link {

LinkObserver::~LinkObserver() = default;

void LinkObserver::logLine(const QString&, bool, const QColor&) {}
void LinkObserver::raiseAlarm(int, int, TErrorType, bool) {}
void LinkObserver::stationCreated(int, int) {}
void LinkObserver::stationRemoving(int, int) {}
void LinkObserver::layOutRack(int) {}
void LinkObserver::fillDetailPanel(int, int) {}
void LinkObserver::refreshTable() {}
void LinkObserver::clusterDestroying(int) {}
QString LinkObserver::chargeTrendFolder() const { return {}; }
ParameterGrid* LinkObserver::parameterGrid() { return nullptr; }
SmallTable* LinkObserver::smallTable() { return nullptr; }
QString LinkObserver::selectedSubsystem() const { return {}; }
void LinkObserver::parametersDecoded(int) {}
int LinkObserver::downloadProgressMaximum() const { return 100; }
void LinkObserver::setDownloadProgress(int) {}
void LinkObserver::showClusterNotice(int, const QString&, const QString&) {}

LinkObserver& silentObserver() {
    static LinkObserver observer;
    return observer;
}

} // namespace kalver::link
