#include "link/SendServerMessage.h"

#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "link/ClusterRef.h"
#include "link/Framing.h"

#include <algorithm>

namespace kalver::link {

namespace {
bool hasPending(const TKlvRack& rack, std::int32_t wireCode) {
    return std::any_of(rack.pending.cbegin(), rack.pending.cend(),
                       [wireCode](const TServerMessage& m) { return m.wireCode() == wireCode; });
}
} // namespace

void SendServerMessage(ClusterList& list, int cluster, bool sendNow, int code, bool oneShot, QByteArrayView payload) {
    ClusterRef ref(list, cluster);
    if (!ref.valid())
        return;
    QByteArray frame = buildClientFrame(code, payload);
    if (sendNow) {
        const qint64 written = ref.rack()->clusterConnection()->write(frame);
        if (written == -1) {
            showMessage({program().applicationTitle, QString::fromUtf16(kSendFailedText), MessageIcon::None,
                         MessageButtons::Ok, QString()});
            // The box ran the event loop: the record may have gone.
            if (!ref.refresh())
                return;
        }
        if (oneShot)
            return;
    }
    TKlvRack& rack = *ref.rack();
    const std::int32_t wireCode = code + kWireCodeOffset;
    if (hasPending(rack, wireCode))
        return;
    const auto size = static_cast<std::int32_t>(frame.size());
    rack.pending.append(TServerMessage{std::move(frame), size, oneShot});
}

void SendServerMessage(int cluster, bool sendNow, int code, bool oneShot, QByteArrayView payload) {
    SendServerMessage(clusters(), cluster, sendNow, code, oneShot, payload);
}

void sendPendingMessages(ClusterList& list, int cluster) {
    TKlvRack* rack = list.find(cluster);
    if (!rack)
        return;
    // Writing runs no events, so the list stays as it is during the tick.
    ClientSocket* connection = rack->clusterConnection();
    QList<TServerMessage>& pending = rack->pending;
    for (qsizetype i = 0; i < pending.size();) {
        connection->write(pending[i].frame);
        if (pending[i].oneShot)
            pending.removeAt(i);
        else
            ++i;
    }
}

void sendPendingMessages(int cluster) { sendPendingMessages(clusters(), cluster); }

} // namespace kalver::link
