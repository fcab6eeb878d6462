// The quick-entry field of the download period: fixed positions in both directions.

#include "stationdata/QuickEntry.h"

#include <gtest/gtest.h>

namespace kalver::stationdata {
namespace {

const QString kPeriod = QStringLiteral("с 10:00:00  01.02.2019 по 12:00:00  01.02.2019");

TEST(QuickEntry, PiecesStandAtTheirFixedPositions) {
    const QString text = quickEntryText(QTime(10, 0), QDate(2019, 2, 1), QTime(12, 0), QDate(2019, 2, 1));
    EXPECT_EQ(text, kPeriod);
    ASSERT_EQ(text.size(), kQuickEntryLength);
    EXPECT_EQ(text.mid(2, 8), QStringLiteral("10:00:00"));   // 3...10
    EXPECT_EQ(text.mid(12, 10), QStringLiteral("01.02.2019")); // 13...22
    EXPECT_EQ(text.mid(26, 8), QStringLiteral("12:00:00"));  // 27...34
    EXPECT_EQ(text.mid(36, 10), QStringLiteral("01.02.2019")); // 37...46
}

TEST(QuickEntry, APickerRewritesOnlyItsPiece) {
    EXPECT_EQ(withQuickTime(kPeriod, QuickPiece::EndTime, QTime(23, 59, 58)),
              QStringLiteral("с 10:00:00  01.02.2019 по 23:59:58  01.02.2019"));
    EXPECT_EQ(withQuickDate(kPeriod, QuickPiece::BeginDate, QDate(2020, 12, 31)),
              QStringLiteral("с 10:00:00  31.12.2020 по 12:00:00  01.02.2019"));
    EXPECT_EQ(withQuickDate(QString(), QuickPiece::EndDate, QDate(2020, 12, 31)),
              QStringLiteral("с __:__:__  __.__.____ по __:__:__  31.12.2020"));
}

TEST(QuickEntry, ReadingTakesThePiecesInOrderUntilOneDoesNotConvert) {
    const QuickValues all = readQuickEntry(kPeriod);
    EXPECT_EQ(all.beginTime, QTime(10, 0));
    EXPECT_EQ(all.beginDate, QDate(2019, 2, 1));
    EXPECT_EQ(all.endTime, QTime(12, 0));
    EXPECT_EQ(all.endDate, QDate(2019, 2, 1));

    const QuickValues partly = readQuickEntry(QStringLiteral("с 10:00:00  31.02.2019 по 12:00:00  01.02.2019"));
    EXPECT_EQ(partly.beginTime, QTime(10, 0));
    EXPECT_FALSE(partly.beginDate) << "31 February";
    EXPECT_FALSE(partly.endTime) << "reading stops at the first piece that fails";

    const QuickValues typing = readQuickEntry(QStringLiteral("с 10:00:00  01.02.2019 по 1_:__:__  __.__.____"));
    EXPECT_TRUE(typing.beginDate);
    EXPECT_FALSE(typing.endTime);
    EXPECT_FALSE(readQuickEntry(QString()).beginTime);
}

} // namespace
} // namespace kalver::stationdata
