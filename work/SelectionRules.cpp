#include "work/SelectionRules.h"

#include <QWidget>

namespace kalver::work {

using link::ClusterList;

RackQuery defaultRackQuery(const ClusterList& clusters) {
    RackQuery q;
    q.rackHidden = [&clusters](int cluster) {
        if (!clusters.isValid(cluster))
            return true;
        const auto* panel = qobject_cast<const QWidget*>(clusters.at(cluster).rackView.data());
        return panel == nullptr || panel->isHidden();
    };
    q.selectAllChecked = [](int) { return false; };
    return q;
}

namespace {

bool setChecked(link::TKlvStation& station, bool checked) {
    if (station.tile.checked == checked)
        return false;
    station.tile.checked = checked;
    return true;
}

} // namespace

bool recomputeSelection(ClusterList& clusters, const SelectionFilters& filters, const RackQuery& racks) {
    bool changed = false;
    for (int c = 0; c < clusters.count(); ++c) {
        const bool hidden = racks.rackHidden && racks.rackHidden(c);
        const bool all = !hidden && racks.selectAllChecked && racks.selectAllChecked(c);
        for (link::TKlvStation& st : clusters.at(c).stations) {
            const bool selected = hidden ? false : all ? true : filters.selects(st.status);
            changed |= setChecked(st, selected);
        }
    }
    return changed;
}

bool setClusterChecked(ClusterList& clusters, int cluster, bool checked) {
    if (!clusters.isValid(cluster))
        return false;
    bool changed = false;
    for (link::TKlvStation& st : clusters.at(cluster).stations)
        changed |= setChecked(st, checked);
    return changed;
}

bool deselectAll(ClusterList& clusters) {
    bool changed = false;
    for (int c = 0; c < clusters.count(); ++c)
        for (link::TKlvStation& st : clusters.at(c).stations)
            changed |= setChecked(st, false);
    return changed;
}

bool anyStations(const ClusterList& clusters) {
    for (int c = 0; c < clusters.count(); ++c)
        if (clusters.at(c).stationCount() > 0)
            return true;
    return false;
}

} // namespace kalver::work
