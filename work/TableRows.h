#pragma once
// The rows of the station table: every station of every cluster gathered as a (cluster position,
// station position) pair, cluster by cluster in list order, sorted by the key of the sort button that
// is down, and filtered by the page's filters. The table model keeps the result as a vector of row
// references and formats the cells on demand.
//
// The sort is stable: among stations of equal key, an ascending sort keeps the gathering order and a
// descending sort lists them in reverse gathering order (the station gathered last comes first).

#include "link/ClusterList.h"
#include "work/TableFilters.h"

#include <cstdint>
#include <vector>

namespace kalver::work {

// The 14 sort buttons of the table's tool bar, left to right.
enum class SortButton {
    NumUp, NumDown, RackUp, RackDown, ChargeUp, ChargeDown, PressureUp, PressureDown,
    FreqErrUp, FreqErrDown, FreeMemUp, FreeMemDown, FilesUp, FilesDown,
};
inline constexpr int kSortButtonCount = 14;

bool isAscending(SortButton button);
// The key of a station for `button`: station number, cluster position, charge, pressure, signed clock
// drift, free memory or number of files.
std::int64_t sortKey(SortButton button, const link::StatusBlock& station, int cluster);

// One row: where its station is, and the station number it had when the rows were made (a row whose
// position no longer holds that number is looked up again by number).
struct TableRow {
    int cluster = 0;
    int station = 0;
    std::int32_t number = 0;
    bool operator==(const TableRow&) const = default;
};

// Gathered, sorted and filtered rows.
std::vector<TableRow> tableRows(const link::ClusterList& clusters, const TableFilters& filters, SortButton sort);

} // namespace kalver::work
