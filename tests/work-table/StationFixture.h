#pragma once
// Cluster lists for the work-table tests: clusters over in-memory sockets and stations built from
// status blocks, without a network and without the work window.

#include "fakes/ClusterFrames.h"
#include "fakes/MemoryClientSocket.h"
#include "link/ClusterList.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSet>

#include <functional>

#include <memory>

namespace kalver::test {

// A cluster list with `clusters` empty clusters.
class Clusters {
public:
    explicit Clusters(int clusters = 1) {
        for (int i = 0; i < clusters; ++i)
            addCluster();
    }

    int addCluster() {
        auto connection = std::make_unique<MemoryClientSocket>();
        sockets.append(connection.get());
        return list.append(std::make_unique<link::TKlvRack>(std::move(connection), std::make_unique<MemoryClientSocket>()));
    }

    // Appends a station to cluster `cluster`; returns its position.
    int add(int cluster, const link::StatusBlock& block) { return list.at(cluster).appendStation(block); }

    link::TKlvStation& station(int cluster, int position) { return list.at(cluster).station(position); }

    // The numbers of the checked tiles over all clusters.
    QSet<int> selected() const {
        QSet<int> numbers;
        for (int c = 0; c < list.count(); ++c)
            for (const link::TKlvStation& st : list.at(c).stations)
                if (st.tile.checked)
                    numbers.insert(st.number());
        return numbers;
    }

    link::ClusterList list;
    QList<MemoryClientSocket*> sockets;
};

// A quiet station (full charge, not charging, nothing running) with `number`.
inline link::StatusBlock station(int number) { return frames::quietStation(number); }

// Marks channel 0 present with mode byte `mode`.
inline link::StatusBlock& withChannelMode(link::StatusBlock& b, std::uint8_t mode) {
    b.setChannelPresentByte(0, 1);
    b.setChannelModeByte(0, mode);
    return b;
}

// Lets the event loop run until `done` holds or 10 s have passed; returns whether it holds.
inline bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace kalver::test
