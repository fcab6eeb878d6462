#include "demo/StatusBlockWriter.h"

#include "core/ByteReader.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::demo;

namespace {

constexpr qint64 kNow = 1'700'000'000;

Station busyStation() {
    Station s(4711, StationKind::Qm7_521);
    s.charge = 57.9;
    s.charging = true;
    s.chargingCurrent = 1234.5;
    s.pressure = 101325.7;
    s.driftUs = -2'600'000.4;
    s.samples = 5'000'000'123.0;
    s.downloading = true;
    s.downloadProgress = 42.6;
    s.registrationState = registration::kRunning;
    s.channelModes[1] = channelmode::kSensorTest;
    s.tuningState = 0x13;
    s.generatorError = 2.5e-9;
    s.generatorFrequency = 1.0000001e7;
    s.tuningTime = 1'699'999'000;
    s.calibration = 1;
    s.interfaceErrors = 0x8201;
    s.recorderErrors = 0x40;
    s.lastState = {true, 1'699'990'000, 0x11, 0x200, 12, 0xDEADBEEF};
    RecordedFile f;
    f.firstSample = 0;
    f.lastSample = 500 * 3600;
    s.catalogue = {f, f};
    s.catalogue[0].deleted = true;
    return s;
}

} // namespace

TEST(StatusBlockWriter, EveryFieldLandsAtItsOffset) {
    const QByteArray b = writeStatusBlock(busyStation(), kNow);
    ASSERT_EQ(b.size(), 456);
    const char* p = b.constData();

    EXPECT_EQ(QByteArray(p, 8), QByteArray("qm7  521"));
    struct Int32Field { int offset; qint32 expected; const char* what; };
    const Int32Field ints[] = {
        {16, 4711, "number"},        {20, 57, "charge, whole percent"},
        {24, 101325, "pressure"},    {28, static_cast<qint32>(kNow - 3), "station time: the clock plus the drift"},
        {32, -2'600'000, "drift"},        {48, 99, "free memory"},
        {52, 1, "live files"},       {56, 42, "download progress"},
        {400, 1'699'999'000, "tuning time"}, {412, 1, "calibration"},
    };
    for (const Int32Field& f : ints)
        EXPECT_EQ(loadLE<qint32>(p, f.offset), f.expected) << f.what;

    EXPECT_EQ(loadLE<qint64>(p, 40), 5'000'000'123LL);
    EXPECT_EQ(loadLE<qint16>(p, 60), 12345) << "tenths of a milliampere";
    EXPECT_EQ(static_cast<quint8>(p[376]), 0x13);
    EXPECT_EQ(loadLE<double>(p, 384), 2.5e-9);
    EXPECT_EQ(loadLE<double>(p, 392), 1.0000001e7);
    EXPECT_EQ(p[408], 1);
    EXPECT_EQ(static_cast<qint8>(p[409]), 1);
    EXPECT_EQ(p[410], 1);
    EXPECT_EQ(p[411], 1);

    EXPECT_EQ(QByteArray(p + 416, 5), QByteArray("*****"));
    EXPECT_EQ(loadLE<quint32>(p, 421), 1'699'990'000u);
    EXPECT_EQ(loadLE<quint32>(p, 425), 0x11u);
    EXPECT_EQ(loadLE<quint32>(p, 429), 0x200u);
    EXPECT_EQ(loadLE<quint16>(p, 433), 12);
    EXPECT_EQ(loadLE<quint32>(p, 436), 0xDEADBEEFu);
    EXPECT_EQ(loadLE<quint32>(p, 444), 0x8201u);
    EXPECT_EQ(loadLE<quint32>(p, 448), 0x40u);
}

TEST(StatusBlockWriter, ChannelsPreamplifiersAndGainsFollowTheStationType) {
    struct Case { StationKind kind; int channels; int preamps; int maxGain; };
    for (const Case& c : {Case{StationKind::Qm7_521, 4, 3, 6}, Case{StationKind::Qm7_52, 3, 3, 4}}) {
        Station s(1, c.kind);
        s.channelModes[0] = channelmode::kAdcTest;
        const QByteArray b = writeStatusBlock(s, kNow);
        for (int j = 0; j < 16; ++j) {
            EXPECT_EQ(b[318 + j], j < c.channels ? 1 : 0) << "channel present " << j;
            EXPECT_EQ(b[350 + j], j < c.preamps ? 1 : 0) << "preamplifier present " << j;
            for (int k = 0; k < 16; ++k)
                EXPECT_EQ(static_cast<quint8>(b[62 + 16 * k + j]), j < c.preamps && k <= c.maxGain ? 1 : 255)
                    << "gain 2^" << k << " channel " << j;
        }
        EXPECT_EQ(b[334], channelmode::kAdcTest);
    }
    EXPECT_EQ(writeStatusBlock(Station(1, StationKind::Qm7_52), kNow).left(8), QByteArray("qm7  52\0", 8));
}

TEST(StatusBlockWriter, UnknownAndAbsentValuesUseTheirMarkers) {
    Station s(7, StationKind::Qm7_52);
    s.pressureKnown = false;
    s.charging = false;
    s.chargingCurrent = 900; // stale: not charging, so not reported
    const QByteArray b = writeStatusBlock(s, kNow);
    EXPECT_EQ(loadLE<qint32>(b.constData(), 24), -1);
    EXPECT_EQ(loadLE<qint16>(b.constData(), 60), 0);
    EXPECT_EQ(loadLE<double>(b.constData(), 384), -1.0);
    EXPECT_EQ(loadLE<double>(b.constData(), 392), -1.0);
    EXPECT_EQ(loadLE<qint32>(b.constData(), 400), -1);
    EXPECT_EQ(b.mid(416, 5), QByteArray(5, '\0')) << "no last-state block without an event";
    EXPECT_EQ(static_cast<qint8>(b[409]), registration::kNeverStarted);
}
