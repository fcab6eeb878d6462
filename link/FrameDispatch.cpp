#include "link/FrameDispatch.h"

#include "link/ClusterNotice.h"
#include "link/FileTransfer.h"
#include "link/SaveResult.h"
#include "link/StatusReport.h"
#include "link/SubsystemData.h"

namespace kalver::link {

WireRole wireRole(std::uint32_t wireCode) {
    switch (wireCode) {
    case 101: return WireRole::Permission;
    case 102: return WireRole::StatusReport;
    case 103: case 104: case 107: case 108: case 109: case 110: case 111:
    case 115: case 116: case 117: case 118: case 119: case 120: case 121: case 122: case 124:
        return WireRole::Acknowledgement;
    case 105: return WireRole::CatalogueChunk;
    case 106: return WireRole::DownloadChunk;
    case 112: return WireRole::SubsystemData;
    case 113: return WireRole::SaveResult;
    case 114: return WireRole::Notice;
    default: return WireRole::Ignored; // 100, 123 and codes outside the protocol
    }
}

namespace {
// Stores a handler's result, if the cluster is still there after the handler.
void storeResult(ClusterRef& cluster, std::int32_t result) {
    if (cluster.refresh())
        cluster.rack()->ackResult = result;
}
} // namespace

void dispatchFrame(ClusterRef& cluster, const IncomingHeader& header, QByteArrayView payload) {
    if (!header.fromCluster() || !cluster.valid())
        return;
    switch (wireRole(header.wireCode)) {
    case WireRole::Ignored:
        return;
    case WireRole::Permission:
        if (const auto& handler = cluster.list().permissionHandler())
            handler(cluster.position(), payload);
        return;
    case WireRole::StatusReport:
        handleStatusReport(cluster, payload);
        return;
    case WireRole::Acknowledgement:
        handleStatusReport(cluster, payload);
        storeResult(cluster, ack::Accepted);
        return;
    case WireRole::CatalogueChunk:
        storeResult(cluster, handleFileCatalogueChunk(*cluster.rack(), payload));
        return;
    case WireRole::DownloadChunk: {
        const std::int32_t result = handleDownloadChunk(cluster, payload);
        storeResult(cluster, result);
        return;
    }
    case WireRole::SubsystemData: {
        const std::int32_t result = handleSubsystemData(cluster, payload);
        storeResult(cluster, result);
        return;
    }
    case WireRole::SaveResult:
        storeResult(cluster, decodeSaveResult(payload));
        return;
    case WireRole::Notice:
        handleClusterNotice(cluster, payload);
        return;
    }
}

} // namespace kalver::link
