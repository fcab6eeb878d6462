#include "app/StatisticsLog.h"

#include "app/ResidentMemory.h"
#include "app/StatisticsLine.h"
#include "app/ThreadCpuTime.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace kalver::app {

StatisticsLog::StatisticsLog(const QString& filePath, int intervalSeconds, QObject* parent)
    : QObject(parent), m_filePath(filePath) {
    m_uptime.start();
    m_lastCpuNs = threadCpuNs();
    m_busy.attach(QAbstractEventDispatcher::instance(), QCoreApplication::instance());
    link::setTrafficCounter(&m_tally);

    m_timer = new QTimer(this);
    m_timer->setInterval(std::max(1, intervalSeconds) * 1000);
    connect(m_timer, &QTimer::timeout, this, &StatisticsLog::appendLine);
    m_timer->start();
    appendLine();
}

StatisticsLog::~StatisticsLog() {
    appendLine();
    if (link::trafficCounter() == &m_tally)
        link::setTrafficCounter(nullptr);
}

void StatisticsLog::appendLine() {
    StatisticsSample sample;
    sample.time = QDateTime::currentDateTimeUtc();
    sample.uptimeMs = m_uptime.elapsed();
    sample.intervalMs = sample.uptimeMs - m_lastLineMs;
    m_lastLineMs = sample.uptimeMs;
    sample.traffic = m_tally.summary();
    sample.busyShare = m_busy.takeShare();
    const BusyMeter::Stretch longest = m_busy.takeLongest();
    sample.stallNs = longest.wallNs;
    sample.stallCpuNs = longest.cpuNs;
    sample.stallWaitNs = longest.waitNs;
    sample.stallMaxNs = m_busy.longestSinceStart().wallNs;
    const std::int64_t cpuNs = threadCpuNs();
    if (sample.intervalMs > 0)
        sample.cpuShare = std::clamp(static_cast<double>(cpuNs - m_lastCpuNs) / (sample.intervalMs * 1e6), 0.0, 1.0);
    m_lastCpuNs = cpuNs;
    sample.residentKb = residentKb();

    // One write call per line, so a reader never sees half of one.
    const QByteArray line = statisticsLine(sample).toUtf8() + '\n';
    QFile file(m_filePath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(line) == line.size())
        return;
    if (!m_warned) {
        m_warned = true;
        std::fprintf(stderr, "statistics: cannot append to %s\n", qPrintable(m_filePath));
    }
}

} // namespace kalver::app
