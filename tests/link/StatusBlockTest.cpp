// The status block is read at fixed little-endian offsets, several of them unaligned; unknown
// markers, the two halves of samples recorded and the last-state marker decide what is known.

#include "link/StatusBlock.h"
#include "link/TKlvStation.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace kalver::link;

namespace {

// A block whose bytes are all distinct, so that any accessor reading the wrong offset is caught.
StatusBlock patterned() {
    StatusBlock b;
    for (std::size_t i = 0; i < kStatusBlockSize; ++i)
        b.bytes()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

template <typename T>
T at(const StatusBlock& b, std::size_t offset) {
    T v;
    std::memcpy(&v, b.bytes().data() + offset, sizeof v);
    return v;
}

} // namespace

TEST(StatusBlock, EveryFieldIsReadAtItsOffset) {
    const StatusBlock b = patterned();
    EXPECT_EQ(b.typeText(), QByteArray(reinterpret_cast<const char*>(b.bytes().data()), 8));
    EXPECT_EQ(b.number(), at<std::int32_t>(b, 16));
    EXPECT_EQ(b.chargeLevel(), at<std::int32_t>(b, 20));
    EXPECT_EQ(b.pressure(), at<std::int32_t>(b, 24));
    EXPECT_EQ(b.stationTime(), at<std::int32_t>(b, 28));
    EXPECT_EQ(b.clockDrift(), at<std::int32_t>(b, 32));
    EXPECT_EQ(b.samplesRecorded(), at<std::int64_t>(b, 40));
    EXPECT_EQ(b.freeMemory(), at<std::int32_t>(b, 48));
    EXPECT_EQ(b.fileCount(), at<std::int32_t>(b, 52));
    EXPECT_EQ(b.downloadProgress(), at<std::int32_t>(b, 56));
    EXPECT_EQ(b.chargingCurrent(), at<std::int16_t>(b, 60));
    EXPECT_EQ(b.preampGainByte(3, 5), b.bytes()[62 + 16 * 3 + 5]);
    EXPECT_EQ(b.channelPresentByte(15), b.bytes()[318 + 15]);
    EXPECT_EQ(b.channelModeByte(2), b.bytes()[334 + 2]);
    EXPECT_EQ(b.preampPresentByte(9), b.bytes()[350 + 9]);
    EXPECT_EQ(b.generatorState(), b.bytes()[376]);
    EXPECT_EQ(b.generatorError(), at<double>(b, 384));
    EXPECT_EQ(b.generatorFrequency(), at<double>(b, 392));
    EXPECT_EQ(b.generatorTime(), at<std::int32_t>(b, 400));
    EXPECT_EQ(b.registrationState(), static_cast<std::int8_t>(b.bytes()[409]));
    EXPECT_EQ(b.inclinometerPresentByte(), b.bytes()[411]);
    EXPECT_EQ(b.inclinometerCalibration(), at<std::int32_t>(b, 412));
    EXPECT_EQ(b.interfaceErrors(), at<std::uint32_t>(b, 444));
    EXPECT_EQ(b.recorderErrors(), at<std::uint32_t>(b, 448));
    // Channel indexes outside 0...15 read nothing beyond their table.
    EXPECT_EQ(b.channelPresentByte(16), 0);
    EXPECT_EQ(b.preampGainByte(16, 0), 0);
}

TEST(StatusBlock, UnalignedLastStateGroupNeedsFiveMarkerBytes) {
    StatusBlock b = patterned();
    EXPECT_FALSE(b.lastState().has_value());
    LastState written{0x11223344u, 0xA1B2C3D4u, 0x01020304u, 12, 0xDEADBEEFu};
    b.setLastState(written);
    ASSERT_TRUE(b.lastState().has_value());
    EXPECT_EQ(b.lastState()->time, 0x11223344u);
    EXPECT_EQ(at<std::uint32_t>(b, 421), 0x11223344u);
    EXPECT_EQ(at<std::uint32_t>(b, 425), 0xA1B2C3D4u);
    EXPECT_EQ(at<std::uint32_t>(b, 429), 0x01020304u);
    EXPECT_EQ(at<std::uint16_t>(b, 433), 12);
    EXPECT_EQ(b.lastState()->eventDetail, 0xDEADBEEFu);
    for (std::size_t i = 416; i < 421; ++i) {
        StatusBlock one = b;
        one.setByteAt(i, 43);
        EXPECT_FALSE(one.lastState().has_value()) << "marker byte " << i;
    }
}

TEST(StatusBlock, UnknownMarkers) {
    StatusBlock b;
    b.setAllUnknown();
    EXPECT_FALSE(StatusBlock::known(b.chargeLevel()));
    EXPECT_FALSE(StatusBlock::known(b.pressure()));
    EXPECT_FALSE(StatusBlock::known(b.stationTime()));
    EXPECT_FALSE(StatusBlock::known(b.freeMemory()));
    EXPECT_FALSE(StatusBlock::known(b.fileCount()));
    EXPECT_FALSE(b.samplesKnown());
    EXPECT_EQ(b.generatorError(), -1.0);

    // Samples recorded is unknown only when both halves are -1.
    struct Case { std::int32_t low, high; bool known; };
    for (const Case& c : {Case{-1, -1, false}, Case{-1, 0, true}, Case{0, -1, true}, Case{5, 0, true}}) {
        b.setSamplesHalves(c.low, c.high);
        EXPECT_EQ(b.samplesKnown(), c.known) << c.low << "/" << c.high;
    }
    b.setSamplesHalves(-1, 0);
    EXPECT_EQ(b.samplesRecorded(), 0xFFFFFFFFLL);
}

TEST(StatusBlock, Predicates) {
    for (int state = -1; state <= 15; ++state) {
        StatusBlock b;
        b.setRegistrationState(static_cast<std::int8_t>(state));
        const bool registering = state == 1 || state == 2 || state == 3 || state == 5 || state == 6 || state == 7;
        EXPECT_EQ(b.isRegistering(), registering) << state;
    }

    StatusBlock t;
    t.setChannelModeByte(4, 1);
    EXPECT_FALSE(t.isTesting()) << "a channel that is not present does not test";
    t.setChannelPresentByte(4, 255);
    EXPECT_FALSE(t.isTesting()) << "255 is absent";
    t.setChannelPresentByte(4, 1);
    EXPECT_TRUE(t.isTesting());
    t.setChannelModeByte(4, 0);
    EXPECT_FALSE(t.isTesting());

    StatusBlock g;
    g.setGeneratorState(2);
    EXPECT_TRUE(g.isGeneratorTuning());
    g.setGeneratorState(0x12);
    EXPECT_FALSE(g.isGeneratorTuning());
}

TEST(StatusBlock, FromBytesNeedsTheWholeBlock) {
    const QByteArray bytes = patterned().toByteArray();
    EXPECT_FALSE(StatusBlock::fromBytes(bytes.left(455)).has_value());
    ASSERT_TRUE(StatusBlock::fromBytes(bytes).has_value());
    EXPECT_EQ(*StatusBlock::fromBytes(bytes), patterned());
}

// The report handler copies blocks from wherever they lie in a frame: every byte arrives, from any
// alignment of the source, over whatever the record held before.
TEST(StatusBlock, AssignRawCopiesEveryByteFromAnyAlignment) {
    const StatusBlock expected = patterned();
    std::array<std::uint8_t, kStatusBlockSize + 32> source{};
    for (std::size_t shift = 0; shift < 16; ++shift) {
        SCOPED_TRACE(shift);
        source.fill(0xEE);
        std::memcpy(source.data() + shift, expected.bytes().data(), kStatusBlockSize);
        StatusBlock b;
        b.bytes().fill(0x5A);
        b.assignRaw(source.data() + shift);
        EXPECT_EQ(b, expected);
        EXPECT_EQ(StatusBlock::fromRaw(source.data() + shift), expected);
    }
}

TEST(TKlvStation, AlarmListHoldsEachCodeOnce) {
    TKlvStation s(StatusBlock{});
    EXPECT_TRUE(s.seenInReport);
    EXPECT_EQ(s.tile.colour, QColor(Qt::white));
    EXPECT_EQ(s.highestAlarm(), 0);
    EXPECT_TRUE(s.addAlarm(7));
    EXPECT_FALSE(s.addAlarm(7));
    EXPECT_TRUE(s.addAlarm(2));
    EXPECT_EQ(s.alarms, QList<TErrorType>({7, 2}));
    EXPECT_EQ(s.highestAlarm(), 7);
    EXPECT_TRUE(s.removeAlarm(7));
    EXPECT_EQ(s.highestAlarm(), 2);
}
