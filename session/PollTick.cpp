#include "session/PollTick.h"

#include "link/ClusterRef.h"
#include "link/ReceiveLoop.h"
#include "link/SendServerMessage.h"
#include "link/TrafficCounter.h"
#include "session/ClusterInWork.h"
#include "session/SessionWindows.h"
#include "work/StationAlarms.h"

namespace kalver::session {

namespace {

// A report came: alarm 9 leaves every station of the cluster.
void clearLostServer(link::ClusterList& list, int cluster) {
    link::TKlvRack& rack = list.at(cluster);
    bool anyHadIt = false;
    for (link::TKlvStation& station : rack.stations)
        anyHadIt = station.removeAlarm(link::alarm::LostServer) || anyHadIt;
    if (!anyHadIt)
        return;
    for (link::TKlvStation& station : rack.stations)
        station.tile.colour = work::alarmColour(station.highestAlarm());
    sessionWindows().repaintRack(cluster);
}

// No report came: alarm 9 on every station of the cluster. The observer may run events, so the
// cluster and its station count are read again for every station.
void raiseLostServer(link::ClusterRef& cluster) {
    for (int s = 0; cluster.refresh() && s < cluster.rack()->stationCount(); ++s)
        cluster.observer().raiseAlarm(cluster.position(), s, link::alarm::LostServer, false);
}

} // namespace

int runPollTick(link::ClusterList& list) {
    int inWork = 0;
    for (int p = 0; p < list.count(); ++p) {
        if (!clusterInWork(list.at(p)))
            continue;
        ++inWork;
        link::ClusterRef cluster(list, p);
        link::ClientSocket* connection = cluster.rack()->clusterConnection();
        if (connection && connection->bytesWaiting() > 0) {
            link::receiveLoop(list, p);
            if (!cluster.refresh())
                continue;
        }
        link::sendPendingMessages(list, cluster.position());
        link::countPollsSent(cluster.position(), cluster.rack()->pending);

        link::TKlvRack& rack = *cluster.rack();
        if (rack.stationCount() > 0) {
            if (rack.reportFlag)
                clearLostServer(list, cluster.position());
            else
                raiseLostServer(cluster);
        }
        if (cluster.refresh())
            cluster.rack()->reportFlag = false;
        // A record destroyed meanwhile shifts nothing before it: continue after the last one seen.
        p = cluster.valid() ? cluster.position() : p;
    }
    return inWork;
}

} // namespace kalver::session
