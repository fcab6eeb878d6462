#include "work/BufferCheck.h"

#include "link/ReceiveLoop.h"

#include <QAbstractButton>

namespace kalver::work {

bool connectionChecked(const link::TKlvRack& rack) {
    const auto* box = qobject_cast<const QAbstractButton*>(rack.connectionCheckBox.data());
    return box != nullptr && box->isChecked();
}

void checkReceiveBuffers(link::ClusterList& clusters, const std::function<bool(const link::TKlvRack&)>& inWork) {
    // The count is read again on every pass: a receive loop may let the list change.
    for (int c = 0; c < clusters.count(); ++c) {
        const link::TKlvRack& rack = clusters.at(c);
        const link::ClientSocket* socket = rack.clusterConnection();
        if (socket == nullptr || !inWork(rack) || socket->bytesWaiting() <= 0)
            continue;
        link::receiveLoop(clusters, c);
    }
}

} // namespace kalver::work
