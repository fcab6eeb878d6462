#pragma once
// A cluster list with one cluster whose connections are in-memory sockets, and a recording observer:
// the link is driven directly, without a network and without windows.

#include "fakes/ClusterFrames.h"
#include "fakes/MemoryClientSocket.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/ClusterRef.h"
#include "link/ReceiveLoop.h"
#include "link/StatusReport.h"
#include "core/WaitStep.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kalver::test {

// A wait for a command's answer as the station data window runs it: the cluster's acknowledgement
// result is cleared and the command sent (`send`), then the event loop runs in steps, each first
// running the receive loop when bytes wait on the cluster connection, until the cluster answers or
// `steps` steps have passed. Returns whether it answered.
inline bool waitForAcknowledgement(link::ClusterList& list, int cluster, const std::function<void()>& send,
                                   int steps = 400) {
    list.at(cluster).ackResult = link::ack::None;
    send();
    for (int step = 0; step < steps; ++step) {
        if (!list.isValid(cluster))
            return false;
        if (list.at(cluster).clusterConnection()->bytesWaiting() > 0)
            link::receiveLoop(list, cluster);
        if (list.at(cluster).ackResult != link::ack::None)
            return true;
        waitStep();
    }
    return false;
}

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture() : observer(list) { cluster = addCluster(); }

    int addCluster() {
        auto connection = std::make_unique<MemoryClientSocket>();
        auto sync = std::make_unique<MemoryClientSocket>();
        MemoryClientSocket* raw = connection.get();
        const int position = list.append(std::make_unique<link::TKlvRack>(std::move(connection), std::move(sync)));
        connections.append(raw);
        return position;
    }

    MemoryClientSocket& connection(int position = 0) { return *connections[position]; }
    link::TKlvRack& rack(int position = 0) { return list.at(position); }

    // Runs the status report handler of cluster `position` on `blocks`.
    void report(const QList<link::StatusBlock>& blocks, int position = 0) {
        link::ClusterRef ref(list, position);
        link::handleStatusReport(ref, frames::statusPayload(blocks));
    }

    link::ClusterList list;
    RecordingObserver observer;
    QList<MemoryClientSocket*> connections;
    int cluster = -1;
};

} // namespace kalver::test
