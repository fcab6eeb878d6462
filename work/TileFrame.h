#pragma once
// Which frame of the tile strip a station's tile shows. The strip is read in blocks of 210 frames:
// the block number says registration (or alarm 5), generator tuning and test; the offset within the
// block (1...210) says the battery, the pointer (hover or selection) and the activity (download
// progress with its blink phase, or alarm 6). Index 0 is never chosen; the highest index is 3150.
//
// `tileFrame` computes the index from the station's state; `TileFrameParts` reads an index back into
// its parts, which is what the tile painter draws.

#include <cstdint>

namespace kalver::link {
struct TKlvStation;
}

namespace kalver::work {

inline constexpr int kTileFrameBlock = 210;
inline constexpr int kTileFrameCount = 3150; // frames 1...3150

// Everything the frame depends on.
struct TileFrameInput {
    bool charging = false;
    double charge = -1.0;        // percent; unknown (-1) counts as low
    int phase = 0;               // blink phase 0 or 1
    bool hover = false;          // the mouse is over the tile
    bool selected = false;       // the tile's check box is checked
    bool alarm6 = false;         // the alarm list holds 6 (download could not start)
    bool downloading = false;
    int progress = 0;            // download progress, percent
    bool registering = false;    // registration state 1, 2, 3, 5, 6 or 7
    bool alarm5 = false;         // the alarm list holds 5 (samples not counting)
    bool tuning = false;         // generator tuning running
    bool testing = false;        // some present channel is in a test mode
    bool calibrating = false;    // inclinometer calibration running
};

// The frame index 1...3150.
int tileFrame(const TileFrameInput& in);

// The input read from a station record and the window's blink phase.
TileFrameInput tileFrameInput(const link::TKlvStation& station, int phase);

// The parts of a frame index, as the painter draws them.
struct TileFrameParts {
    // Battery picture 1...7: 1...4 the charging strip with one to four bars (4 is also a full battery
    // that does not charge), 5...7 a battery that does not charge with one to three bars.
    int battery = 1;
    enum class Pointer { None, Selected, Hover } pointer = Pointer::None;
    enum class Activity { None, Download, DownloadFailed } activity = Activity::None;
    int downloadQuarters = 0;    // 1...4 quarters of progress shown while downloading
    int downloadPhase = 0;       // the blink phase of the download arrow
    int registrationMarks = 0;   // 0, 1 (registering or alarm 5) or 2 (both)
    bool tuning = false;
    bool test = false;

    bool charging() const { return battery <= 3; }
    int bars() const { return battery <= 4 ? battery : battery - 4; }
};

// The parts of `frame`; an index outside 1...3150 reads as frame 1's parts clamped into range.
TileFrameParts tileFrameParts(int frame);

} // namespace kalver::work
