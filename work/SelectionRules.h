#pragma once
// The selection of the container page acts on the tiles' check boxes (TileState::checked of each
// station record). These rules change them over the whole cluster list; each returns whether any
// check box changed, so the caller repaints the racks and refreshes the selection summary once.

#include "link/ClusterList.h"
#include "work/SelectionFilters.h"

#include <functional>

namespace kalver::work {

// What the rack view says about a cluster's rack: its panel is hidden (or absent), its select-all
// box "Выбрать" is checked.
struct RackQuery {
    std::function<bool(int cluster)> rackHidden;
    std::function<bool(int cluster)> selectAllChecked;
};

// The default query: a rack is hidden when its rack view (TKlvRack::rackView) is not a widget that
// is shown; no select-all box is checked.
RackQuery defaultRackQuery(const link::ClusterList& clusters);

// Recomputes every station's selection, in this order: hidden rack → deselected; select-all box
// checked → selected; otherwise the filters decide (SelectionFilters::selects).
bool recomputeSelection(link::ClusterList& clusters, const SelectionFilters& filters, const RackQuery& racks);

// Sets every station of `cluster` to `checked` (the rack's select-all box was clicked).
bool setClusterChecked(link::ClusterList& clusters, int cluster, bool checked);

// Deselects every station.
bool deselectAll(link::ClusterList& clusters);

// Whether some cluster has stations.
bool anyStations(const link::ClusterList& clusters);

} // namespace kalver::work
