#include "link/FrameBuffer.h"

#include <algorithm>
#include <cstring>

namespace kalver::link {

FrameBuffer::FrameBuffer() : m_memory(std::make_shared<Memory>()) {}

FrameBuffer::Next FrameBuffer::peek(Frame& frame) const {
    if (pending() < static_cast<qsizetype>(kFrameHeaderSize))
        return Next::NeedMore;
    const std::uint8_t* front = m_memory->bytes.data() + m_start;
    const IncomingHeader header = readIncomingHeader(front);
    if (!header.lengthValid())
        return Next::Invalid;
    const qsizetype total = static_cast<qsizetype>(kFrameHeaderSize) + header.payloadLength();
    if (pending() < total)
        return Next::NeedMore;
    frame.header = header;
    frame.payload = front + kFrameHeaderSize;
    frame.payloadLength = header.payloadLength();
    frame.totalSize = total;
    return Next::Frame;
}

void FrameBuffer::consume(qsizetype n) {
    m_start += qMin(n, pending());
    // An empty buffer starts again at the front, unless leased bytes lie there.
    if (m_start == m_end && !leased())
        m_start = m_end = 0;
}

FrameBuffer::Lease FrameBuffer::take(const Frame& frame) {
    const qsizetype end = m_start + qMin(frame.totalSize, pending());
    m_memory->leasedEnd = leased() ? std::max(m_memory->leasedEnd, end) : end;
    Lease lease(m_memory);
    consume(frame.totalSize);
    return lease;
}

qsizetype FrameBuffer::missing() const {
    const qsizetype header = static_cast<qsizetype>(kFrameHeaderSize);
    if (pending() < header)
        return header - pending();
    const IncomingHeader h = readIncomingHeader(m_memory->bytes.data() + m_start);
    if (!h.lengthValid())
        return 0;
    return qMax<qsizetype>(0, header + h.payloadLength() - pending());
}

std::uint8_t* FrameBuffer::prepare(qsizetype want) {
    const qsizetype held = pending();
    const bool fits = m_end + want <= capacity();
    if (leased() && (!fits || m_end < m_memory->leasedEnd)) {
        // A frame being dispatched lives in this memory: the held bytes go on in memory of their own.
        auto fresh = std::make_shared<Memory>();
        fresh->bytes.resize(static_cast<std::size_t>(std::max(capacity(), held + want)));
        if (held > 0)
            std::memcpy(fresh->bytes.data(), m_memory->bytes.data() + m_start, static_cast<std::size_t>(held));
        m_memory = std::move(fresh);
        m_start = 0;
        m_end = held;
        return m_memory->bytes.data() + m_end;
    }
    std::vector<std::uint8_t>& bytes = m_memory->bytes;
    if (!fits && m_start > 0) {
        if (held > 0)
            std::memmove(bytes.data(), bytes.data() + m_start, static_cast<std::size_t>(held));
        m_start = 0;
        m_end = held;
    }
    if (m_end + want > capacity())
        bytes.resize(static_cast<std::size_t>(m_end + want));
    return bytes.data() + m_end;
}

} // namespace kalver::link
