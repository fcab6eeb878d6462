#pragma once
// The reassembly buffer of one cluster connection. The receive loop reads the bytes waiting on the
// socket straight into it and parses frames in place at an offset; a frame is handed out only when it
// is complete. The memory is reused for the life of the connection: it grows to the largest frame seen
// (bounded by the frame limit of Framing.h) and the unparsed tail is moved to the front only when more
// room is needed, never while a frame handed out is being dispatched.

#include "link/Framing.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace kalver::link {

class FrameBuffer {
public:
    enum class Next {
        NeedMore, // the header or the payload is still incomplete
        Frame,    // a complete frame is at the front
        Invalid,  // the header's length field cannot describe a frame
    };

    struct Frame {
        IncomingHeader header;
        const std::uint8_t* payload = nullptr; // valid until the next prepare()
        std::uint32_t payloadLength = 0;
        qsizetype totalSize = 0;               // header + payload
    };

    // Examines the bytes at the front.
    Next peek(Frame& frame) const;
    // Drops `n` bytes from the front (a frame that has been handed out). The bytes stay in memory
    // until the next prepare(), so a frame being dispatched stays readable.
    void consume(qsizetype n);

    // Bytes held and not yet consumed.
    qsizetype pending() const { return m_end - m_start; }
    // Bytes still missing before the frame at the front is complete (at least 1 when pending() is
    // below a header; 0 when a complete frame is held). For an invalid header: 0.
    qsizetype missing() const;

    // Room for `want` more bytes after the held ones: moves the held bytes to the front when needed
    // and grows the memory; returns where to write them. Pointers from peek() become invalid.
    std::uint8_t* prepare(qsizetype want);
    // `n` bytes were written at the pointer prepare() gave.
    void commit(qsizetype n) { m_end += n; }

    // Forgets every held byte (a new connection starts at a frame boundary); keeps the memory.
    void clear() { m_start = m_end = 0; }
    qsizetype capacity() const { return static_cast<qsizetype>(m_memory.size()); }

private:
    std::vector<std::uint8_t> m_memory;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
};

} // namespace kalver::link
