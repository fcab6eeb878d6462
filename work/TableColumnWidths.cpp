#include "work/TableColumnWidths.h"

#include "work/StationTableModel.h"

#include <QHeaderView>

#include <algorithm>

namespace kalver::work {

int fittedColumnWidth(const QHeaderView& header, int column) {
    // The header's size hint of a section is its title's size under the header's style and font
    // (measured bold, as a highlighted section is drawn); a hidden section's is 0.
    return std::max(tableColumnWidth(column), header.sectionSizeHint(column));
}

} // namespace kalver::work
