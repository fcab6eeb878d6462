#include "stationdata/ChargeCurvesPage.h"

#include "config/SettingsAccess.h"
#include "core/ProgramValues.h"
#include "core/TDateTime.h"
#include "link/ChargeTrend.h"
#include "stationdata/ChargeTrendPoints.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace kalver::stationdata {

namespace {

qreal chartTime(double localDays) {
    return static_cast<qreal>(TDateTime(localDays).toQDateTime(Qt::LocalTime).toMSecsSinceEpoch());
}

// A legend entry shows its line's state: full colour while the line is shown, faded while hidden.
void showMarkerState(QLegendMarker* marker, bool lineVisible) {
    marker->setVisible(true);
    const qreal alpha = lineVisible ? 1.0 : 0.35;
    QColor label = marker->labelBrush().color();
    label.setAlphaF(alpha);
    marker->setLabelBrush(label);
    QColor fill = marker->brush().color();
    fill.setAlphaF(alpha);
    marker->setBrush(fill);
}

} // namespace

ChargeCurvesPage::ChargeCurvesPage(QWidget* parent)
    : QWidget(parent), ChartCharge(new QChartView), m_chart(new QChart), m_timeAxis(new QDateTimeAxis),
      m_valueAxis(new QValueAxis) {
    setObjectName(QStringLiteral("ChargeCurvesPage"));
    ChartCharge->setObjectName(QStringLiteral("ChartCharge"));

    m_valueAxis->setRange(0, 100);
    m_valueAxis->setTickType(QValueAxis::TicksDynamic);
    m_valueAxis->setTickAnchor(0);
    m_valueAxis->setTickInterval(10);
    m_valueAxis->setLabelFormat(QStringLiteral("%d"));
    m_valueAxis->setTitleText(QStringLiteral("Заряд, %"));
    m_timeAxis->setFormat(QStringLiteral("dd.MM.yy HH:mm"));
    m_timeAxis->setTickCount(7);
    const QDateTime now = QDateTime::currentDateTime();
    m_timeAxis->setRange(now.addSecs(-3600), now);

    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    m_chart->legend()->setVisible(true);
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    ChartCharge->setChart(m_chart);
    ChartCharge->setRenderHint(QPainter::Antialiasing);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ChartCharge);
}

void ChargeCurvesPage::addChargeCurve(link::ClusterList& list, int clusterPosition, int stationPosition) {
    const link::TKlvRack* rack = list.find(clusterPosition);
    if (!rack || stationPosition < 0 || stationPosition >= rack->stationCount())
        return;
    addChargeCurve(rack->station(stationPosition), settings::chargeFolder());
}

void ChargeCurvesPage::addChargeCurve(const link::TKlvStation& station, const QString& chargeFolder) {
    if (program().accessLevel < AccessDeveloper)
        return;
    auto* series = new QLineSeries;
    series->setColor(randomChargeCurveColour());
    series->setName(QString::number(station.number()));

    QList<QPointF> points;
    if (const auto records = readChargeTrendPoints(link::chargeTrendPath(chargeFolder, station.number()))) {
        points.reserve(records->size() + 1);
        for (const ChargePoint& p : *records)
            points.append(QPointF(chartTime(p.localDays), p.level));
    }
    points.append(QPointF(chartTime(TDateTime::nowLocal().days()), static_cast<qreal>(station.status.chargeLevel())));
    series->replace(points);

    m_chart->addSeries(series);
    series->attachAxis(m_timeAxis);
    series->attachAxis(m_valueAxis);
    m_curves.append(series);

    // The time axis spans every curve.
    const auto [earliest, latest] = std::minmax_element(
        points.cbegin(), points.cend(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    const bool firstCurve = m_curves.size() == 1;
    m_firstTime = firstCurve ? earliest->x() : std::min(m_firstTime, earliest->x());
    m_lastTime = firstCurve ? latest->x() : std::max(m_lastTime, latest->x());
    const qreal from = std::min(m_firstTime, m_lastTime - 60000.0);
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(from)),
                         QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(m_lastTime)));
    // Labels as fine as the span needs: seconds within an hour, hours within a few days.
    const qreal span = m_lastTime - from;
    m_timeAxis->setFormat(span < 3600000.0       ? QStringLiteral("HH:mm:ss")
                          : span < 3 * 86400000.0 ? QStringLiteral("dd.MM HH:mm")
                                                  : QStringLiteral("dd.MM.yy"));
    m_valueAxis->setRange(0, 100);

    for (QLegendMarker* marker : m_chart->legend()->markers(series))
        connect(marker, &QLegendMarker::clicked, this, [this, series] { toggleCurve(series); });
}

void ChargeCurvesPage::toggleCurve(QLineSeries* series) {
    if (!m_curves.contains(series))
        return;
    series->setVisible(!series->isVisible());
    for (QLegendMarker* marker : m_chart->legend()->markers(series))
        showMarkerState(marker, series->isVisible());
}

void ChargeCurvesPage::removeChargeCurves() {
    for (QLineSeries* series : std::as_const(m_curves)) {
        m_chart->removeSeries(series);
        delete series;
    }
    m_curves.clear();
}

} // namespace kalver::stationdata
