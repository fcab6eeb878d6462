#pragma once
// One line of the statistics log: blank-separated key=value fields, counts since the program started,
// the busy share over the interval since the previous line, the resident memory now. For example:
//
//   time=2026-12-10T05:00:10Z uptime_s=70 clusters=100 polls_total=1300 polls_min=13 polls_max=13
//   merged_total=1300 merged_min=13 merged_max=13 unanswered_max=0 unanswered_cluster=0
//   interval_s=10.0 busy_pct=12.3 cpu_pct=11.8 stall_ms=14.2 stall_cpu_ms=13.9 stall_wait_ms=0.1
//   stall_max_ms=412.0 rss_kb=183220
//
// (one line in the file). busy_pct is the share of the interval between the dispatcher's awake and
// aboutToBlock; cpu_pct the user-interface thread's processor time over the interval. stall_ms is the
// longest single busy stretch of the interval (the handling of one event), stall_cpu_ms the thread's
// processor time within that stretch and stall_wait_ms the time it was ready to run but had no
// processor (a loaded machine; the rest of the stretch it waited for something); stall_max_ms the longest stretch since the start. rss_kb is "-" where the resident memory
// cannot be read.

#include "app/TrafficTally.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace kalver::app {

struct StatisticsSample {
    QDateTime time;               // UTC
    std::int64_t uptimeMs = 0;    // since the log started
    std::int64_t intervalMs = 0;  // since the previous line
    TrafficSummary traffic;
    double busyShare = 0.0;       // 0…1 over the interval
    double cpuShare = 0.0;        // 0…1 over the interval
    std::int64_t stallNs = 0;     // the interval's longest busy stretch
    std::int64_t stallCpuNs = 0;  // processor time within it
    std::int64_t stallWaitNs = 0; // ready to run without a processor within it
    std::int64_t stallMaxNs = 0;  // the longest since the start
    std::optional<std::int64_t> residentKb;
};

QString statisticsLine(const StatisticsSample& sample);

} // namespace kalver::app
