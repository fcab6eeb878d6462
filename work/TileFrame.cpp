#include "work/TileFrame.h"

#include "link/TErrorType.h"
#include "link/TKlvStation.h"

#include <algorithm>

namespace kalver::work {

namespace {

int batteryPart(bool charging, double q, int phase) {
    if (charging) {
        if (q > 99) return 4;
        if (q > 50) return 3 + phase;
        if (q > 20) return 2 + phase;
        return 1 + phase;
    }
    if (q > 99) return 4;
    if (q > 50) return 7;
    if (q > 20) return 6;
    return 5;
}

int downloadPart(int progress) {
    if (progress < 25) return 21;
    if (progress < 50) return 63;
    if (progress < 75) return 105;
    return 147;
}

} // namespace

int tileFrame(const TileFrameInput& in) {
    const int phase = in.phase != 0 ? 1 : 0;
    int a = batteryPart(in.charging, in.charge, phase);
    if (in.hover)
        a += 14;
    else if (in.selected)
        a += 7;
    if (in.alarm6)
        a += 189;
    else if (in.downloading)
        a += 21 * phase + downloadPart(in.progress);
    const int r = in.registering ? 1 : 0;
    const int e5 = in.alarm5 ? 1 : 0;
    const int g = in.tuning ? 1 : 0;
    const int t = in.registering && (in.testing || in.calibrating) ? 1 : 0;
    return a + kTileFrameBlock * (r + e5) + 840 * g + 1680 * t;
}

TileFrameInput tileFrameInput(const link::TKlvStation& station, int phase) {
    const link::StatusBlock& s = station.status;
    TileFrameInput in;
    in.charging = s.charging();
    in.charge = static_cast<double>(s.chargeLevel());
    in.phase = phase;
    in.hover = station.tile.hover;
    in.selected = station.tile.checked;
    in.alarm6 = station.hasAlarm(link::alarm::DownloadNotStarted);
    in.downloading = s.downloading();
    in.progress = s.downloadProgress();
    in.registering = s.isRegistering();
    in.alarm5 = station.hasAlarm(link::alarm::SamplesNotCounting);
    in.tuning = s.isGeneratorTuning();
    in.testing = s.isTesting();
    in.calibrating = s.inclinometerCalibrating();
    return in;
}

TileFrameParts tileFrameParts(int frame) {
    frame = std::clamp(frame, 1, kTileFrameCount);
    const int block = (frame - 1) / kTileFrameBlock;
    const int a = frame - kTileFrameBlock * block; // 1...210
    TileFrameParts p;
    p.test = block >= 8;
    p.tuning = (block % 8) >= 4;
    p.registrationMarks = block % 4; // 3 is never produced; drawn as 2
    if (p.registrationMarks > 2)
        p.registrationMarks = 2;

    const int activity = (a - 1) / 21; // 0 none, 1...8 download, 9 alarm 6
    const int rest = a - 21 * activity; // battery + pointer, 1...21
    const int pointer = (rest - 1) / 7;
    p.battery = rest - 7 * pointer;
    p.pointer = pointer == 2 ? TileFrameParts::Pointer::Hover
              : pointer == 1 ? TileFrameParts::Pointer::Selected
                             : TileFrameParts::Pointer::None;
    if (activity == 9) {
        p.activity = TileFrameParts::Activity::DownloadFailed;
    } else if (activity >= 1) {
        p.activity = TileFrameParts::Activity::Download;
        p.downloadQuarters = (activity - 1) / 2 + 1;
        p.downloadPhase = (activity - 1) % 2;
    }
    return p;
}

} // namespace kalver::work
