#pragma once
// Hands each complete incoming frame to its handler by its wire code, and stores the handler's result
// as the cluster's acknowledgement result where the table says so:
//
//   100, 123, anything outside 100...124   ignored (consumed)
//   101                                    permission answer (the connection window's handler)
//   102                                    status report
//   103 104 107-111 115-122 124            acknowledgement carrying the status report -> result 1
//   105, 106                               file catalogue chunk, download chunk -> handler's result
//   112, 113                               subsystem data, save result -> handler's result
//   114                                    cluster notice
//
// A frame whose magic is not the cluster's (0x55AA) is dropped, whatever its code.

#include "link/ClusterRef.h"
#include "link/Framing.h"

#include <QByteArrayView>

namespace kalver::link {

enum class WireRole {
    Ignored,
    Permission,
    StatusReport,
    Acknowledgement,
    CatalogueChunk,
    DownloadChunk,
    SubsystemData,
    SaveResult,
    Notice,
};

WireRole wireRole(std::uint32_t wireCode);

// Dispatches one frame of `cluster` with its header and payload.
void dispatchFrame(ClusterRef& cluster, const IncomingHeader& header, QByteArrayView payload);

} // namespace kalver::link
