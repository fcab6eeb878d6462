#pragma once
// A narrow counter of the cluster traffic that matters for a long session: status polls handed to a
// cluster connection and status reports merged into its stations. The link and the poll tick report
// to whatever counter is installed (none by default: the calls then cost one pointer test). The
// program's statistics log installs one (app/StatisticsLog.h).

#include "link/Framing.h"
#include "link/TServerMessage.h"

#include <QList>

namespace kalver::link {

class TrafficCounter {
public:
    virtual ~TrafficCounter() = default;
    // A status poll went out on the connection of cluster position `cluster`.
    virtual void pollSent(int cluster) = 0;
    // A status report (wire code 102, or an acknowledgement carrying one) of `cluster` was merged.
    virtual void reportMerged(int cluster) = 0;
};

// The status poll's message code (its wire code is 102 in the cluster's answer, 2 + 100 in a frame
// the client keeps pending).
inline constexpr int kStatusPollCode = 2;

namespace detail {
inline TrafficCounter* g_trafficCounter = nullptr;
}

// Installs `counter` (nullptr removes it). The caller keeps it alive while installed.
inline void setTrafficCounter(TrafficCounter* counter) { detail::g_trafficCounter = counter; }
inline TrafficCounter* trafficCounter() { return detail::g_trafficCounter; }

inline void countPollSent(int cluster) {
    if (TrafficCounter* counter = detail::g_trafficCounter)
        counter->pollSent(cluster);
}

// Called right after the pending messages of `cluster` went out: the status poll is periodic, so it is
// still among them and is counted once.
inline void countPollsSent(int cluster, const QList<TServerMessage>& pending) {
    if (!detail::g_trafficCounter)
        return;
    for (const TServerMessage& message : pending)
        if (message.wireCode() == kStatusPollCode + kWireCodeOffset)
            detail::g_trafficCounter->pollSent(cluster);
}

inline void countReportMerged(int cluster) {
    if (TrafficCounter* counter = detail::g_trafficCounter)
        counter->reportMerged(cluster);
}

} // namespace kalver::link
