#include "work/StationAlarms.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/TextTables.h"

namespace kalver::work {

using link::TErrorType;

QColor alarmColour(TErrorType code) {
    switch (code) {
    case 0: return QColor(255, 255, 255);
    case 1: return QColor(128, 0, 128);
    case 2: case 3: case 4: case 5: case 6: return QColor(255, 0, 255);
    case 7: return QColor(255, 255, 0);
    case 8: return QColor(255, 0, 0);
    case 9: return QColor(128, 128, 128);
    default: return QColor(255, 255, 255);
    }
}

QString alarmLine(int stationNumber, int clusterNumber, TErrorType code) {
    return texts::stationMessage(stationNumber, clusterNumber, code);
}

StationAlarms::StationAlarms(link::ClusterList& clusters, LogLine log, QObject* parent)
    : QObject(parent), m_clusters(clusters), m_log(std::move(log)),
      m_journal([](const QString& entry) { journal::write(entry); }) {}

void StationAlarms::raise(int cluster, int station, TErrorType code, bool journal) {
    if (code < link::alarm::Lowest || code > link::alarm::Highest || !m_clusters.isValid(cluster))
        return;
    link::TKlvRack& rack = m_clusters.at(cluster);
    if (station < 0 || station >= rack.stationCount())
        return;
    link::TKlvStation& st = rack.station(station);
    // 1. A code the list holds already changes nothing.
    if (st.hasAlarm(code))
        return;
    // 2. The highest code before this one.
    const TErrorType highest = st.highestAlarm();
    st.addAlarm(code);
    const int stationNumber = st.number();
    const int clusterNumber = cluster + 1;
    // 5 (before the calls that reach other windows). The colour of a new highest code.
    if (code > highest)
        st.tile.colour = alarmColour(code);
    // 3. Journal.
    if (journal && m_journal)
        m_journal(catalogue::journalCode(catalogue::JournalCode::StationAlarm) + QLatin1Char('|') +
                  QString::number(clusterNumber) + QLatin1Char('|') + QString::number(stationNumber) +
                  QLatin1Char('|') + QString::number(code));
    // 4. Log line.
    if (m_log)
        m_log(alarmLine(stationNumber, clusterNumber, code), true, alarmColour(code));
    emit tileChanged(cluster, station);
}

void StationAlarms::acknowledgeAll() {
    for (int c = 0; c < m_clusters.count(); ++c) {
        for (link::TKlvStation& st : m_clusters.at(c).stations) {
            st.clearAlarms();
            st.tile.colour = QColor(255, 255, 255);
        }
    }
    emit allTilesChanged();
}

} // namespace kalver::work
