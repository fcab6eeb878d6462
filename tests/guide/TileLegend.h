#pragma once
// The legend of the tile pictures: one small picture per state a station tile can show, drawn by the
// work window's own rack panel (picture, background colour, check box and number) over a rack of
// stations set into each state. A state that blinks is shown in both blink phases side by side.

#include <QString>

namespace kalver::guide {

// Writes the legend pictures ("tile-*.png") into `folder` (ending in "/").
bool writeTileLegend(const QString& folder);

} // namespace kalver::guide
