#include "work/TableRows.h"

#include <algorithm>

namespace kalver::work {

bool isAscending(SortButton button) { return static_cast<int>(button) % 2 == 0; }

std::int64_t sortKey(SortButton button, const link::StatusBlock& s, int cluster) {
    switch (button) {
    case SortButton::NumUp: case SortButton::NumDown: return s.number();
    case SortButton::RackUp: case SortButton::RackDown: return cluster;
    case SortButton::ChargeUp: case SortButton::ChargeDown: return s.chargeLevel();
    case SortButton::PressureUp: case SortButton::PressureDown: return s.pressure();
    case SortButton::FreqErrUp: case SortButton::FreqErrDown: return s.clockDrift();
    case SortButton::FreeMemUp: case SortButton::FreeMemDown: return s.freeMemory();
    case SortButton::FilesUp: case SortButton::FilesDown: return s.fileCount();
    }
    return 0;
}

std::vector<TableRow> tableRows(const link::ClusterList& clusters, const TableFilters& filters, SortButton sort) {
    struct Keyed {
        std::int64_t key;
        TableRow row;
    };
    std::vector<Keyed> keyed;
    std::size_t total = 0;
    for (int c = 0; c < clusters.count(); ++c)
        total += clusters.at(c).stations.size();
    keyed.reserve(total);

    // Gathering; the filters do not depend on the order, so only listed stations are sorted.
    for (int c = 0; c < clusters.count(); ++c) {
        const link::TKlvRack& rack = clusters.at(c);
        for (int p = 0; p < rack.stationCount(); ++p) {
            const link::StatusBlock& s = rack.station(p).status;
            if (filters.passes(s, c))
                keyed.push_back({sortKey(sort, s, c), {c, p, s.number()}});
        }
    }

    if (isAscending(sort)) {
        std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    } else {
        std::reverse(keyed.begin(), keyed.end());
        std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key > b.key; });
    }

    std::vector<TableRow> rows;
    rows.reserve(keyed.size());
    for (const Keyed& k : keyed)
        rows.push_back(k.row);
    return rows;
}

} // namespace kalver::work
