// Where the tiles of a rack stand: by station number, left to right, wrapping at the panel's width.

#include "work/TileLayout.h"

#include <gtest/gtest.h>

#include <vector>

using kalver::work::TileGeometry;
using kalver::work::containerTileGeometry;
using kalver::work::layOutTiles;

namespace {

struct LayoutCase {
    const char* name;
    std::vector<std::int32_t> numbers; // list order
    int clientWidth;
    std::vector<QPoint> places;        // per list position
};

} // namespace

TEST(TileLayout, TableOfCases) {
    const TileGeometry g = containerTileGeometry();
    ASSERT_EQ(g.width, 66);
    ASSERT_EQ(g.height, 123);
    const int top = 30; // the rack header
    const int row2 = top + 123, row3 = top + 246;
    const LayoutCase cases[] = {
        {"no stations", {}, 198, {}},
        {"sorted by number, list order kept", {5, 1, 3}, 198, {{132, top}, {0, top}, {66, top}}},
        {"wraps after three per row", {1, 2, 3, 4, 5, 6, 7}, 198,
         {{0, top}, {66, top}, {132, top}, {0, row2}, {66, row2}, {132, row2}, {0, row3}}},
        {"a station left: the later ones move one place back", {1, 3, 4, 5}, 198,
         {{0, top}, {66, top}, {132, top}, {0, row2}}},
        {"a width that is not a multiple of the tile", {1, 2, 3}, 197, {{0, top}, {66, top}, {0, row2}}},
        {"collapsed: one tile per row", {2, 1}, 66, {{0, row2}, {0, top}}},
        {"narrower than a tile: still one per row", {1, 2}, 10, {{0, top}, {0, row2}}},
        {"equal numbers keep their list order", {4, 4, 1}, 198, {{66, top}, {132, top}, {0, top}}},
    };
    for (const LayoutCase& c : cases)
        EXPECT_EQ(layOutTiles(c.numbers, c.clientWidth, top, g), c.places) << c.name;
}

TEST(TileLayout, CheckBoxSitsOnTheTile) {
    const TileGeometry container = containerTileGeometry();
    EXPECT_EQ(container.checkBoxRect({66, 30}), QRect(68, 30 + 61, 60, container.checkBoxHeight));
    const TileGeometry mnemo = kalver::work::mnemoTileGeometry();
    EXPECT_EQ(mnemo.width, 59);
    EXPECT_EQ(mnemo.height, 82);
    EXPECT_EQ(mnemo.checkBoxRect({0, 0}), QRect(2, 35, 53, mnemo.checkBoxHeight));
}
