// "settings_StD.ini": the exact binary order, the round trip, the file without channel entries, files
// that end early, and the atomic replacement.

#include "stationdata/StationDataInputs.h"

#include "core/ByteReader.h"
#include "support/ScratchFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kalver::stationdata {
namespace {

StationDataInputs sample() {
    StationDataInputs in;
    in.frequencyIndex = 3;
    in.now = false;
    in.byCommand = true;
    in.registrationBegin = TDateTime(43497.5);       // 2019-02-01 12:00
    in.registrationEnd = TDateTime(43498.25);
    in.useInclinometer = false;
    in.inclinometerStart = TDateTime(43499.125);
    in.inclinometerNow = false;
    in.inclinometerStep = 3600;
    in.inclinometerOnce = true;
    in.downloadBeginTime = TDateTime(40000.1);
    in.downloadBeginDate = TDateTime(40001.2);
    in.downloadEndTime = TDateTime(40002.3);
    in.downloadEndDate = TDateTime(40003.4);
    in.channelSetType = 1;
    for (int j = 0; j < kChannels; ++j)
        in.channels[static_cast<std::size_t>(j)] =
            ChannelEntry{static_cast<std::uint8_t>(j % 2), static_cast<std::uint8_t>(j % 7), 2, 3, 1};
    return in;
}

TEST(StationDataInputs, FieldsStandInTheirOrderLittleEndian) {
    const StationDataInputs in = sample();
    const QByteArray bytes = encodeInputs(in, true);
    ASSERT_EQ(bytes.size(), 92 + 16 * 5);
    ByteReader r(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    EXPECT_EQ(r.read<std::int32_t>(), 3);
    EXPECT_EQ(r.read<std::int32_t>(), 0);
    EXPECT_EQ(r.read<std::int32_t>(), 1);
    EXPECT_EQ(r.read<double>(), 43497.5);
    EXPECT_EQ(r.read<double>(), 43498.25);
    EXPECT_EQ(r.read<std::int32_t>(), 0);
    EXPECT_EQ(r.read<double>(), 43499.125);
    EXPECT_EQ(r.read<std::int32_t>(), 0);
    EXPECT_EQ(r.read<std::int32_t>(), 3600);
    EXPECT_EQ(r.read<std::int32_t>(), 1);
    EXPECT_EQ(r.read<double>(), 40000.1);
    EXPECT_EQ(r.read<double>(), 40001.2);
    EXPECT_EQ(r.read<double>(), 40002.3);
    EXPECT_EQ(r.read<double>(), 40003.4);
    EXPECT_EQ(r.read<std::int32_t>(), 1);
    EXPECT_EQ(r.read<std::int32_t>(), 16);
    EXPECT_EQ(bytes.mid(92, 10), QByteArray::fromHex("00000203010101020301"));
}

TEST(StationDataInputs, RoundTripWithAndWithoutChannelEntries) {
    const StationDataInputs in = sample();
    StationDataInputs out;
    decodeInputs(encodeInputs(in, true), out);
    EXPECT_EQ(out, in);

    // Written when no channel group existed: the count 16 and nothing after it.
    const QByteArray without = encodeInputs(in, false);
    ASSERT_EQ(without.size(), 92);
    EXPECT_EQ(without.right(4), QByteArray::fromHex("10000000"));
    StationDataInputs kept;
    kept.channels[4] = ChannelEntry{1, 5, 1, 2, 1};
    const ChannelEntries before = kept.channels;
    decodeInputs(without, kept);
    EXPECT_EQ(kept.channels, before) << "reading leaves the channel entries as they were";
    EXPECT_EQ(kept.inclinometerStep, 3600);
}

TEST(StationDataInputs, AFileThatEndsEarlyLeavesTheRestAsItWas) {
    const StationDataInputs in = sample();
    const QByteArray bytes = encodeInputs(in, true);
    StationDataInputs out;
    const StationDataInputs defaults;
    decodeInputs(bytes.left(4 + 4 + 4 + 8 + 3), out); // ends inside the registration end
    EXPECT_EQ(out.frequencyIndex, 3);
    EXPECT_FALSE(out.now);
    EXPECT_EQ(out.registrationBegin, in.registrationBegin);
    EXPECT_EQ(out.registrationEnd, defaults.registrationEnd);
    EXPECT_EQ(out.inclinometerStep, defaults.inclinometerStep);

    StationDataInputs partly;
    decodeInputs(bytes.left(92 + 2 * 5 + 3), partly); // two whole entries, then three bytes
    EXPECT_EQ(partly.channels[1], in.channels[1]);
    EXPECT_EQ(partly.channels[2], ChannelEntry{});
}

TEST(StationDataInputs, FewerStoredEntriesMarkTheRestAndFlagsTakeAnyNonZero) {
    QByteArray bytes = encodeInputs(sample(), false);
    bytes.replace(4, 4, QByteArray::fromHex("07000000"));         // cb_Now stored as 7
    bytes.replace(88, 4, QByteArray::fromHex("02000000"));       // two entries follow
    bytes += QByteArray::fromHex("0103020101") + QByteArray::fromHex("0000000000");
    StationDataInputs out;
    decodeInputs(bytes, out);
    EXPECT_TRUE(out.now);
    EXPECT_EQ(out.channels[0], (ChannelEntry{1, 3, 2, 1, 1}));
    EXPECT_EQ(out.channels[1], ChannelEntry{});
    for (int j = 2; j < kChannels; ++j)
        EXPECT_EQ(out.channels[static_cast<std::size_t>(j)].use, 255) << j;

    bytes.replace(88, 4, QByteArray::fromHex("ffffffff"));        // a negative count reads nothing
    StationDataInputs negative;
    decodeInputs(bytes, negative);
    EXPECT_EQ(negative.channels[0].use, 255);
}

TEST(StationDataInputs, TheFileIsReplacedWholeAndAMissingFileChangesNothing) {
    test::ScratchFolder scratch;
    const QString path = scratch.file(QString::fromLatin1(kInputsFileName));
    StationDataInputs untouched;
    EXPECT_FALSE(readInputsFile(path, untouched));
    EXPECT_EQ(untouched, StationDataInputs{});

    scratch.write(QString::fromLatin1(kInputsFileName), QByteArray(500, 'x'));
    ASSERT_TRUE(writeInputsFile(path, sample(), true));
    EXPECT_EQ(scratch.read(QString::fromLatin1(kInputsFileName)), encodeInputs(sample(), true));
    StationDataInputs back;
    ASSERT_TRUE(readInputsFile(path, back));
    EXPECT_EQ(back, sample());

    EXPECT_FALSE(writeInputsFile(scratch.file(QStringLiteral("no-such-folder/settings_StD.ini")), sample(), true));
}

} // namespace
} // namespace kalver::stationdata
