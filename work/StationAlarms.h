#pragma once
// Station alarms: codes 0 ... 9 kept in each station's alarm list (TKlvStation::alarms), each at most
// once, raised by the status report, the connection poll (code 9) and the command execution, and
// cleared all at once by the operator's "Квит.".
//
// Raising a code the list does not hold yet adds it, journals "w009|cluster|station|code" when asked,
// writes the code's bold log line in the code's colour, and recolours the tile when the code is higher
// than every code the list held. Nothing is sent to the clusters.
//
// TForm_Work owns one StationAlarms over the program's cluster list, gives it the message log's
// appendLine, serves LinkObserver::raiseAlarm with raise(), wires category-1 item 0 "Квит." to
// acknowledgeAll(), and repaints a rack on tileChanged.

#include "link/ClusterList.h"
#include "link/TErrorType.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

namespace kalver::work {

// The tile colour of an alarm code: 0 white, 1 purple, 2 ... 6 fuchsia, 7 yellow, 8 red, 9 gray.
QColor alarmColour(link::TErrorType code);
// The log line of an alarm: "Станция " + station + " (Кластер " + cluster + the code's text.
QString alarmLine(int stationNumber, int clusterNumber, link::TErrorType code);

class StationAlarms : public QObject {
    Q_OBJECT
public:
    using LogLine = std::function<void(const QString& text, bool bold, const QColor& colour)>;
    using JournalWriter = std::function<void(const QString& entry)>;

    StationAlarms(link::ClusterList& clusters, LogLine log, QObject* parent = nullptr);

    // The journal the entries go to; by default the program's journal (journal::write).
    void setJournalWriter(JournalWriter writer) { m_journal = std::move(writer); }

    // Raises `code` on the station at `station` of cluster position `cluster`. A position outside the
    // lists or a code outside 0 ... 9 is ignored.
    void raise(int cluster, int station, link::TErrorType code, bool journal);
    // "Квит.": every alarm list emptied, every tile white and redrawn.
    void acknowledgeAll();

signals:
    // The station's tile colour or alarm list changed: redraw the tile.
    void tileChanged(int cluster, int station);
    // Every tile changed (after "Квит.").
    void allTilesChanged();

private:
    link::ClusterList& m_clusters;
    LogLine m_log;
    JournalWriter m_journal;
};

} // namespace kalver::work
