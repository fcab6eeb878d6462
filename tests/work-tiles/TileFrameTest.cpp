// The frame index of a tile, as a table of cases, and the parts read back from every index.

#include "link/TKlvStation.h"
#include "work/TileFrame.h"

#include <gtest/gtest.h>

using kalver::work::TileFrameInput;
using kalver::work::TileFrameParts;
using kalver::work::tileFrame;
using kalver::work::tileFrameParts;

namespace {

// A station that is not charging at 60 %: battery part 7, nothing else.
TileFrameInput idle() {
    TileFrameInput in;
    in.charging = false;
    in.charge = 60;
    return in;
}

struct FrameCase {
    const char* name;
    TileFrameInput input;
    int frame;
};

TileFrameInput with(TileFrameInput in, auto&& change) {
    change(in);
    return in;
}

} // namespace

TEST(TileFrame, TableOfCases) {
    const FrameCase cases[] = {
        {"idle 60 %", idle(), 7},
        {"charging 30, phase 0", with(idle(), [](auto& i) { i.charging = true; i.charge = 30; }), 2},
        {"charging 30, phase 1", with(idle(), [](auto& i) { i.charging = true; i.charge = 30; i.phase = 1; }), 3},
        {"charging 100, phase 0", with(idle(), [](auto& i) { i.charging = true; i.charge = 100; }), 4},
        {"charging 100, phase 1 does not blink", with(idle(), [](auto& i) { i.charging = true; i.charge = 100; i.phase = 1; }), 4},
        {"charging 60, phase 1", with(idle(), [](auto& i) { i.charging = true; i.charge = 60; i.phase = 1; }), 4},
        {"charging 20 is low", with(idle(), [](auto& i) { i.charging = true; i.charge = 20; }), 1},
        {"charging 99 is not full", with(idle(), [](auto& i) { i.charging = true; i.charge = 99; }), 3},
        {"not charging, unknown -1", with(idle(), [](auto& i) { i.charge = -1; }), 5},
        {"not charging 30", with(idle(), [](auto& i) { i.charge = 30; }), 6},
        {"not charging 100", with(idle(), [](auto& i) { i.charge = 100; }), 4},
        {"selected", with(idle(), [](auto& i) { i.selected = true; }), 7 + 7},
        {"hover adds 14, not 21", with(idle(), [](auto& i) { i.selected = true; i.hover = true; }), 7 + 14},
        {"download < 25 %, phase 0", with(idle(), [](auto& i) { i.downloading = true; i.progress = 10; }), 7 + 21},
        {"download < 25 %, phase 1", with(idle(), [](auto& i) { i.downloading = true; i.progress = 10; i.phase = 1; }), 7 + 42},
        {"download 25 %", with(idle(), [](auto& i) { i.downloading = true; i.progress = 25; }), 7 + 63},
        {"download 50 %", with(idle(), [](auto& i) { i.downloading = true; i.progress = 50; }), 7 + 105},
        {"download 75 %, phase 1", with(idle(), [](auto& i) { i.downloading = true; i.progress = 75; i.phase = 1; }), 7 + 21 + 147},
        {"alarm 6 beats the download", with(idle(), [](auto& i) { i.downloading = true; i.progress = 80; i.phase = 1; i.alarm6 = true; }), 7 + 189},
        {"registering", with(idle(), [](auto& i) { i.registering = true; }), 7 + 210},
        {"alarm 5 alone", with(idle(), [](auto& i) { i.alarm5 = true; }), 7 + 210},
        {"registering with alarm 5", with(idle(), [](auto& i) { i.registering = true; i.alarm5 = true; }), 7 + 420},
        {"generator tuning", with(idle(), [](auto& i) { i.tuning = true; }), 7 + 840},
        {"test while registering", with(idle(), [](auto& i) { i.registering = true; i.testing = true; }), 7 + 210 + 1680},
        {"calibration while registering", with(idle(), [](auto& i) { i.registering = true; i.calibrating = true; }), 7 + 210 + 1680},
        {"test without registration is no block", with(idle(), [](auto& i) { i.testing = true; }), 7},
        {"the highest index", with(idle(), [](auto& i) {
             i.hover = true; i.alarm6 = true; i.registering = true; i.alarm5 = true; i.tuning = true; i.testing = true;
         }), 3150},
        {"the lowest index", with(idle(), [](auto& i) { i.charging = true; i.charge = 5; }), 1},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(tileFrame(c.input), c.frame) << c.name;
}

TEST(TileFrame, ReadsTheStationRecord) {
    kalver::link::StatusBlock b;
    b.setNumber(12).setChargeLevel(30).setCharging(true).setRegistrationState(2).setChannelPresentByte(3, 1)
        .setChannelModeByte(3, 2).setDownloading(true).setDownloadProgress(60).setGeneratorState(2);
    kalver::link::TKlvStation station(b);
    station.addAlarm(5);
    station.tile.checked = true;

    const TileFrameInput in = kalver::work::tileFrameInput(station, 1);
    EXPECT_TRUE(in.charging);
    EXPECT_EQ(in.charge, 30);
    EXPECT_EQ(in.phase, 1);
    EXPECT_TRUE(in.selected);
    EXPECT_FALSE(in.hover);
    EXPECT_TRUE(in.downloading);
    EXPECT_EQ(in.progress, 60);
    EXPECT_TRUE(in.registering);
    EXPECT_TRUE(in.alarm5);
    EXPECT_FALSE(in.alarm6);
    EXPECT_TRUE(in.tuning);
    EXPECT_TRUE(in.testing);
    // 3 (charging 30, phase 1) + 7 selected + 21 + 105 download + 420 + 840 + 1680
    EXPECT_EQ(tileFrame(in), 3 + 7 + 21 + 105 + 420 + 840 + 1680);
}

// Every input the computation can see gives an index in 1...3150 whose parts read back as the input
// says: the painter draws from these parts.
TEST(TileFrame, PartsReadBackFromEveryIndex) {
    int checked = 0;
    for (int charging = 0; charging < 2; ++charging)
        for (double charge : {-1.0, 10.0, 30.0, 60.0, 100.0})
            for (int phase = 0; phase < 2; ++phase)
                for (int pointer = 0; pointer < 3; ++pointer)
                    for (int activity = 0; activity < 6; ++activity)
                        for (int block = 0; block < 16; ++block) {
                            TileFrameInput in;
                            in.charging = charging;
                            in.charge = charge;
                            in.phase = phase;
                            in.selected = pointer >= 1;
                            in.hover = pointer == 2;
                            in.alarm6 = activity == 5;
                            in.downloading = activity >= 1;
                            in.progress = (activity - 1) * 25 + 10;
                            in.registering = block & 1;
                            in.alarm5 = block & 2;
                            in.tuning = block & 4;
                            in.testing = block & 8;
                            const int frame = tileFrame(in);
                            ASSERT_GE(frame, 1);
                            ASSERT_LE(frame, 3150);
                            const TileFrameParts p = tileFrameParts(frame);
                            TileFrameInput batteryOnly;
                            batteryOnly.charging = charging;
                            batteryOnly.charge = charge;
                            batteryOnly.phase = phase;
                            EXPECT_EQ(p.battery, tileFrame(batteryOnly));
                            EXPECT_EQ(p.pointer, pointer == 2 ? TileFrameParts::Pointer::Hover
                                                 : pointer == 1 ? TileFrameParts::Pointer::Selected
                                                                : TileFrameParts::Pointer::None);
                            if (activity == 5) {
                                EXPECT_EQ(p.activity, TileFrameParts::Activity::DownloadFailed);
                            } else if (activity >= 1) {
                                EXPECT_EQ(p.activity, TileFrameParts::Activity::Download);
                                EXPECT_EQ(p.downloadQuarters, activity);
                                EXPECT_EQ(p.downloadPhase, phase);
                            } else {
                                EXPECT_EQ(p.activity, TileFrameParts::Activity::None);
                            }
                            EXPECT_EQ(p.registrationMarks, int(in.registering) + int(in.alarm5));
                            EXPECT_EQ(p.tuning, in.tuning);
                            EXPECT_EQ(p.test, in.registering && in.testing);
                            ++checked;
                        }
    EXPECT_EQ(checked, 2 * 5 * 2 * 3 * 6 * 16);
}

TEST(TileFrame, BatteryBarsOfThePictures) {
    // Charging frames 1...4 have one to four bars, frames 5...7 (not charging) one to three.
    const int bars[] = {0, 1, 2, 3, 4, 1, 2, 3};
    for (int battery = 1; battery <= 7; ++battery) {
        TileFrameParts p = tileFrameParts(battery);
        EXPECT_EQ(p.battery, battery);
        EXPECT_EQ(p.bars(), bars[battery]) << battery;
    }
    // Indexes outside the strip read as the nearest frame.
    EXPECT_EQ(tileFrameParts(0).battery, 1);
    EXPECT_TRUE(tileFrameParts(99999).test);
}
