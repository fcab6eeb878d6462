#pragma once
// A cluster list with one cluster whose connections are in-memory sockets, and a recording observer:
// the link is driven directly, without a network and without windows.

#include "fakes/ClusterFrames.h"
#include "fakes/MemoryClientSocket.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/ClusterRef.h"
#include "link/StatusReport.h"

#include <gtest/gtest.h>

#include <memory>

namespace kalver::test {

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
