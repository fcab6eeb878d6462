#pragma once
// One cluster: its two connections (the cluster connection and the sync-server connection), its
// pending outgoing messages, its stations in the order of their first appearance in a status report,
// and the state other parts keep per cluster (acknowledgement result, sync time, file transfer).
//
// The record owns its sockets, its pending messages, its stations, its received file chunks and its
// connection check box. The widgets of the work window that show the cluster are not owned here: the
// work window keeps them and drops them when the record is about to go (LinkObserver).

#include "core/TDateTime.h"
#include "link/ClientSocket.h"
#include "link/TKlvStation.h"
#include "link/TServerMessage.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace kalver::link {

// Acknowledgement results: cleared to 0 by a part that sends a command and waits; set when the
// cluster answers.
namespace ack {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t Accepted = 1;        // accepted, or a chunk taken and more are due
inline constexpr std::int32_t Complete = 2;        // transfer complete
inline constexpr std::int32_t SizeMismatch = 3;    // refused or size mismatch
inline constexpr std::int32_t UnknownType = 4;     // unknown data type
inline constexpr std::int32_t Refused = 5;         // request refused by the cluster
} // namespace ack

// One entry of a station's file catalogue, as the file catalogue page reads it.
struct FileViewEntry {
    quint64 firstSample = 0;
    quint64 lastSample = 0;
    quint32 samplingFrequency = 0;
    quint32 startTime = 0; // seconds since 1970
    qint32 valid = 0;
};

inline constexpr int kFileViewEntries = 16;

class TKlvRack {
public:
    // A record over two sockets (neither is opened here).
    TKlvRack(std::unique_ptr<ClientSocket> clusterConnection, std::unique_ptr<ClientSocket> syncConnection);
    // Closes both connections and lets them go after the current event; deletes the connection
    // check box.
    ~TKlvRack();
    TKlvRack(const TKlvRack&) = delete;
    TKlvRack& operator=(const TKlvRack&) = delete;

    // --- state, in the order of the record
    bool reportFlag = false;          // a status report came since the last poll tick
    std::int32_t ackResult = ack::None;
    bool syncTimeValid = false;
    TDateTime syncTime{-1.0};         // UTC day count; -1.0 = not known
    std::optional<QByteArray> fileAssembly;  // the catalogue being assembled (file catalogue page)
    QList<QByteArray> receivedChunks;        // file catalogue chunks as stored by wire code 105
    std::array<std::optional<FileViewEntry>, kFileViewEntries> fileViews;
    QPointer<QIODevice> downloadTarget;      // where wire code 106 writes; not owned; none by default
    QPointer<QObject> connectionCheckBox;    // on the connection window; owned by this record
    QPointer<QObject> rackView;              // the work window's rack panel; owned by the work window
    std::vector<TKlvStation> stations;
    QList<TServerMessage> pending;

    ClientSocket* clusterConnection() const { return m_cluster; }
    // A number no other record of this run has: tells a record from a later one at the same address.
    quint64 serial() const { return m_serial; }
    ClientSocket* syncConnection() const { return m_sync; }

    // --- stations
    int stationCount() const { return static_cast<int>(stations.size()); }
    TKlvStation& station(int position) { return stations.at(static_cast<std::size_t>(position)); }
    const TKlvStation& station(int position) const { return stations.at(static_cast<std::size_t>(position)); }
    // Position of the first station with `number`, -1 when none has it.
    int findStation(std::int32_t number) const;
    // Appends a station made from `block`; returns its position.
    int appendStation(const StatusBlock& block);

private:
    quint64 m_serial;
    ClientSocket* m_cluster;
    ClientSocket* m_sync;
};

} // namespace kalver::link
