#include "stationdata/SelectionListing.h"

#include "stationdata/Admission.h"
#include "stationdata/StationType.h"

#include <algorithm>

namespace kalver::stationdata {

namespace {

ListedRow& rowOf(SelectionListing& listing, int clusterNumber) {
    for (ListedRow& row : listing.rows)
        if (row.clusterNumber == clusterNumber)
            return row;
    listing.rows.append(ListedRow{clusterNumber, {}});
    return listing.rows.last();
}

// Admits and lists one station; false when the listing must stop (invalid configuration).
bool consider(SelectionListing& listing, int clusterNumber, const link::TKlvStation& station, int operation,
              bool mergeChannels, bool& listed) {
    listed = false;
    const link::StatusBlock& block = station.status;
    if (!admits(operation, block))
        return true;
    if (refusesCriticalErrors(operation) && hasCriticalErrors(block)) {
        listing.refused.append(block.number());
        return true;
    }
    listed = true;
    rowOf(listing, clusterNumber).stations.append(block.number());
    listing.listed.append({clusterNumber, block.number()});
    if (isQm7Type(block))
        listing.typeMark = true;
    if (mergeChannels && !listing.channels.merge(block)) {
        listing.invalidConfiguration = true;
        return false;
    }
    return true;
}

void walkTable(SelectionListing& listing, const link::ClusterList& clusters, const WorkWindowBridge& bridge,
               int operation, bool mergeChannels) {
    const QList<SelectedStation> rows = bridge.selectedTableRows();
    if (rows.isEmpty())
        return;
    const int firstCluster = rows.first().clusterPosition + 1;
    for (const SelectedStation& row : rows) {
        const int clusterNumber = row.clusterPosition + 1;
        if (!listing.serverItems.contains(clusterNumber))
            listing.serverItems.append(clusterNumber);
        if (clusterNumber == firstCluster)
            listing.stationItems.append(row.stationNumber);
        const int position = row.clusterPosition;
        if (!clusters.isValid(position))
            continue;
        const link::TKlvRack& rack = clusters.at(position);
        const int s = rack.findStation(row.stationNumber);
        if (s < 0)
            continue;
        bool listed = false;
        if (!consider(listing, clusterNumber, rack.station(s), operation, mergeChannels, listed))
            return;
    }
}

void walkTiles(SelectionListing& listing, const link::ClusterList& clusters, const WorkWindowBridge& bridge,
               int operation, bool mergeChannels) {
    for (int position = 0; position < clusters.count(); ++position) {
        const link::TKlvRack& rack = clusters.at(position);
        if (!bridge.clusterInWork(rack) || !bridge.rackVisible(rack))
            continue;
        const int number = position + 1;
        bool anyListed = false;
        for (const link::TKlvStation& station : rack.stations) {
            if (!bridge.stationSelected(station))
                continue;
            if (listing.serverItems.isEmpty())
                listing.stationItems.append(station.number());
            bool listed = false;
            if (!consider(listing, number, station, operation, mergeChannels, listed))
                return;
            anyListed = anyListed || listed;
        }
        if (anyListed)
            listing.serverItems.append(number);
    }
}

} // namespace

SelectionListing listSelection(const link::ClusterList& clusters, const WorkWindowBridge& bridge, int operation,
                               bool mergeChannels) {
    SelectionListing listing;
    if (bridge.tableShown())
        walkTable(listing, clusters, bridge, operation, mergeChannels);
    else
        walkTiles(listing, clusters, bridge, operation, mergeChannels);
    for (ListedRow& row : listing.rows)
        std::sort(row.stations.begin(), row.stations.end());
    return listing;
}

} // namespace kalver::stationdata
