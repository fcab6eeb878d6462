#include "demo/SyncProtocol.h"

#include "core/ByteReader.h"

#include <cstring>

namespace kalver::demo {

namespace {

const char kRequestBody[16] = {0x00, '\xFF', 0x0C, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

QByteArray head() {
    QByteArray frame(kSyncFrameSize, '\0');
    frame[0] = '\xAA';
    frame[1] = 0x55;
    storeLE<quint16>(frame.data(), 2, kSyncFrameSize - 2);
    frame[7] = 0x01;
    return frame;
}

} // namespace

quint8 syncCheckByte(const char* frame) {
    quint8 check = 0;
    for (int i = 5; i < kSyncFrameSize; ++i)
        check ^= static_cast<quint8>(frame[i]);
    return check;
}

QByteArray syncTimeRequest() {
    QByteArray frame = head();
    std::memcpy(frame.data() + 8, kRequestBody, sizeof kRequestBody);
    frame[4] = static_cast<char>(syncCheckByte(frame.constData()));
    return frame;
}

QByteArray syncTimeAnswer(qint32 seconds, bool error) {
    QByteArray frame = head();
    frame[9] = '\xFF';
    frame[10] = 0x0C;
    frame[kSyncErrorFlagOffset] = error ? 1 : 0;
    storeLE<qint32>(frame.data(), kSyncSecondsOffset, seconds);
    frame[4] = static_cast<char>(syncCheckByte(frame.constData()));
    return frame;
}

void SyncRequestScanner::append(QByteArrayView bytes) {
    m_buffer.append(bytes);
    if (m_buffer.size() > kMaxBuffered)
        m_buffer.remove(0, m_buffer.size() - kSyncFrameSize); // keep only what may start a request
}

bool SyncRequestScanner::next() {
    for (;;) {
        const qsizetype start = m_buffer.indexOf("\xAA\x55");
        if (start < 0) {
            // A lone AA at the end may be the first half of a marker.
            m_buffer = m_buffer.endsWith('\xAA') ? QByteArray(1, '\xAA') : QByteArray();
            return false;
        }
        m_buffer.remove(0, start);
        if (m_buffer.size() < kSyncFrameSize)
            return false;
        const bool wellFormed = loadLE<quint16>(m_buffer.constData(), 2) == kSyncFrameSize - 2 &&
                                static_cast<quint8>(m_buffer[4]) == syncCheckByte(m_buffer.constData());
        m_buffer.remove(0, wellFormed ? kSyncFrameSize : 2);
        if (wellFormed)
            return true;
    }
}

} // namespace kalver::demo
