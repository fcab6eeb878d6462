// The rules of the channel groups: building from the kept entries, the gain limits, the preamplifier
// box, common propagation, and when the start settings can be sent.

#include "stationdata/ChannelGroups.h"

#include <gtest/gtest.h>

namespace kalver::stationdata {
namespace {

// A gain table that offers every gain on every channel, except those taken away.
GainTable allGains() {
    GainTable t;
    for (auto& row : t)
        row.fill(1);
    return t;
}

ChannelEntry used(std::uint8_t gain = 0, std::uint8_t preampGain = 0, std::uint8_t mode = 0, std::uint8_t preampOn = 0) {
    return ChannelEntry{1, gain, preampGain, mode, preampOn};
}

class ChannelGroupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        groups.build(0, true, gains, used(1, 1, 0, 1));
        groups.build(1, true, gains, used());
        groups.build(2, true, gains, ChannelEntry{});   // not in use
        groups.build(3, false, gains, used());          // no preamplifier
    }
    GainTable gains = allGains();
    ChannelGroups groups;
};

TEST_F(ChannelGroupsTest, CommonSettingsPropagateEveryChangeToTheOtherUsedChannels) {
    groups.setChannelSetType(kCommonChannelSettings);
    groups.changeMode(1, 2);
    EXPECT_EQ(groups.at(0).mode, 2);
    EXPECT_EQ(groups.at(3).mode, 2);
    EXPECT_EQ(groups.at(2).mode, 0) << "a channel not in use is left alone";

    EXPECT_EQ(groups.at(0).gain, 0) << "the whole entry goes over";
    EXPECT_FALSE(groups.at(0).preampOn);

    groups.changePreampGain(0, 1);
    groups.changePreampOn(0, true);
    groups.changeGain(0, 3);
    for (int j : {1, 3}) {
        EXPECT_EQ(groups.at(j).gain, 3) << j;
        EXPECT_EQ(groups.at(j).preampGain, 1) << j;
    }
    EXPECT_TRUE(groups.at(1).preampOn);
    EXPECT_FALSE(groups.at(3).preampOn) << "a channel without preamplifier does not switch one on";
}

TEST_F(ChannelGroupsTest, SeparateSettingsChangeOnlyTheirChannel) {
    groups.setChannelSetType(kSeparateChannelSettings);
    groups.changeMode(1, 2);
    groups.changeGain(1, 4);
    EXPECT_EQ(groups.at(1).mode, 2);
    EXPECT_EQ(groups.at(0).mode, 0);
    EXPECT_EQ(groups.at(0).gain, 1);
    EXPECT_EQ(groups.at(3).mode, 0);
}

TEST_F(ChannelGroupsTest, AChannelNotInUseDoesNotPropagate) {
    groups.changeMode(2, 3);
    EXPECT_EQ(groups.at(2).mode, 3);
    EXPECT_EQ(groups.at(0).mode, 0);
}

TEST_F(ChannelGroupsTest, TheTwoGainsNeverExceedSixteenTimesFour) {
    groups.setChannelSetType(kSeparateChannelSettings);
    groups.changePreampGain(1, 3);
    groups.changeGain(1, 6);
    EXPECT_EQ(groups.at(1).gain, 6);
    EXPECT_EQ(groups.at(1).preampGain, 0) << "gain 64 forces preamplifier gain 1";

    groups.changeGain(1, 5);
    groups.changePreampGain(1, 4);
    EXPECT_EQ(groups.at(1).preampGain, 4);
    EXPECT_EQ(groups.at(1).gain, 2) << "preamplifier gain 16 limits the gain to 4";
}

TEST_F(ChannelGroupsTest, ThePreamplifierGoesOffOnAGainTheStationsDoNotOffer) {
    gains[2][1] = kGainMarkMissing;
    groups.build(1, true, gains, used(0, 0, 0, 1));
    groups.setChannelSetType(kSeparateChannelSettings);
    EXPECT_TRUE(groups.at(1).preampOn);
    groups.changePreampGain(1, 2);
    EXPECT_FALSE(groups.at(1).preampOn);
    EXPECT_TRUE(groups.at(1).preampGainItemEmpty());
}

TEST_F(ChannelGroupsTest, EnablesFollowUseAndPreamplifier) {
    const ChannelGroupState& off = groups.at(2);
    EXPECT_FALSE(off.modeEnabled());
    EXPECT_FALSE(off.gainEnabled());
    EXPECT_FALSE(off.preampBoxEnabled());
    EXPECT_TRUE(groups.at(0).preampGainEnabled());
    EXPECT_FALSE(groups.at(1).preampGainEnabled()) << "the preamplifier box is not checked";
    EXPECT_FALSE(groups.at(3).preampBoxEnabled()) << "no preamplifier on the channel";
    groups.changeUse(2, true);
    EXPECT_TRUE(groups.at(2).modeEnabled());
    EXPECT_TRUE(groups.at(2).preampBoxEnabled());
}

TEST_F(ChannelGroupsTest, StartSettingsNeedAUsedChannelAndNoPreamplifierOnAnEmptyGain) {
    EXPECT_TRUE(groups.startSettingsUsable());

    ChannelGroups none;
    none.build(0, true, gains, ChannelEntry{});
    EXPECT_FALSE(none.startSettingsUsable()) << "no channel in use";
    EXPECT_FALSE(ChannelGroups{}.startSettingsUsable()) << "no group at all";

    // The operator checks the preamplifier box while an empty "Kpreamp" item is selected.
    GainTable missing = gains;
    missing[3][5] = kGainMarkMissing;
    ChannelGroups empty;
    empty.setChannelSetType(kSeparateChannelSettings);
    empty.build(5, true, missing, used());
    empty.changePreampGain(5, 3);
    EXPECT_TRUE(empty.startSettingsUsable());
    empty.changePreampOn(5, true);
    EXPECT_TRUE(empty.at(5).preampOnEmptyItem());
    EXPECT_FALSE(empty.startSettingsUsable());
    empty.changePreampGain(5, 2);
    EXPECT_TRUE(empty.at(5).preampOn);
    EXPECT_TRUE(empty.startSettingsUsable());
}

TEST_F(ChannelGroupsTest, BuildTakesTheKeptEntryWithinItsListsAndRebuildKeepsChoices) {
    ChannelGroups g;
    g.build(4, false, gains, ChannelEntry{255, 9, 12, 7, 1});
    EXPECT_TRUE(g.at(4).use) << "a use byte other than 0 is in use";
    EXPECT_EQ(g.at(4).gain, 0);
    EXPECT_EQ(g.at(4).preampGain, 0);
    EXPECT_EQ(g.at(4).mode, 0);
    EXPECT_FALSE(g.at(4).preampOn) << "no preamplifier present";

    g.build(6, true, gains, used(2, 3, 1, 1));
    g.setChannelSetType(kSeparateChannelSettings);
    g.changeMode(6, 3);
    GainTable fewer = gains;
    fewer[3][6] = kGainMarkMissing;
    g.rebuild(6, true, fewer);
    EXPECT_EQ(g.at(6).mode, 3);
    EXPECT_EQ(g.at(6).gain, 2);
    EXPECT_EQ(g.at(6).preampGain, 3);
    EXPECT_FALSE(g.at(6).preampOn) << "its gain is no longer offered";
}

TEST_F(ChannelGroupsTest, EntriesReadBackAndALockedUseBoxStaysChecked) {
    groups.setUseLocked(2, true);
    EXPECT_TRUE(groups.at(2).use);
    groups.changeUse(2, false);
    EXPECT_TRUE(groups.at(2).use);
    groups.setUseLocked(2, false);
    groups.changeUse(2, false);
    EXPECT_FALSE(groups.at(2).use);

    const ChannelEntries entries = groups.entries();
    EXPECT_EQ(entries[0], (ChannelEntry{1, 1, 1, 0, 1}));
    EXPECT_EQ(entries[2], (ChannelEntry{0, 0, 0, 0, 0}));
    EXPECT_EQ(entries[9], ChannelEntry{}) << "no group: five zero bytes";

    groups.setModeOfAll(3);
    for (int j = 0; j < 4; ++j)
        EXPECT_EQ(groups.at(j).mode, 3);
}

} // namespace
} // namespace kalver::stationdata
