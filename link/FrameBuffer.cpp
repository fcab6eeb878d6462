#include "link/FrameBuffer.h"

#include <cstring>

namespace kalver::link {

FrameBuffer::Next FrameBuffer::peek(Frame& frame) const {
    if (pending() < static_cast<qsizetype>(kFrameHeaderSize))
        return Next::NeedMore;
    const std::uint8_t* front = m_memory.data() + m_start;
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
    if (m_start == m_end)
        m_start = m_end = 0;
}

qsizetype FrameBuffer::missing() const {
    const qsizetype header = static_cast<qsizetype>(kFrameHeaderSize);
    if (pending() < header)
        return header - pending();
    const IncomingHeader h = readIncomingHeader(m_memory.data() + m_start);
    if (!h.lengthValid())
        return 0;
    return qMax<qsizetype>(0, header + h.payloadLength() - pending());
}

std::uint8_t* FrameBuffer::prepare(qsizetype want) {
    const qsizetype held = pending();
    if (m_end + want > capacity() && m_start > 0) {
        if (held > 0)
            std::memmove(m_memory.data(), m_memory.data() + m_start, static_cast<std::size_t>(held));
        m_start = 0;
        m_end = held;
    }
    if (m_end + want > capacity())
        m_memory.resize(static_cast<std::size_t>(m_end + want));
    return m_memory.data() + m_end;
}

} // namespace kalver::link
