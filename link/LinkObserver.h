#pragma once
// What the cluster link asks of the windows, and the values it reads from them. The link decodes
// every cluster message and keeps the records; the windows show the result. A window implements the
// calls it serves; every call has a do-nothing default, so the link runs and is tested without any
// window. All calls come on the user-interface thread, from inside the receive loop.
//
// Positions passed here are valid for the duration of the call only: the caller re-reads the cluster
// list after anything that processes pending events.

#include "link/ParameterGrid.h"
#include "link/TErrorType.h"

#include <QColor>
#include <QString>

namespace kalver::link {

class LinkObserver {
public:
    virtual ~LinkObserver();

    // --- the work window
    // Appends a line to the message log (the log adds the time of day).
    virtual void logLine(const QString& text, bool bold, const QColor& colour);
    // Raises a station alarm: unless the station's list holds the code, adds it, journals "w009|..."
    // when `journal` is set, logs the alarm's text and recolours the tile.
    virtual void raiseAlarm(int cluster, int station, TErrorType code, bool journal);
    // A status report appended station `station` to the cluster: its tile appears in the rack.
    virtual void stationCreated(int cluster, int station);
    // Station `station` is about to be removed from the cluster (it left the rack).
    virtual void stationRemoving(int cluster, int station);
    // The cluster's stations changed: lay out the rack's tiles again.
    virtual void layOutRack(int cluster);
    // The station's block was updated: fill the detail panel if it is the hovered station.
    virtual void fillDetailPanel(int cluster, int station);
    // Refresh the station table (several requests within one turn of the event loop may run once).
    virtual void refreshTable();
    // The cluster record is about to be destroyed: drop its rack widgets.
    virtual void clusterDestroying(int cluster);
    // The charge-trend folder setting (`Le_ChargePath`) with its trailing separator.
    virtual QString chargeTrendFolder() const;

    // --- the station data window and the small parameter table window
    // The parameter grid being read (nullptr: no grid, no rows).
    virtual ParameterGrid* parameterGrid();
    // The small table's contents (nullptr: table rows are decoded but not kept).
    virtual SmallTable* smallTable();
    // The text of `cb_SubsystemType`: the selected subsystem's item text.
    virtual QString selectedSubsystem() const;
    // A subsystem data message wrote values into the grid and/or the small table.
    virtual void parametersDecoded(int cluster);
    // `pb_StartStop`: its maximum, and a new position for a download chunk.
    virtual int downloadProgressMaximum() const;
    virtual void setDownloadProgress(int position);
    // A cluster notice for the operator: the tray balloon (10 s) with `title` and `text`, the icon's
    // hint title + "\n" + text. The log line is written by the link.
    virtual void showClusterNotice(int cluster, const QString& title, const QString& text);
};

// An observer that does nothing; the list uses it until a window installs its own.
LinkObserver& silentObserver();

} // namespace kalver::link
