#include "demo/Station.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace kalver::demo;

namespace {

constexpr qint64 kT0 = 1'700'000'000;

// A station at rest: full, not recording, no files, no errors.
Station restingStation(StationKind kind = StationKind::Qm7_521) {
    Station s(1234, kind);
    s.charge = 100;
    s.chargerWorks = true;
    s.registrationState = registration::kStopped;
    s.tuningState = tuning::kCompleted;
    return s;
}

// Runs the station from `from` to `to` (Unix seconds) in one-second steps; simulated time runs
// `speed` times faster. Returns the notices' texts.
QStringList run(Station& s, qint64 from, qint64 to, Random& rng, double speed = 1.0) {
    QList<StationEvent> events;
    for (qint64 t = from + 1; t <= to; ++t)
        s.advance({t, 1.0, speed, false}, rng, events);
    QStringList texts;
    for (const StationEvent& e : events)
        texts << e.text;
    return texts;
}

StartOrder order(int code, qint32 begin = -1, qint32 end = -1) {
    StartOrder o;
    o.code = code;
    o.frequency = 1000;
    o.begin = begin;
    o.end = end;
    return o;
}

} // namespace

TEST(Station, RegistrationFollowsItsScheduleAndRecordsAFile) {
    Random rng(1);
    Station s = restingStation();
    ASSERT_TRUE(s.start(order(3, kT0 + 10, kT0 + 20), kT0));
    EXPECT_EQ(s.registrationState, registration::kDeferred);
    EXPECT_EQ(s.fileCount(), 0);

    run(s, kT0, kT0 + 9, rng);
    EXPECT_EQ(s.registrationState, registration::kDeferred) << "deferred until the begin time";
    run(s, kT0 + 9, kT0 + 10, rng);
    EXPECT_EQ(s.registrationState, registration::kRunning);
    EXPECT_EQ(s.fileCount(), 1);
    const double samplesAtBegin = s.samples;

    run(s, kT0 + 10, kT0 + 15, rng);
    EXPECT_DOUBLE_EQ(s.samples - samplesAtBegin, 5 * 1000.0) << "samples grow at the sampling frequency";
    EXPECT_EQ(s.catalogue.last().lastSample - s.catalogue.last().firstSample, 5000u);
    EXPECT_LT(s.freeMemoryPercent(), 100);

    run(s, kT0 + 15, kT0 + 20, rng);
    EXPECT_EQ(s.registrationState, registration::kStoppedByTime) << "stopped at the end time";
    const double samplesAtEnd = s.samples;
    run(s, kT0 + 20, kT0 + 30, rng);
    EXPECT_EQ(s.samples, samplesAtEnd);

    // A stop clears the end state, so that the client admits the station to a new start.
    s.stop(kT0 + 30);
    EXPECT_EQ(s.registrationState, registration::kStopped);
}

TEST(Station, StopEndsARunningRegistrationAndLeavesALastStateBlock) {
    Random rng(1);
    Station s = restingStation();
    ASSERT_TRUE(s.start(order(3), kT0));
    EXPECT_EQ(s.registrationState, registration::kRunning);
    s.stop(kT0 + 5);
    EXPECT_EQ(s.registrationState, registration::kStopped);
    EXPECT_TRUE(s.lastState.present);
    EXPECT_EQ(s.lastState.eventCode, 9); // "рег. остан."
    EXPECT_EQ(s.lastState.time, kT0 + 5);
}

TEST(Station, BusyOrFlatStationsDoNotStart) {
    Station recording = restingStation();
    ASSERT_TRUE(recording.start(order(3), kT0));
    EXPECT_FALSE(recording.start(order(3), kT0 + 1));

    Station downloading = restingStation();
    ASSERT_TRUE(downloading.startDownload());
    EXPECT_FALSE(downloading.start(order(3), kT0));

    Random rng(1);
    Station tuningStation = restingStation();
    ASSERT_TRUE(tuningStation.startTuning(rng));
    EXPECT_FALSE(tuningStation.start(order(3), kT0));

    Station flat = restingStation();
    flat.charge = 5;
    flat.start(order(3), kT0);
    EXPECT_EQ(flat.registrationState, registration::kStartError);
}

TEST(Station, ChannelTestsAndCalibrationRunForAWhileThenEnd) {
    struct Case { int code; quint8 mode; bool calibration; double seconds; };
    const Case cases[] = {{17, channelmode::kAdcTest, false, Station::kTestSeconds},
                          {18, channelmode::kSensorTest, false, Station::kTestSeconds},
                          {19, channelmode::kSnrTest, false, Station::kTestSeconds},
                          {20, channelmode::kNormal, true, Station::kCalibrationSeconds}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Random rng(1);
        Station s = restingStation(StationKind::Qm7_52);
        ASSERT_TRUE(s.start(order(c.code), kT0));
        EXPECT_EQ(s.registrationState, registration::kRunning);
        EXPECT_EQ(s.calibration, c.calibration ? 1 : 0);
        for (int j = 0; j < 16; ++j)
            EXPECT_EQ(s.channelModes[j], j < s.type().channels ? c.mode : channelmode::kNormal) << "channel " << j;
        EXPECT_EQ(s.isTesting(), c.mode != channelmode::kNormal);

        run(s, kT0, kT0 + static_cast<qint64>(c.seconds) - 2, rng);
        EXPECT_EQ(s.registrationState, registration::kRunning);
        const QStringList notices = run(s, kT0 + static_cast<qint64>(c.seconds) - 2, kT0 + static_cast<qint64>(c.seconds) + 1, rng);
        EXPECT_EQ(s.registrationState, registration::kStopped);
        EXPECT_EQ(s.calibration, 0);
        EXPECT_FALSE(s.isTesting());
        EXPECT_EQ(notices.size(), 1);
    }
}

TEST(Station, ChargingRisesToFullWhileABrokenChargerLetsTheBatteryDrain) {
    Random rng(1);
    Station charging = restingStation();
    charging.charge = 50;
    charging.charging = true;
    run(charging, kT0, kT0 + 60, rng, 60.0); // one simulated hour
    EXPECT_GT(charging.chargePercent(), 60);
    EXPECT_TRUE(charging.charging);
    EXPECT_GT(charging.chargingCurrent, 0);
    run(charging, kT0 + 60, kT0 + 600, rng, 60.0);
    EXPECT_EQ(charging.chargePercent(), 100);
    run(charging, kT0 + 600, kT0 + 1200, rng, 60.0);
    EXPECT_EQ(charging.chargePercent(), 100) << "a full battery stays full on its maintenance current";
    EXPECT_TRUE(charging.charging);
    EXPECT_LT(charging.chargingCurrent, 100);

    Station broken = restingStation();
    broken.chargerWorks = false;
    broken.charging = false;
    broken.charge = 60;
    run(broken, kT0, kT0 + 600, rng, 60.0);
    EXPECT_FALSE(broken.charging);
    EXPECT_LT(broken.chargePercent(), 60);
}

TEST(Station, DownloadProgressRunsToOneHundredAndStopCanKeepIt) {
    Random rng(1);
    Station s = restingStation();
    ASSERT_TRUE(s.startDownload());
    run(s, kT0, kT0 + 10, rng);
    EXPECT_GT(s.downloadProgress, 0);
    EXPECT_LT(s.downloadProgress, 100);

    s.stopDownload(true);
    const double kept = s.downloadProgress;
    EXPECT_FALSE(s.downloading);
    EXPECT_GT(kept, 0);
    ASSERT_TRUE(s.startDownload());
    EXPECT_EQ(s.downloadProgress, kept) << "a download stopped with resume goes on from where it was";

    bool sawHundredWhileDownloading = false;
    QList<StationEvent> events;
    for (qint64 t = kT0 + 11; t < kT0 + 300 && s.downloading; ++t) {
        s.advance({t, 1.0, 1.0, false}, rng, events);
        sawHundredWhileDownloading = sawHundredWhileDownloading || (s.downloading && s.downloadProgress >= 100);
    }
    EXPECT_TRUE(sawHundredWhileDownloading);
    EXPECT_FALSE(s.downloading);

    ASSERT_TRUE(s.startDownload());
    s.stopDownload(false);
    EXPECT_EQ(s.downloadProgress, 0);
}

TEST(Station, ErasingFilesFreesMemory) {
    Random rng(1);
    Station s = restingStation();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(s.start(order(3), kT0 + 100 * i));
        run(s, kT0 + 100 * i, kT0 + 100 * i + 50, rng);
        s.stop(kT0 + 100 * i + 50);
    }
    ASSERT_EQ(s.fileCount(), 3);
    const int freeBefore = s.freeMemoryPercent();

    ASSERT_TRUE(s.eraseOldestFile());
    EXPECT_EQ(s.fileCount(), 2);
    EXPECT_TRUE(s.catalogue.first().deleted);
    EXPECT_GE(s.freeMemoryPercent(), freeBefore);

    ASSERT_TRUE(s.eraseAllFiles());
    EXPECT_EQ(s.fileCount(), 0);
    EXPECT_EQ(s.freeMemoryPercent(), 100);

    ASSERT_TRUE(s.start(order(3), kT0 + 1000));
    EXPECT_FALSE(s.eraseAllFiles()) << "a recording station keeps its files";
}

TEST(Station, GeneratorTuningRunsAndEndsInAResultState) {
    const QList<quint8> results = {tuning::kCompleted, tuning::kTimeout, tuning::kNoPps, tuning::kError2, tuning::kError3};
    QSet<quint8> seen;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        Random rng(seed);
        Station s = restingStation();
        ASSERT_TRUE(s.startTuning(rng));
        EXPECT_EQ(s.tuningState, tuning::kRunning);
        EXPECT_FALSE(s.startTuning(rng));
        run(s, kT0, kT0 + 10, rng);
        EXPECT_EQ(s.tuningState, tuning::kRunning) << "tuning takes a while";
        const QStringList notices = run(s, kT0 + 10, kT0 + 130, rng);
        EXPECT_TRUE(results.contains(s.tuningState)) << int(s.tuningState);
        EXPECT_GT(s.tuningTime, kT0 + 10);
        EXPECT_LE(s.tuningTime, kT0 + 130);
        EXPECT_EQ(notices.size(), 1);
        seen.insert(s.tuningState);
    }
    EXPECT_TRUE(seen.contains(tuning::kCompleted));
    EXPECT_GE(seen.size(), 3) << "failures happen too";

    Random rng(1);
    Station stopped = restingStation();
    ASSERT_TRUE(stopped.startTuning(rng));
    EXPECT_TRUE(stopped.stopTuning());
    EXPECT_EQ(stopped.tuningState, tuning::kStopped);
}

TEST(Station, PowerOffEndsEverythingAndLeavesTheCommandAsLastState) {
    Station s = restingStation();
    ASSERT_TRUE(s.start(order(3), kT0));
    s.powerOff(kT0 + 3);
    EXPECT_TRUE(s.poweredOff);
    EXPECT_EQ(s.registrationState, registration::kStopped);
    EXPECT_EQ(s.lastState.eventCode, 6); // "выкл. по команде"
}

TEST(Station, RandomHistoriesArePlausibleAndRepeatable) {
    Random a(99);
    Random b(99);
    for (int i = 0; i < 200; ++i) {
        Station s(100 + i, i % 3 ? StationKind::Qm7_521 : StationKind::Qm7_52);
        Station twin(100 + i, s.kind);
        s.randomise(a, kT0);
        twin.randomise(b, kT0);
        EXPECT_EQ(s.charge, twin.charge);
        EXPECT_EQ(s.catalogue.size(), twin.catalogue.size());

        EXPECT_GE(s.charge, 0);
        EXPECT_LE(s.charge, 100);
        EXPECT_NEAR(s.pressure, 100000, 3000);
        EXPECT_FALSE(s.isRecording());
        EXPECT_GE(s.freeMemoryPercent(), 0);
        EXPECT_LE(s.fileCount(), Station::kMaxCatalogueSlots);
        for (const RecordedFile& f : s.catalogue) {
            EXPECT_LE(f.firstSample, f.lastSample);
            EXPECT_LT(f.startTime, kT0);
        }
    }
}
