#include "link/ClusterList.h"

#include "link/ReceiveLoop.h"
#include "link/TcpClientSocket.h"

namespace kalver::link {

ClusterList::ClusterList() : m_observer(&silentObserver()) {}

ClusterList::~ClusterList() { clear(); }

int ClusterList::create(const QString& address, int clusterPort, int syncPort) {
    return append(std::make_unique<TKlvRack>(std::make_unique<TcpClientSocket>(address, clusterPort),
                                             std::make_unique<TcpClientSocket>(address, syncPort)));
}

int ClusterList::append(std::unique_ptr<TKlvRack> rack) {
    ClientSocket* connection = rack->clusterConnection();
    m_racks.push_back(std::move(rack));
    if (connection)
        QObject::connect(connection, &ClientSocket::readyRead, connection,
                         [this, connection] { runReceiveLoop(*this, connection); });
    return findByClusterSocket(connection);
}

void ClusterList::destroyLast() {
    if (m_racks.empty())
        return;
    m_observer->clusterDestroying(count() - 1);
    // The observer may have processed events; the record to go is still the last one.
    if (m_racks.empty())
        return;
    std::unique_ptr<TKlvRack> last = std::move(m_racks.back());
    m_racks.pop_back();
}

void ClusterList::clear() {
    while (!m_racks.empty())
        destroyLast();
}

int ClusterList::findByClusterSocket(const QObject* socket) const {
    if (!socket)
        return -1;
    for (std::size_t i = 0; i < m_racks.size(); ++i)
        if (m_racks[i]->clusterConnection() == socket)
            return static_cast<int>(i);
    return -1;
}

int ClusterList::findBySyncSocket(const QObject* socket) const {
    if (!socket)
        return -1;
    for (std::size_t i = 0; i < m_racks.size(); ++i)
        if (m_racks[i]->syncConnection() == socket)
            return static_cast<int>(i);
    return -1;
}

int ClusterList::positionOfSerial(quint64 serial) const {
    for (std::size_t i = 0; i < m_racks.size(); ++i)
        if (m_racks[i]->serial() == serial)
            return static_cast<int>(i);
    return -1;
}

void ClusterList::setObserver(LinkObserver* observer) { m_observer = observer ? observer : &silentObserver(); }

ClusterList& clusters() {
    static ClusterList list;
    return list;
}

} // namespace kalver::link
