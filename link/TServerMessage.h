#pragma once
// One pending outgoing message of a cluster: the complete frame (12-byte header and payload) and
// whether it is sent once at the next poll tick and then dropped (one-shot) or at every poll tick
// (periodic, such as the status poll). A cluster keeps at most one entry per wire code.

#include <QByteArray>

#include <cstdint>

namespace kalver::link {

struct TServerMessage {
    QByteArray frame;        // header + payload
    std::int32_t frameSize = 0;
    bool oneShot = false;

    // The wire code in the frame's header (message code + 100); -1 for a frame too short to hold one.
    std::int32_t wireCode() const;
};

} // namespace kalver::link
