// Merging the channel configuration of the admitted stations, and the warning balloon that names the
// differences and the stations refused for critical errors.

#include "stationdata/ChannelMerge.h"
#include "stationdata/ConfigurationWarning.h"

#include "StationBlocks.h"

#include <gtest/gtest.h>

namespace kalver::stationdata {
namespace {

TEST(ChannelMerge, IdenticalStationsAgreeAndOfferTheirGains) {
    ChannelMerge merge;
    link::StatusBlock a = test::idleStation(1, {0, 3}, {3});
    a.setPreampGainByte(5, 3, 255);
    ASSERT_TRUE(merge.merge(a));
    ASSERT_TRUE(merge.merge(a));
    EXPECT_EQ(merge.differences(), 0);
    EXPECT_EQ(merge.channelState(0), kStatePresent);
    EXPECT_EQ(merge.channelState(3), kStatePresent);
    EXPECT_EQ(merge.channelState(1), kStateAbsent);
    EXPECT_EQ(merge.preampState(0), kStateAbsent);
    EXPECT_EQ(merge.preampState(3), kStatePresent);
    EXPECT_EQ(merge.inclinometerState(), kStatePresent);
    EXPECT_TRUE(gainOffered(merge.gains(), 4, 3));
    EXPECT_FALSE(gainOffered(merge.gains(), 5, 3));
}

TEST(ChannelMerge, NothingSeenOffersNothing) {
    ChannelMerge merge;
    EXPECT_EQ(merge.channelState(0), kStateNotSeen);
    EXPECT_EQ(merge.inclinometerState(), kStateNotSeen);
    EXPECT_FALSE(gainOffered(merge.gains(), 0, 0));
}

TEST(ChannelMerge, EachDifferenceSetsItsFlag) {
    struct Case {
        const char* name;
        std::function<void(link::StatusBlock&)> change;
        int flags;
    };
    const Case cases[] = {
        {"one channel fewer", [](link::StatusBlock& b) { b.setChannelPresentByte(2, 255); }, difference::ChannelCount},
        {"one preamplifier fewer", [](link::StatusBlock& b) { b.setPreampPresentByte(1, 0); }, difference::PreampPresence},
        {"a gain missing", [](link::StatusBlock& b) { b.setPreampGainByte(2, 0, 255); }, difference::PreampGains},
        {"no inclinometer", [](link::StatusBlock& b) { b.setInclinometerPresentByte(0); }, difference::Inclinometer},
        {"two gain bytes that differ but are both offered", [](link::StatusBlock& b) { b.setPreampGainByte(2, 0, 7); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool changedFirst : {false, true}) {
            link::StatusBlock plain = test::idleStation(1);
            link::StatusBlock changed = test::idleStation(2);
            c.change(changed);
            ChannelMerge merge;
            ASSERT_TRUE(merge.merge(changedFirst ? changed : plain));
            ASSERT_TRUE(merge.merge(changedFirst ? plain : changed));
            EXPECT_EQ(merge.differences(), c.flags) << "changed first: " << changedFirst;
        }
    }
}

TEST(ChannelMerge, AnInvalidByteStopsTheMerge) {
    for (auto change : std::initializer_list<std::function<void(link::StatusBlock&)>>{
             [](link::StatusBlock& b) { b.setChannelPresentByte(5, 2); },
             [](link::StatusBlock& b) { b.setPreampPresentByte(15, 254); },
             [](link::StatusBlock& b) { b.setInclinometerPresentByte(7); },
         }) {
        link::StatusBlock b = test::idleStation(1);
        change(b);
        ChannelMerge merge;
        EXPECT_FALSE(merge.merge(b));
    }
}

TEST(ConfigurationWarning, RefusedNumbersBreakAfterTheFirstAndEveryTenthAfterIt) {
    struct Case {
        QList<std::int32_t> refused;
        QString text;
    };
    QList<std::int32_t> eleven;
    for (int n = 1; n <= 11; ++n)
        eleven.append(n);
    QList<std::int32_t> twelve = eleven;
    twelve.append(12);
    const Case cases[] = {
        {{}, QString()},
        {{5}, QStringLiteral("5\n")},
        {{5, 7, 9}, QStringLiteral("5,\n7,9")},
        {eleven, QStringLiteral("1,\n2,3,4,5,6,7,8,9,10,11\n")},
        {twelve, QStringLiteral("1,\n2,3,4,5,6,7,8,9,10,11,\n12")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(refusedListText(c.refused), c.text);
}

TEST(ConfigurationWarning, NamesTheDifferencesThenTheRefusedStations) {
    EXPECT_TRUE(configurationWarningText(0, {}).isEmpty());
    EXPECT_EQ(configurationWarningText(difference::ChannelCount | difference::Inclinometer, {}),
              QStringLiteral("Станции имеют различную конфигурацию каналов! Различаются:\n"
                             " - число каналов\n - наличие угломера\n"));
    EXPECT_EQ(configurationWarningText(difference::PreampPresence | difference::PreampGains, {12}),
              QStringLiteral("Станции имеют различную конфигурацию каналов! Различаются:\n"
                             " - наличие предусилителей\n - коэффициенты предусилителей\n"
                             "\nСледующие Станции не допущены к запуску, т.к. имеют критические ошибки в работе:\n"
                             "12\n"));
    EXPECT_EQ(configurationWarningText(0, {4, 8}),
              QStringLiteral("\nСледующие Станции не допущены к запуску, т.к. имеют критические ошибки в работе:\n"
                             "4,\n8"));
}

} // namespace
} // namespace kalver::stationdata
