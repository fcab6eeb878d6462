#include "work/TileLayout.h"

#include "config/SettingsAccess.h"

#include <algorithm>
#include <numeric>

namespace kalver::work {

namespace {
// The check box's height: one line of its 12-point font; a little tighter on the smaller tiles.
constexpr int kCheckBoxHeight = 20;
constexpr int kMnemoCheckBoxHeight = 18;
} // namespace

TileGeometry containerTileGeometry() {
    const auto size = settings::containerTileSize();
    return {size.width, size.height, size.height / 2, kCheckBoxHeight};
}

TileGeometry mnemoTileGeometry() {
    const auto size = settings::mnemoTileSize();
    return {size.width, size.height, size.height / 2 - 6, kMnemoCheckBoxHeight};
}

std::vector<QPoint> layOutTiles(const std::vector<std::int32_t>& numbers, int clientWidth, int top,
                                const TileGeometry& tile) {
    std::vector<std::size_t> order(numbers.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; });

    std::vector<QPoint> places(numbers.size());
    int rowTop = top;
    int x = 0;
    for (std::size_t position : order) {
        places[position] = QPoint(x, rowTop);
        x += tile.width;
        if (clientWidth < x + tile.width) {
            rowTop += tile.height;
            x = 0;
        }
    }
    return places;
}

} // namespace kalver::work
