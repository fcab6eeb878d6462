#pragma once
// Page 2 of the station data window, "Просмотр кривых заряда" (the contents of tab sheet
// `ts_ChargeData`): the chart `ChartCharge` with one line per listed station, the course of its
// charge level over time from its charge-trend file, ending at its present level. Clicking a line's
// legend entry hides or shows the line.
//
// How the station data window uses it: it puts the page into `ts_ChargeData`; Open for selection
// calls removeChargeCurves() (at access level 3) before the list is rebuilt, and Fill from selection
// calls addChargeCurve() for every listed station when it includes charge curves; closing the window
// calls removeChargeCurves(). Curves are drawn only at access level 3: below it addChargeCurve() adds
// nothing and the chart stays empty.

#include "link/ClusterList.h"

#include <QList>
#include <QWidget>

class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace kalver::stationdata {

class ChargeCurvesPage : public QWidget {
    Q_OBJECT
public:
    explicit ChargeCurvesPage(QWidget* parent = nullptr);

    // Add charge curve: the curve of the station at `stationPosition` of the cluster at
    // `clusterPosition`, from its file in the charge-trend folder setting (`Le_ChargePath`).
    void addChargeCurve(link::ClusterList& list, int clusterPosition, int stationPosition);
    // The same with the folder given (it ends in "/").
    void addChargeCurve(const link::TKlvStation& station, const QString& chargeFolder);
    // Remove charge curves: every line leaves the chart and is freed.
    void removeChargeCurves();

    // The curves in the order they were added.
    const QList<QLineSeries*>& chargeCurves() const { return m_curves; }
    QChart* chart() const { return m_chart; }
    QDateTimeAxis* timeAxis() const { return m_timeAxis; }
    QValueAxis* valueAxis() const { return m_valueAxis; }

    QChartView* ChartCharge;

private:
    void toggleCurve(QLineSeries* series);

    QChart* m_chart;
    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_valueAxis;
    QList<QLineSeries*> m_curves;
    // The time span of every curve, in milliseconds since 1970 (valid while curves exist).
    qreal m_firstTime = 0;
    qreal m_lastTime = 0;
};

} // namespace kalver::stationdata
