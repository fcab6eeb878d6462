#pragma once
// The reassembly buffer of one cluster connection. The receive loop reads the bytes waiting on the
// socket straight into it and parses frames in place at an offset; a frame is handed out only when it
// is complete. The memory is reused for the life of the connection: it grows to the largest frame seen
// (bounded by the frame limit of Framing.h) and the unparsed tail is moved to the front only when more
// room is needed.
//
// A frame is taken out of the buffer for its dispatch with take(), which gives a lease on its bytes.
// Handlers may process pending events, and a run of the receive loop nested in them reads into the same
// buffer: while a lease is held, the buffer never moves, grows over or overwrites the leased bytes; it
// goes on in new memory instead, and the old memory is freed with the last lease (even when the
// connection and its buffer have gone meanwhile). Without a lease held, nothing is copied.

#include "link/Framing.h"

#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <vector>

namespace kalver::link {

class FrameBuffer {
    struct Memory {
        std::vector<std::uint8_t> bytes;
        qsizetype leasedEnd = 0; // the end of the last frame leased from this memory
    };

public:
    enum class Next {
        NeedMore, // the header or the payload is still incomplete
        Frame,    // a complete frame is at the front
        Invalid,  // the header's length field cannot describe a frame
    };

    struct Frame {
        IncomingHeader header;
        const std::uint8_t* payload = nullptr; // valid until the next prepare(), or while leased
        std::uint32_t payloadLength = 0;
        qsizetype totalSize = 0;               // header + payload
    };

    // Keeps the bytes of a frame handed out by take() valid and unchanged while it lives.
    class Lease {
    public:
        Lease() = default;

    private:
        friend class FrameBuffer;
        explicit Lease(std::shared_ptr<const Memory> memory) : m_memory(std::move(memory)) {}
        std::shared_ptr<const Memory> m_memory;
    };

    FrameBuffer();

    // Examines the bytes at the front.
    Next peek(Frame& frame) const;
    // Drops `n` bytes from the front. Their memory may be written by the next prepare().
    void consume(qsizetype n);
    // Drops the complete frame at the front that peek() gave and leases its bytes, which stay
    // readable and unchanged while the lease lives, whatever is read into the buffer meanwhile.
    Lease take(const Frame& frame);

    // Bytes held and not yet consumed.
    qsizetype pending() const { return m_end - m_start; }
    // Bytes still missing before the frame at the front is complete (at least 1 when pending() is
    // below a header; 0 when a complete frame is held). For an invalid header: 0.
    qsizetype missing() const;

    // Room for `want` more bytes after the held ones: moves the held bytes to the front when needed
    // and grows the memory, or, while a lease is held, goes on in new memory; returns where to write
    // them. Pointers from peek() of frames not leased become invalid.
    std::uint8_t* prepare(qsizetype want);
    // `n` bytes were written at the pointer prepare() gave.
    void commit(qsizetype n) { m_end += n; }

    // Forgets every held byte (a new connection starts at a frame boundary); keeps the memory.
    void clear() { m_start = m_end = 0; }
    qsizetype capacity() const { return static_cast<qsizetype>(m_memory->bytes.size()); }

private:
    bool leased() const { return m_memory.use_count() > 1; }

    std::shared_ptr<Memory> m_memory;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
};

} // namespace kalver::link
