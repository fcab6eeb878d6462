#include "session/ConnectionBoxPlaces.h"

#include <algorithm>

namespace kalver::session {

namespace {
constexpr int kDesignedLeft = 200;
constexpr int kDesignedStep = 100;
constexpr int kDesignedWidth = 30;
constexpr int kMargin = 4;
constexpr int kGap = 4;

int designedLeft(int position) { return position * kDesignedStep + kDesignedLeft; }
// The designed 30 px, or wider where the caption needs it.
int topBoxWidth(const ConnectionBoxStrip& strip) { return std::max(kDesignedWidth, strip.rowBoxWidth); }
} // namespace

int topRowBoxCount(const ConnectionBoxStrip& strip) {
    int n = 0;
    while (designedLeft(n) + topBoxWidth(strip) <= strip.firstRowEnd)
        ++n;
    return n;
}

int boxesPerRow(const ConnectionBoxStrip& strip) {
    return std::max(1, (strip.panelWidth - 2 * kMargin + kGap) / (strip.rowBoxWidth + kGap));
}

QRect connectionBoxRect(int position, const ConnectionBoxStrip& strip) {
    const int top = topRowBoxCount(strip);
    if (position < top)
        return QRect(designedLeft(position), 1, topBoxWidth(strip), kConnectionTopRowHeight - 2);
    const int index = position - top;
    const int perRow = boxesPerRow(strip);
    return QRect(kMargin + (index % perRow) * (strip.rowBoxWidth + kGap),
                 kConnectionTopRowHeight + (index / perRow) * kConnectionBoxRowHeight, strip.rowBoxWidth,
                 kConnectionBoxRowHeight - 2);
}

int connectionPanelHeight(int count, const ConnectionBoxStrip& strip) {
    const int below = count - topRowBoxCount(strip);
    if (below <= 0)
        return kConnectionTopRowHeight;
    const int perRow = boxesPerRow(strip);
    const int rows = (below + perRow - 1) / perRow;
    return kConnectionTopRowHeight + rows * kConnectionBoxRowHeight + 2;
}

} // namespace kalver::session
