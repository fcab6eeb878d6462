#include "link/TKlvRack.h"

#include <QCoreApplication>

namespace kalver::link {

namespace {
// A socket may be going away from inside one of its own events (an error handler that destroys the
// cluster, a receive loop that processes events), so it is closed at once and deleted once the event
// loop has left it.
void retire(ClientSocket* socket) {
    if (!socket)
        return;
    socket->close();
    socket->disconnect();
    if (QCoreApplication::instance())
        socket->deleteLater();
    else
        delete socket;
}
quint64 nextSerial() {
    static quint64 serial = 0;
    return ++serial;
}
} // namespace

TKlvRack::TKlvRack(std::unique_ptr<ClientSocket> clusterConnection, std::unique_ptr<ClientSocket> syncConnection)
    : m_serial(nextSerial()), m_cluster(clusterConnection.release()), m_sync(syncConnection.release()) {}

TKlvRack::~TKlvRack() {
    retire(m_sync);
    retire(m_cluster);
    delete connectionCheckBox.data();
}

int TKlvRack::findStation(std::int32_t number) const {
    for (std::size_t i = 0; i < stations.size(); ++i)
        if (stations[i].number() == number)
            return static_cast<int>(i);
    return -1;
}

int TKlvRack::appendStation(const StatusBlock& block) {
    stations.emplace_back(block);
    return stationCount() - 1;
}

} // namespace kalver::link
