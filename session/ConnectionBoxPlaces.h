#pragma once
// Where the connection check boxes stand on the connection window's top panel Panel1.
//
// The first clusters keep their designed places in the panel's top row: left edge position × 100 + 200,
// width 30 (wider where the caption needs it), as long as the box ends before "К работе". In a 648-px
// window that is clusters 1 to 4. The
// boxes of the later clusters continue below that row, in rows of equal boxes wide enough for a
// three-digit caption, left to right and then top to bottom in cluster order; the panel (and the window)
// grows by those rows, so that every box is on screen at once, up to the 100 clusters the settings
// allow.

#include <QRect>

namespace kalver::session {

struct ConnectionBoxStrip {
    int panelWidth = 648;
    int firstRowEnd = 556;  // boxes of the top row end at or before this x ("К работе" starts after it)
    int rowBoxWidth = 44;   // the width of a box that shows a three-digit caption
};

inline constexpr int kConnectionTopRowHeight = 28;
inline constexpr int kConnectionBoxRowHeight = 22;

// How many clusters keep their designed place in the top row.
int topRowBoxCount(const ConnectionBoxStrip& strip);
// The boxes per row below the top row.
int boxesPerRow(const ConnectionBoxStrip& strip);
// The box of cluster position `position` (0-based), in Panel1's coordinates.
QRect connectionBoxRect(int position, const ConnectionBoxStrip& strip);
// Panel1's height with the boxes of positions 0 ... count − 1.
int connectionPanelHeight(int count, const ConnectionBoxStrip& strip);

} // namespace kalver::session
