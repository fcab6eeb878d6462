#include "core/TDateTime.h"

#include <gtest/gtest.h>

using kalver::TDateTime;

TEST(TDateTime, UnixSecondsMapToDayCountsAndBack) {
    struct Case { qint64 seconds; double days; };
    const Case cases[] = {
        {0, 25569.0},                 // 1970-01-01 00:00
        {86400, 25570.0},             // one day later
        {43200, 25569.5},             // noon is half a day
        {-86400, 25568.0},            // before 1970
        {2085805696, 25569.0 + 2085805696 / 86400.0},
    };
    for (const Case& c : cases) {
        const TDateTime t = TDateTime::fromUnixSeconds(c.seconds);
        EXPECT_DOUBLE_EQ(t.days(), c.days) << c.seconds;
        EXPECT_EQ(t.toUnixSeconds(), c.seconds) << c.seconds;
    }
}

TEST(TDateTime, WallClockFieldsRoundTrip) {
    const TDateTime epoch = TDateTime::fromWallClock(QDate(1899, 12, 30), QTime(0, 0));
    EXPECT_DOUBLE_EQ(epoch.days(), 0.0);
    const TDateTime t = TDateTime::fromWallClock(QDate(2026, 12, 9), QTime(18, 0, 0));
    EXPECT_DOUBLE_EQ(t.timePart(), 0.75);
    EXPECT_EQ(t.date(), QDate(2026, 12, 9));
    EXPECT_EQ(t.time(), QTime(18, 0, 0));
    // A value a hair below midnight rounds to the next day, not to 23:59:59.999 of the previous one.
    const TDateTime nearMidnight(TDateTime::fromWallClock(QDate(2026, 1, 2), QTime(0, 0)).days() - 1e-12);
    EXPECT_EQ(nearMidnight.date(), QDate(2026, 1, 2));
    EXPECT_EQ(nearMidnight.time(), QTime(0, 0));
}

TEST(TDateTime, UtcAndLocalDifferByTheZoneOffset) {
    const TDateTime utc = TDateTime::fromUnixSeconds(1700000000);
    const TDateTime local = utc.utcToLocal();
    const qint64 offset = QDateTime::fromSecsSinceEpoch(1700000000).offsetFromUtc();
    EXPECT_EQ(local.toUnixSeconds() - utc.toUnixSeconds(), offset);
    EXPECT_EQ(local.localToUtc().toUnixSeconds(), 1700000000);
}
