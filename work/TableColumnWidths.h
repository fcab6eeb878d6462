#pragma once
// The width a shown column of the station table takes: its default width (tableColumnWidth), or,
// when its title needs more under the header's font and style (the style's section padding and
// border, and the sort indicator if the header shows one), what the title needs, so that no title
// is cut. Measured from the header's titles only, never from the cells: the table holds up to
// 10,000 rows and is refilled every few seconds.

class QHeaderView;

namespace kalver::work {

int fittedColumnWidth(const QHeaderView& header, int column);

} // namespace kalver::work
