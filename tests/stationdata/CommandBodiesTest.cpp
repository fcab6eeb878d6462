// The command bodies byte for byte, and the time checks made before start and stop commands.

#include "stationdata/CommandBodies.h"
#include "stationdata/StartChecks.h"

#include "core/ByteWriter.h"

#include <gtest/gtest.h>

#include <limits>

namespace kalver::stationdata {
namespace {

TDateTime at(int y, int mo, int d, int h, int mi, int s = 0) { return TDateTime::fromWallClock(QDate(y, mo, d), QTime(h, mi, s)); }

TEST(CommandBodies, StationListIsInt32Numbers) {
    EXPECT_EQ(stationListBody({3, 5, 300}), QByteArray::fromHex("03000000" "05000000" "2c010000"));
    EXPECT_TRUE(stationListBody({}).isEmpty());
}

TEST(CommandBodies, StartBodyIs108BytesAndTheStations) {
    StartSettings s;
    s.frequencyHz = 1000;
    s.channels[0] = ChannelEntry{1, 3, 2, 1, 1};
    s.channels[2] = ChannelEntry{0, 6, 0, 2, 0};
    s.inclinometerOnce = false;
    s.inclinometerStep = 600;
    s.beginNow = false;
    s.begin = at(2019, 2, 1, 10, 0);
    s.endByCommand = false;
    s.end = at(2019, 2, 1, 12, 0);
    s.inclinometerNow = false;
    s.inclinometerStart = at(1970, 1, 1, 0, 1);
    s.useInclinometer = true;

    ByteWriter expected;
    expected.putI32(2).putI32(1000);
    expected.putBytes(QByteArray::fromHex("0108040101"));      // channel 0: gain 8, preamplifier 4
    expected.putBytes(QByteArray(5, '\0'));                    // channel 1: no group
    expected.putBytes(QByteArray::fromHex("0040010200"));      // channel 2: gain 64, not used
    expected.putBytes(QByteArray(13 * 5, '\0'));
    expected.putI32(600).putI32(1549015200).putI32(1549022400).putI32(60);
    expected.putBytes(QByteArray::fromHex("01000000"));
    expected.putI32(5).putI32(12);

    const QByteArray body = startBody(s, {5, 12});
    EXPECT_EQ(body.size(), 108 + 4 * 2);
    EXPECT_EQ(body, expected.bytes());
}

TEST(CommandBodies, StartBodyMarksAtOnceByCommandAndOnce) {
    StartSettings s; // "Сразу", "По команде", inclinometer at once, used
    s.inclinometerOnce = true;
    s.inclinometerStep = 600;
    s.useInclinometer = false;
    const QByteArray body = startBody(s, {});
    ASSERT_EQ(body.size(), 108);
    EXPECT_EQ(body.mid(88, 20), QByteArray::fromHex("00000000" "ffffffff" "ffffffff" "00000000" "00000000"));
}

TEST(CommandBodies, DownloadBodyCarriesTheDayCountZeroInBothTimeFields) {
    EXPECT_EQ(downloadTimeField(), 2085805696);
    EXPECT_EQ(downloadBody({7, 9}), QByteArray::fromHex("80de527c" "80de527c" "07000000" "09000000"));
}

TEST(CommandBodies, EnteredSecondsAreTheLow32BitsOfTheWallClock) {
    EXPECT_EQ(enteredSeconds(at(1970, 1, 1, 0, 0)), 0);
    EXPECT_EQ(enteredSeconds(at(2038, 1, 19, 3, 14, 8)), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(enteredSeconds(TDateTime(0.0)), 2085805696);
}

TEST(StartChecks, RegistrationAndDownloadPeriods) {
    const TDateTime early = at(2019, 2, 1, 10, 0);
    const TDateTime late = at(2019, 2, 1, 12, 0);
    EXPECT_TRUE(registrationPeriodReversed(false, false, late, early));
    EXPECT_FALSE(registrationPeriodReversed(false, false, early, late));
    EXPECT_FALSE(registrationPeriodReversed(true, false, late, early)) << "Сразу: not compared";
    EXPECT_FALSE(registrationPeriodReversed(false, true, late, early)) << "По команде: not compared";
    EXPECT_TRUE(downloadPeriodReversed(late, early));
    EXPECT_FALSE(downloadPeriodReversed(early, early));
}

TEST(StartChecks, RowVerdictsForStartAndStop) {
    const TDateTime sync = at(2019, 2, 1, 10, 0);
    const TDateTime inTwoMinutes = at(2019, 2, 1, 10, 2);
    const TDateTime inHalfAMinute = at(2019, 2, 1, 10, 0, 30);
    struct Case {
        const char* name;
        bool connected;
        TDateTime syncTime;
        bool now;
        TDateTime begin;
        bool byCommand;
        TDateTime end;
        RowCheck check;
        QString code;
    };
    const Case cases[] = {
        {"at once, by command", true, sync, true, {}, true, {}, RowCheck::Go, {}},
        {"no sync server", false, sync, true, {}, true, {}, RowCheck::SkipRow, "e069"},
        {"begin two minutes ahead", true, sync, false, inTwoMinutes, true, {}, RowCheck::Go, {}},
        {"begin half a minute ahead", true, sync, false, inHalfAMinute, true, {}, RowCheck::StopRows, "e067"},
        {"end half a minute ahead", true, sync, true, {}, false, inHalfAMinute, RowCheck::StopRows, "e068"},
        {"sync time second -1", true, TDateTime::fromUnixSeconds(-1), true, {}, true, {}, RowCheck::StopRows, "e076"},
        {"sync time second 0", true, TDateTime::fromUnixSeconds(0), true, {}, true, {}, RowCheck::StopRows, "e076"},
        {"sync time not known yet", true, TDateTime(-1.0), true, {}, true, {}, RowCheck::Go, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RowVerdict v = checkStartRow(c.connected, c.syncTime, c.now, c.begin, c.byCommand, c.end);
        EXPECT_EQ(v.check, c.check);
        EXPECT_EQ(v.code ? QString::fromUtf16(v.code) : QString(), c.code);
    }
    EXPECT_EQ(checkStopRow(true, sync).check, RowCheck::Go);
    EXPECT_EQ(QString::fromUtf16(checkStopRow(false, sync).code), QStringLiteral("e078"));
    EXPECT_EQ(checkStopRow(false, sync).check, RowCheck::SkipRow);
    EXPECT_EQ(QString::fromUtf16(checkStopRow(true, TDateTime::fromUnixSeconds(0)).code), QStringLiteral("e077"));
    EXPECT_EQ(checkStopRow(true, TDateTime::fromUnixSeconds(0)).check, RowCheck::StopRows);
}

} // namespace
} // namespace kalver::stationdata
