#include "app/TrafficTally.h"

#include <algorithm>

namespace kalver::app {

bool TrafficTally::grow(int cluster) {
    if (cluster < 0 || cluster >= kMaxClusters)
        return false;
    if (cluster >= m_polls.size()) {
        m_polls.resize(cluster + 1, 0);
        m_merged.resize(cluster + 1, 0);
    }
    return true;
}

void TrafficTally::pollSent(int cluster) {
    if (grow(cluster))
        ++m_polls[cluster];
}

void TrafficTally::reportMerged(int cluster) {
    if (grow(cluster))
        ++m_merged[cluster];
}

std::int64_t TrafficTally::polls(int cluster) const { return m_polls.value(cluster, 0); }

std::int64_t TrafficTally::merged(int cluster) const { return m_merged.value(cluster, 0); }

TrafficSummary TrafficTally::summary() const {
    TrafficSummary s;
    s.clusters = static_cast<int>(m_polls.size());
    if (m_polls.isEmpty())
        return s;
    s.pollsMin = s.pollsMax = m_polls.front();
    s.mergedMin = s.mergedMax = m_merged.front();
    for (qsizetype c = 0; c < m_polls.size(); ++c) {
        const std::int64_t polls = m_polls[c];
        const std::int64_t merged = m_merged[c];
        s.pollsTotal += polls;
        s.mergedTotal += merged;
        s.pollsMin = std::min(s.pollsMin, polls);
        s.pollsMax = std::max(s.pollsMax, polls);
        s.mergedMin = std::min(s.mergedMin, merged);
        s.mergedMax = std::max(s.mergedMax, merged);
        if (polls - merged > s.unansweredMax) {
            s.unansweredMax = polls - merged;
            s.unansweredCluster = static_cast<int>(c) + 1;
        }
    }
    return s;
}

} // namespace kalver::app
