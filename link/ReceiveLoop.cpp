#include "link/ReceiveLoop.h"

#include "link/ClusterRef.h"
#include "link/EventTurns.h"
#include "link/FrameDispatch.h"

#include <QCoreApplication>
#include <QPointer>

namespace kalver::link {

namespace {

// Moves bytes waiting on the socket into its buffer, never more than the frame at the front still
// misses and the header of the frame behind it: the first header alone, then the rest of each frame
// together with the next header, so that a burst costs one read per frame. The buffer thus holds at
// most one frame and one header; the frames behind them wait in the socket. Returns the number of
// bytes moved.
qint64 readWaiting(ClientSocket& socket) {
    const qint64 waiting = socket.bytesWaiting();
    if (waiting <= 0)
        return 0;
    FrameBuffer& inbox = socket.inbox();
    const qsizetype header = static_cast<qsizetype>(kFrameHeaderSize);
    const qsizetype missing = inbox.missing();
    // The header at the front has been checked (its length can describe a frame) when it is whole.
    const qsizetype ahead = inbox.pending() >= header && missing > 0 ? header : 0;
    const qint64 want = qMin<qint64>(waiting, missing + ahead);
    if (want <= 0)
        return 0;
    std::uint8_t* at = inbox.prepare(want);
    const qint64 n = socket.read(reinterpret_cast<char*>(at), want);
    if (n <= 0)
        return 0;
    inbox.commit(qMin(n, want));
    return n;
}

// A header that cannot describe a frame: drop what is buffered, report, close.
void rejectStream(QPointer<ClientSocket>& connection) {
    connection->inbox().clear();
    connection->raiseError(kExchangeErrorCode);
    if (connection)
        connection->close();
}

} // namespace

void runReceiveLoop(ClusterList& list, ClientSocket* socket) {
    int position = list.findByClusterSocket(socket);
    if (position < 0)
        return;
    QPointer<ClientSocket> connection(socket);
    EventTurns turns;
    for (;;) {
        FrameBuffer& inbox = connection->inbox();
        FrameBuffer::Frame frame;
        const FrameBuffer::Next next = inbox.peek(frame);
        if (next == FrameBuffer::Next::Invalid) {
            rejectStream(connection);
            return;
        }
        if (next == FrameBuffer::Next::NeedMore) {
            if (readWaiting(*connection) <= 0)
                break;
            continue;
        }
        // Events may have run since the last frame (a handler's, or between frames): the record may have
        // gone. Records keep their positions while they exist, so the position found first still holds
        // this connection unless its record has left the list.
        if (!list.isValid(position) || list.at(position).clusterConnection() != connection.data()) {
            position = list.findByClusterSocket(connection.data());
            if (position < 0)
                break;
        }
        {
            // The frame leaves the buffer before it is dispatched, so a run nested in its handler starts
            // at the next frame boundary; the lease keeps the frame's bytes while the nested run reads.
            const FrameBuffer::Lease lease = inbox.take(frame);
            ClusterRef cluster(list, position);
            dispatchFrame(cluster, frame.header,
                          QByteArrayView(frame.payload, static_cast<qsizetype>(frame.payloadLength)));
        }
        if (!connection)
            return;
        if (connection->inbox().pending() == 0 && connection->bytesWaiting() <= 0)
            break;
        // Pending events between frames, once a millisecond.
        if (turns.due()) {
            QCoreApplication::processEvents();
            if (!connection)
                return;
        }
    }
}

void receiveLoop(ClusterList& list, int cluster) {
    if (TKlvRack* rack = list.find(cluster))
        runReceiveLoop(list, rack->clusterConnection());
}

void receiveLoop(int cluster) { receiveLoop(clusters(), cluster); }

} // namespace kalver::link
