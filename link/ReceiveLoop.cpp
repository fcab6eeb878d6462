#include "link/ReceiveLoop.h"

#include "link/ClusterRef.h"
#include "link/FrameDispatch.h"

#include <QCoreApplication>
#include <QPointer>

namespace kalver::link {

namespace {

// At most this much is read from the socket at once, unless the frame at the front needs more.
constexpr qint64 kReadSlice = 256 * 1024;

// Moves the bytes waiting on the socket into its buffer; returns the number moved.
qint64 readWaiting(ClientSocket& socket) {
    const qint64 waiting = socket.bytesWaiting();
    if (waiting <= 0)
        return 0;
    FrameBuffer& inbox = socket.inbox();
    const qint64 want = qMin<qint64>(waiting, qMax<qint64>(inbox.missing(), kReadSlice));
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
    connection->setReceiving(false);
    connection->raiseError(kExchangeErrorCode);
    if (connection)
        connection->close();
}

} // namespace

void runReceiveLoop(ClusterList& list, ClientSocket* socket) {
    if (!socket || socket->receiving() || list.findByClusterSocket(socket) < 0)
        return;
    QPointer<ClientSocket> connection(socket);
    connection->setReceiving(true);
    for (;;) {
        const int position = list.findByClusterSocket(connection.data());
        if (position < 0)
            break;
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
        // The frame leaves the buffer before it is dispatched; its bytes stay in place until the next
        // read, which only this loop does.
        inbox.consume(frame.totalSize);
        ClusterRef cluster(list, position);
        dispatchFrame(cluster, frame.header,
                      QByteArrayView(frame.payload, static_cast<qsizetype>(frame.payloadLength)));
        if (!connection)
            return;
        if (connection->inbox().pending() == 0 && connection->bytesWaiting() <= 0)
            break;
        QCoreApplication::processEvents();
        if (!connection)
            return;
    }
    connection->setReceiving(false);
}

void receiveLoop(ClusterList& list, int cluster) {
    if (TKlvRack* rack = list.find(cluster))
        runReceiveLoop(list, rack->clusterConnection());
}

void receiveLoop(int cluster) { receiveLoop(clusters(), cluster); }

} // namespace kalver::link
