// Page 2: one curve per station from its charge-trend file plus its present level, only at access
// level 3, removed before a refill; legend entries hide and show their line.

#include "core/ProgramValues.h"
#include "fakes/ClusterFrames.h"
#include "link/ChargeTrend.h"
#include "stationdata/ChargeCurvesPage.h"
#include "stationdata/ChargeTrendPoints.h"
#include "support/ScratchFolder.h"

#include <QChart>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QDir>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::stationdata;

namespace {

class ChargeCurvesPageTest : public ::testing::Test {
protected:
    ChargeCurvesPageTest() { program().accessLevel = AccessDeveloper; }
    ~ChargeCurvesPageTest() override { program().accessLevel = AccessNone; }

    link::TKlvStation station(std::int32_t number, std::int32_t charge) {
        return link::TKlvStation(test::frames::quietStation(number).setChargeLevel(charge));
    }
    void writeTrend(std::int32_t number, const QByteArray& bytes) {
        folder.write(QString::number(number) + QStringLiteral(".crg"), bytes);
    }
    static qreal chartTime(double localDays) {
        return static_cast<qreal>(TDateTime(localDays).toQDateTime(Qt::LocalTime).toMSecsSinceEpoch());
    }

    test::ScratchFolder folder;
    ChargeCurvesPage page;
};

} // namespace

TEST_F(ChargeCurvesPageTest, TheChartHasAFixedValueAxisAndADateTimeAxis) {
    QValueAxis* value = page.valueAxis();
    EXPECT_EQ(value->min(), 0);
    EXPECT_EQ(value->max(), 100);
    EXPECT_EQ(value->tickInterval(), 10);
    EXPECT_EQ(value->titleText(), QStringLiteral("Заряд, %"));
    EXPECT_TRUE(page.chart()->title().isEmpty());
    EXPECT_NE(page.timeAxis(), nullptr);
    EXPECT_TRUE(page.chart()->legend()->isVisible());
}

TEST_F(ChargeCurvesPageTest, AFortyByteFileGivesTwoPointsAndThePresentLevel) {
    writeTrend(12, link::chargeTrendRecord(TDateTime(45000.25), 40.0) + link::chargeTrendRecord(TDateTime(45000.5), 55.0) +
                       QByteArray(8, '\x7F'));
    const QDateTime before = QDateTime::currentDateTime();
    page.addChargeCurve(station(12, 73), folder.path());

    ASSERT_EQ(page.chargeCurves().size(), 1);
    QLineSeries* curve = page.chargeCurves().at(0);
    EXPECT_EQ(curve->name(), QStringLiteral("12"));
    ASSERT_EQ(curve->count(), 3);
    EXPECT_EQ(curve->at(0), QPointF(chartTime(45000.25), 40.0));
    EXPECT_EQ(curve->at(1), QPointF(chartTime(45000.5), 55.0));
    EXPECT_EQ(curve->at(2).y(), 73.0);
    EXPECT_GE(curve->at(2).x(), static_cast<qreal>(before.toMSecsSinceEpoch() - 1000));
    EXPECT_EQ(curve->attachedAxes().size(), 2);
    EXPECT_GE(page.timeAxis()->min().toMSecsSinceEpoch(), static_cast<qint64>(chartTime(45000.25)) - 1);
    EXPECT_LE(page.timeAxis()->min().toMSecsSinceEpoch(), static_cast<qint64>(chartTime(45000.25)));
    EXPECT_GE(page.timeAxis()->max().toMSecsSinceEpoch(), static_cast<qint64>(curve->at(2).x()));
    const QColor colour = curve->color();
    const quint32 value = quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
    EXPECT_GE(value, kChargeColourBase);
    EXPECT_LT(value, kChargeColourBase + kChargeColourRange);
}

TEST_F(ChargeCurvesPageTest, WithoutAReadableFileOnlyThePresentLevelIsDrawn) {
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("5.crg")))); // exists, cannot be opened as a file
    page.addChargeCurve(station(4, 20), folder.path());                // no file at all
    page.addChargeCurve(station(5, -1), folder.path());                // charge level unknown
    ASSERT_EQ(page.chargeCurves().size(), 2);
    EXPECT_EQ(page.chargeCurves().at(0)->count(), 1);
    EXPECT_EQ(page.chargeCurves().at(0)->at(0).y(), 20.0);
    EXPECT_EQ(page.chargeCurves().at(1)->count(), 1);
    EXPECT_EQ(page.chargeCurves().at(1)->at(0).y(), -1.0);
}

TEST_F(ChargeCurvesPageTest, NoCurvesBelowAccessLevelThree) {
    writeTrend(3, link::chargeTrendRecord(TDateTime(45000), 40.0));
    for (int level : {AccessMnemo, AccessOperator, AccessAdmin}) {
        program().accessLevel = level;
        page.addChargeCurve(station(3, 50), folder.path());
        EXPECT_TRUE(page.chargeCurves().isEmpty()) << level;
        EXPECT_TRUE(page.chart()->series().isEmpty()) << level;
    }
}

TEST_F(ChargeCurvesPageTest, ARefillAfterRemovingDoesNotDoubleTheLines) {
    for (int round = 0; round < 2; ++round) {
        page.removeChargeCurves();
        for (std::int32_t number : {1, 2, 3})
            page.addChargeCurve(station(number, 60), folder.path());
    }
    EXPECT_EQ(page.chargeCurves().size(), 3);
    EXPECT_EQ(page.chart()->series().size(), 3);
    QStringList names;
    for (const QLineSeries* curve : page.chargeCurves())
        names << curve->name();
    EXPECT_EQ(names, (QStringList{"1", "2", "3"}));

    page.removeChargeCurves();
    EXPECT_TRUE(page.chargeCurves().isEmpty());
    EXPECT_TRUE(page.chart()->series().isEmpty());
}

TEST_F(ChargeCurvesPageTest, ALegendEntryHidesAndShowsItsLine) {
    page.addChargeCurve(station(1, 60), folder.path());
    page.addChargeCurve(station(2, 70), folder.path());
    QLineSeries* second = page.chargeCurves().at(1);
    const QList<QLegendMarker*> markers = page.chart()->legend()->markers(second);
    ASSERT_EQ(markers.size(), 1);

    emit markers[0]->clicked();
    QCoreApplication::processEvents(); // the legend lays its entries out when events run
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(page.chargeCurves().at(0)->isVisible());
    EXPECT_TRUE(markers[0]->isVisible()); // the entry stays, to show the line again
    emit markers[0]->clicked();
    EXPECT_TRUE(second->isVisible());
}
