#include "work/WorkLinkObserver.h"

#include "config/SettingsAccess.h"
#include "work/Unit_Work.h"

namespace kalver::work {

WorkLinkObserver::WorkLinkObserver(TForm_Work& window) : m_window(window) {}

link::LinkObserver& WorkLinkObserver::stationData() const {
    return m_stationData ? *m_stationData : link::silentObserver();
}

void WorkLinkObserver::logLine(const QString& text, bool bold, const QColor& colour) {
    m_window.GridPanel2->appendLine(text, bold, colour);
}

void WorkLinkObserver::raiseAlarm(int cluster, int station, link::TErrorType code, bool journal) {
    m_window.alarms->raise(cluster, station, code, journal);
}

void WorkLinkObserver::stationCreated(int cluster, int) {
    m_window.stationAppended(cluster);
}

void WorkLinkObserver::stationRemoving(int cluster, int station) {
    m_window.stationRemoving(cluster, station);
}

void WorkLinkObserver::layOutRack(int cluster) {
    m_window.layOutRack(cluster);
}

void WorkLinkObserver::fillDetailPanel(int cluster, int station) {
    m_window.fillDetailPanel(cluster, station);
}

void WorkLinkObserver::refreshTable() {
    m_window.table->requestRefresh();
}

void WorkLinkObserver::clusterDestroying(int cluster) {
    m_window.destroyRackWidgets(cluster);
}

QString WorkLinkObserver::chargeTrendFolder() const {
    return settings::chargeFolder();
}

link::ParameterGrid* WorkLinkObserver::parameterGrid() { return stationData().parameterGrid(); }
link::SmallTable* WorkLinkObserver::smallTable() { return stationData().smallTable(); }
QString WorkLinkObserver::selectedSubsystem() const { return stationData().selectedSubsystem(); }
void WorkLinkObserver::parametersDecoded(int cluster) { stationData().parametersDecoded(cluster); }
int WorkLinkObserver::downloadProgressMaximum() const { return stationData().downloadProgressMaximum(); }
void WorkLinkObserver::setDownloadProgress(int position) { stationData().setDownloadProgress(position); }
void WorkLinkObserver::showClusterNotice(int cluster, const QString& title, const QString& text) {
    stationData().showClusterNotice(cluster, title, text);
}

} // namespace kalver::work
