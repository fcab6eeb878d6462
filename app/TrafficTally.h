#pragma once
// The per-cluster tally of a session's traffic: status polls sent and status reports merged, counted
// since the program started, with a summary across clusters for the statistics log. A cluster whose
// reports stop while its polls go on shows a growing number of unanswered polls.

#include "link/TrafficCounter.h"

#include <QList>

#include <cstdint>

namespace kalver::app {

struct TrafficSummary {
    int clusters = 0; // clusters seen (the highest position counted + 1)
    std::int64_t pollsTotal = 0;
    std::int64_t pollsMin = 0;
    std::int64_t pollsMax = 0;
    std::int64_t mergedTotal = 0;
    std::int64_t mergedMin = 0;
    std::int64_t mergedMax = 0;
    // The largest polls − merged of one cluster (0 when every poll was answered) and that cluster's
    // number (position + 1; 0 when there is none).
    std::int64_t unansweredMax = 0;
    int unansweredCluster = 0;
};

class TrafficTally : public link::TrafficCounter {
public:
    // Cluster positions at or beyond this are not counted (the settings allow 100 clusters).
    static constexpr int kMaxClusters = 1000;

    void pollSent(int cluster) override;
    void reportMerged(int cluster) override;

    std::int64_t polls(int cluster) const;
    std::int64_t merged(int cluster) const;
    TrafficSummary summary() const;

private:
    bool grow(int cluster);

    QList<std::int64_t> m_polls;
    QList<std::int64_t> m_merged;
};

} // namespace kalver::app
