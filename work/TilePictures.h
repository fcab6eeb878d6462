#pragma once
// The pictures of the tile strip: one picture per frame index, drawn by our own painter from the
// frame's parts (battery and charging, hover or selection outline, download progress or alarm 6,
// registration, alarm 5, generator tuning, test) on a transparent ground, so the tile's background
// colour (white or the colour of the highest alarm) shows through. Each distinct frame is drawn once
// and kept; the store is bounded, so no sequence of states grows it without limit.
//
// Where the parts stand on a tile (the check box with the station number crosses its middle):
//   above the check box: the battery (one to four bars, red to green) on the left; a yellow lightning
//   bolt on the right while the battery charges; under it a blue box with a sine wave while the
//   generator is being tuned;
//   below the check box, first row: a red band "РЕГ" while registering (a purple band "ТЕСТ" while
//   a test or a calibration runs during registration), with a yellow warning triangle at its left
//   when registration and alarm 5 add up to two marks;
//   second row: a green arrow and a bar of four quarters while downloading (the arrow moves with the
//   blink phase), or a red crossed bar for alarm 6;
//   the outline: orange while hovered, blue while selected.

#include "work/TileFrame.h"
#include "work/TileLayout.h"

#include <QHash>
#include <QPixmap>

class QPainter;

namespace kalver::work {

class TilePictures {
public:
    explicit TilePictures(const TileGeometry& geometry);

    const TileGeometry& geometry() const { return m_geometry; }

    // The picture of `frame` (1...3150; other values are clamped), drawn on first use.
    QPixmap picture(int frame);
    // How many pictures are held now.
    int heldCount() const { return static_cast<int>(m_held.size()); }
    // The most pictures held at once; beyond it the store starts afresh.
    static constexpr int kMaxHeld = 768;

    // Draws one frame's parts into a tile-sized area at (0, 0) of `painter`.
    static void paintFrame(QPainter& painter, const TileGeometry& geometry, const TileFrameParts& parts);

private:
    TileGeometry m_geometry;
    QHash<int, QPixmap> m_held;
};

} // namespace kalver::work
