#pragma once
// Where a rack's tiles stand: in order of ascending station number, left to right from the top of the
// rack below its header, wrapping to a new row when the next tile would not fit the panel's client
// width. The station list keeps its own order; only the layout sorts.

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

namespace kalver::work {

// The size of a tile and where its check box (station number and selection) sits on it.
struct TileGeometry {
    int width;
    int height;
    int checkBoxTop;    // from the tile's top
    int checkBoxHeight;

    // The check box: 2 px right of the tile's left edge, tile width - 6 wide.
    QRect checkBoxRect(QPoint tileTopLeft) const {
        return QRect(tileTopLeft.x() + 2, tileTopLeft.y() + checkBoxTop, width - 6, checkBoxHeight);
    }
    QRect tileRect(QPoint tileTopLeft) const { return QRect(tileTopLeft, QSize(width, height)); }
};

// Container tiles: 66 x 123, the check box at the tile's middle (123 div 2).
TileGeometry containerTileGeometry();
// Mnemonic-diagram tiles: 59 x 82, the check box at 82 div 2 - 6.
TileGeometry mnemoTileGeometry();

// Top-left corners of the tiles, one per station in list order, for stations numbered `numbers`
// (list order), laid out from `top` in a panel whose client width is `clientWidth`.
std::vector<QPoint> layOutTiles(const std::vector<std::int32_t>& numbers, int clientWidth, int top,
                                const TileGeometry& tile);

} // namespace kalver::work
