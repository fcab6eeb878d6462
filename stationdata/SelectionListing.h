#pragma once
// The part of "Fill from selection" that needs no widgets: walks the work window's selection, admits
// each selected station for the operation (Admission.h), lists the admitted ones per cluster, merges
// their channel configuration, and collects what the window then shows: the status grid rows, the
// items of the cluster and station choosers, the stations refused for critical errors and the type
// mark.
//
// The walk:
// - table page shown: the selected table rows from the first to the last. Each row's cluster number
//   goes to the cluster chooser once; a station of the first row's cluster goes to the station chooser.
//   A listed station is appended to its cluster's grid row, the row being added when missing.
// - otherwise: every cluster in work whose rack panel is visible, in cluster order, and in it every
//   station whose tile is checked. While the cluster chooser is still empty, the station goes to the
//   station chooser. A cluster with a listed station gets its grid row and goes to the cluster chooser.
//
// The walk reads the records once and processes no events.

#include "link/ClusterList.h"
#include "stationdata/ChannelMerge.h"
#include "stationdata/WorkWindowBridge.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace kalver::stationdata {

struct ListedRow {
    int clusterNumber = 0;
    QList<std::int32_t> stations; // ascending
};

struct ListedStation {
    int clusterNumber = 0;
    std::int32_t stationNumber = 0;
};

struct SelectionListing {
    QList<ListedRow> rows;
    QList<int> serverItems;              // cluster numbers, in the order the walk met them
    QList<std::int32_t> stationItems;    // station numbers, likewise
    QList<ListedStation> listed;         // every listed station, in walk order
    QList<std::int32_t> refused;         // refused for critical errors (start registration)
    bool typeMark = false;               // some listed station is of type "qm7  52"
    ChannelMerge channels;
    // A listed station sent a channel configuration byte other than 0, 1 and 255: the listing stopped
    // there and the window is to be closed.
    bool invalidConfiguration = false;
};

// `mergeChannels`: merge the listed stations' channel configuration (page 0, start family).
SelectionListing listSelection(const link::ClusterList& clusters, const WorkWindowBridge& bridge, int operation,
                               bool mergeChannels);

} // namespace kalver::stationdata
