#include "fakes/RecordingObserver.h"

namespace kalver::test {

RecordingObserver::RecordingObserver(link::ClusterList& list) : m_list(list) { m_list.setObserver(this); }

RecordingObserver::~RecordingObserver() {
    if (&m_list.observer() == this)
        m_list.setObserver(nullptr);
}

void RecordingObserver::logLine(const QString& text, bool bold, const QColor& colour) {
    lines.append({text, bold, colour});
}

void RecordingObserver::raiseAlarm(int cluster, int station, link::TErrorType code, bool journal) {
    alarms.append({cluster, station, code, journal});
    if (keepAlarms && m_list.isValid(cluster) && station >= 0 && station < m_list.at(cluster).stationCount())
        m_list.at(cluster).station(station).addAlarm(code);
}

void RecordingObserver::stationCreated(int cluster, int station) {
    created.append({cluster, station});
    if (onStationCreated)
        onStationCreated(cluster, station);
}

void RecordingObserver::stationRemoving(int cluster, int station) { removed.append({cluster, station}); }
void RecordingObserver::layOutRack(int cluster) { layouts.append(cluster); }
void RecordingObserver::fillDetailPanel(int cluster, int station) { detailFills.append({cluster, station}); }
void RecordingObserver::refreshTable() { ++tableRefreshes; }
void RecordingObserver::clusterDestroying(int cluster) { destroyed.append(cluster); }
void RecordingObserver::parametersDecoded(int cluster) { decoded.append(cluster); }
void RecordingObserver::setDownloadProgress(int position) { progress.append(position); }

void RecordingObserver::showClusterNotice(int cluster, const QString& title, const QString& text) {
    notices.append({cluster, title, text});
}

QStringList RecordingObserver::logTexts() const {
    QStringList out;
    for (const LoggedLine& l : lines)
        out.append(l.text);
    return out;
}

void RecordingObserver::clear() {
    lines.clear();
    alarms.clear();
    created.clear();
    removed.clear();
    layouts.clear();
    detailFills.clear();
    tableRefreshes = 0;
    destroyed.clear();
    decoded.clear();
    progress.clear();
    notices.clear();
}

} // namespace kalver::test
