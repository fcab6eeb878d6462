#pragma once
// The client's statistics log, for maintainers watching a long session: started by the command-line
// option "--statistics FILE" (and "--statistics-interval SECONDS", default 10), it appends one line
// (app/StatisticsLine.h) to FILE at the start, every interval, and at the end: status polls sent and
// status reports merged per cluster, the user-interface thread's busy share (and its processor time),
// its longest single busy stretch (per interval and since the start), the resident memory.
//
// It counts through link::TrafficCounter, installed while the log lives.

#include "app/BusyMeter.h"
#include "app/TrafficTally.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTimer;

namespace kalver::app {

class StatisticsLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalSeconds = 10;

    StatisticsLog(const QString& filePath, int intervalSeconds, QObject* parent = nullptr);
    // Writes the last line and removes the counter.
    ~StatisticsLog() override;
    StatisticsLog(const StatisticsLog&) = delete;
    StatisticsLog& operator=(const StatisticsLog&) = delete;

    const TrafficTally& tally() const { return m_tally; }
    BusyMeter& busyMeter() { return m_busy; }

    // Appends one line now (the timer's tick).
    void appendLine();

private:
    QString m_filePath;
    TrafficTally m_tally;
    BusyMeter m_busy;
    QElapsedTimer m_uptime;
    std::int64_t m_lastLineMs = 0;
    std::int64_t m_lastCpuNs = 0;
    QTimer* m_timer = nullptr;
    bool m_warned = false;
};

} // namespace kalver::app
