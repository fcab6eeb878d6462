#pragma once
// The ordered list of cluster records, one per configured cluster. A cluster's position in the list
// (0-based) is its cluster position; the number shown to the operator is position + 1; position p
// belongs to row p + 2 of the settings' network table. The list grows and shrinks only at its end, and
// a record keeps its position (and its address) for as long as it exists.
//
// Socket events find their cluster by searching the list for the record whose cluster connection (or
// sync-server connection) raised the event; an event of a socket that no record holds is ignored.
//
// The list also holds what the link needs to report to the windows: the observer (LinkObserver.h) and
// the handler of the permission answer (wire code 101), which the connection window installs.
//
// The program has one list, `clusters()`. Tests make lists of their own.

#include "link/LinkObserver.h"
#include "link/TKlvRack.h"

#include <QByteArrayView>

#include <functional>
#include <memory>
#include <vector>

namespace kalver::link {

class ClusterList {
public:
    ClusterList();
    // Destroys every record from the end.
    ~ClusterList();
    ClusterList(const ClusterList&) = delete;
    ClusterList& operator=(const ClusterList&) = delete;

    // --- records
    // Create cluster: a record whose cluster connection goes to `address`:`clusterPort` and whose
    // sync-server connection goes to `address`:`syncPort` (neither is opened), appended to the list.
    // The cluster connection's data-readable event runs the receive loop; the connection window
    // attaches the other events. Returns the new cluster position.
    int create(const QString& address, int clusterPort, int syncPort);
    // Appends a record built by the caller (tests supply their own sockets); the receive loop is
    // attached to its cluster connection. Returns the new cluster position.
    int append(std::unique_ptr<TKlvRack> rack);
    // Destroy cluster: the last record (the list shrinks only at its end). The observer hears
    // clusterDestroying() first; the connections are closed and the record freed.
    void destroyLast();
    // Destroys every record, from the last to the first.
    void clear();

    int count() const { return static_cast<int>(m_racks.size()); }
    bool isValid(int position) const { return position >= 0 && position < count(); }
    TKlvRack& at(int position) { return *m_racks.at(static_cast<std::size_t>(position)); }
    const TKlvRack& at(int position) const { return *m_racks.at(static_cast<std::size_t>(position)); }
    // nullptr for a position outside the list.
    TKlvRack* find(int position) { return isValid(position) ? &at(position) : nullptr; }

    // Cluster position whose cluster connection is `socket`, or -1.
    int findByClusterSocket(const QObject* socket) const;
    // Cluster position whose sync-server connection is `socket`, or -1.
    int findBySyncSocket(const QObject* socket) const;
    // Position of the record with `serial` (TKlvRack::serial()), or -1 when it is no longer there.
    int positionOfSerial(quint64 serial) const;

    // --- the windows
    LinkObserver& observer() const { return *m_observer; }
    // Installs `observer` (not owned); nullptr restores the silent one.
    void setObserver(LinkObserver* observer);

    using PermissionHandler = std::function<void(int cluster, QByteArrayView payload)>;
    // The permission answer handler (wire code 101); none by default (the answer is then dropped).
    void setPermissionHandler(PermissionHandler handler) { m_permissionHandler = std::move(handler); }
    const PermissionHandler& permissionHandler() const { return m_permissionHandler; }

private:
    std::vector<std::unique_ptr<TKlvRack>> m_racks;
    LinkObserver* m_observer;
    PermissionHandler m_permissionHandler;
};

// The program's cluster list.
ClusterList& clusters();

} // namespace kalver::link
