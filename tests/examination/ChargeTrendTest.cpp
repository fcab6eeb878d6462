// Reading a charge-trend file for a curve, and the colours of the curves.

#include "link/ChargeTrend.h"
#include "stationdata/ChargeTrendPoints.h"
#include "support/ScratchFolder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <limits>

using namespace kalver;
using namespace kalver::stationdata;

TEST(ChargeTrendPoints, RecordsInFileOrderAndATrailingPartIgnored) {
    test::ScratchFolder folder;
    const QByteArray bytes = link::chargeTrendRecord(TDateTime(45000.25), 40.0) +
                             link::chargeTrendRecord(TDateTime(45000.5), 41.0) + QByteArray(8, '\x11');
    ASSERT_EQ(bytes.size(), 40);
    folder.write(QStringLiteral("7.crg"), bytes);
    const auto points = readChargeTrendPoints(folder.file(QStringLiteral("7.crg")));
    ASSERT_TRUE(points);
    EXPECT_EQ(*points, (QList<ChargePoint>{{45000.25, 40.0}, {45000.5, 41.0}}));
}

TEST(ChargeTrendPoints, RecordsThatCannotBeDrawnAreSkipped) {
    test::ScratchFolder folder;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QByteArray bytes = link::chargeTrendRecord(TDateTime(nan), 40.0) + link::chargeTrendRecord(TDateTime(45000), inf) +
                             link::chargeTrendRecord(TDateTime(-1e300), 1.0) + link::chargeTrendRecord(TDateTime(1e12), 1.0) +
                             link::chargeTrendRecord(TDateTime(45001), -1.0);
    folder.write(QStringLiteral("1.crg"), bytes);
    EXPECT_EQ(*readChargeTrendPoints(folder.file(QStringLiteral("1.crg"))), (QList<ChargePoint>{{45001, -1.0}}));
}

TEST(ChargeTrendPoints, ALongFileGivesItsLatestRecords) {
    test::ScratchFolder folder;
    QByteArray bytes;
    for (int i = 0; i < 10; ++i)
        bytes += link::chargeTrendRecord(TDateTime(45000 + i), i);
    folder.write(QStringLiteral("2.crg"), bytes);
    EXPECT_EQ(*readChargeTrendPoints(folder.file(QStringLiteral("2.crg")), 3),
              (QList<ChargePoint>{{45007, 7}, {45008, 8}, {45009, 9}}));
}

TEST(ChargeTrendPoints, AMissingOrUnopenableFileGivesNothing) {
    test::ScratchFolder folder;
    EXPECT_FALSE(readChargeTrendPoints(folder.file(QStringLiteral("3.crg"))));
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("4.crg"))));
    EXPECT_FALSE(readChargeTrendPoints(folder.file(QStringLiteral("4.crg"))));
    folder.write(QStringLiteral("5.crg"), QByteArray());
    EXPECT_EQ(readChargeTrendPoints(folder.file(QStringLiteral("5.crg")))->size(), 0);
}

TEST(ChargeCurveColour, RandomNumberPlusBaseWithRedInTheLowByte) {
    EXPECT_EQ(chargeCurveColour(0), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(chargeCurveColour(kChargeColourRange - 1), QColor(0xEF, 0xF0, 0xF0));
    EXPECT_EQ(chargeCurveColour(0xFF), QColor(0x3F, 0x41, 0x40));
    EXPECT_EQ(chargeCurveColour(kChargeColourRange), chargeCurveColour(0));
    for (int i = 0; i < 200; ++i) {
        const QColor c = randomChargeCurveColour();
        const quint32 value = quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
        EXPECT_GE(value, kChargeColourBase);
        EXPECT_LT(value, kChargeColourBase + kChargeColourRange);
    }
}
