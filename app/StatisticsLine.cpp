#include "app/StatisticsLine.h"

#include <QStringList>

namespace kalver::app {

namespace {
QString field(const char* key, const QString& value) { return QLatin1String(key) + u'=' + value; }
QString field(const char* key, std::int64_t value) { return field(key, QString::number(value)); }
QString milliseconds(std::int64_t ns) { return QString::number(static_cast<double>(ns) / 1e6, 'f', 1); }
} // namespace

QString statisticsLine(const StatisticsSample& sample) {
    const TrafficSummary& t = sample.traffic;
    const QStringList fields{
        field("time", sample.time.toUTC().toString(Qt::ISODate)),
        field("uptime_s", sample.uptimeMs / 1000),
        field("clusters", t.clusters),
        field("polls_total", t.pollsTotal),
        field("polls_min", t.pollsMin),
        field("polls_max", t.pollsMax),
        field("merged_total", t.mergedTotal),
        field("merged_min", t.mergedMin),
        field("merged_max", t.mergedMax),
        field("unanswered_max", t.unansweredMax),
        field("unanswered_cluster", t.unansweredCluster),
        field("interval_s", QString::number(static_cast<double>(sample.intervalMs) / 1000.0, 'f', 1)),
        field("busy_pct", QString::number(sample.busyShare * 100.0, 'f', 1)),
        field("cpu_pct", QString::number(sample.cpuShare * 100.0, 'f', 1)),
        field("stall_ms", milliseconds(sample.stallNs)),
        field("stall_cpu_ms", milliseconds(sample.stallCpuNs)),
        field("stall_wait_ms", milliseconds(sample.stallWaitNs)),
        field("stall_max_ms", milliseconds(sample.stallMaxNs)),
        field("rss_kb", sample.residentKb ? QString::number(*sample.residentKb) : QStringLiteral("-")),
    };
    return fields.join(u' ');
}

} // namespace kalver::app
