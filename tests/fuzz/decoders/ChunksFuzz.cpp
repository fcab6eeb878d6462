// Arbitrary file catalogue chunks and download chunks.
//
// Input: byte 0 bit 0 gives the cluster a download target; the rest is a sequence of messages, each a
// byte whose bit 0 chooses the catalogue chunk (105) or the download chunk (106) and whose upper bits
// × 4 give its payload size, then that many payload bytes (fewer at the end of the input).

#include "LinkHarness.h"

#include "link/FileTransfer.h"
#include "link/TKlvRack.h"

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::setUpLinkProcess("chunks_fuzz"), true);
    (void)ready;
    if (size < 1)
        return 0;
    fuzz::LinkHarness harness(3, (data[0] & 1) != 0);
    std::size_t at = 1;
    while (at < size) {
        const std::uint8_t kind = data[at++];
        const std::size_t n = std::min<std::size_t>((kind >> 1) * 4u, size - at);
        const QByteArrayView payload(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(n));
        at += n;
        harness.dispatch((kind & 1) ? 106 : 105, payload);
        // The header reader and the progress position on their own.
        if (const auto header = link::readChunkHeader(payload))
            (void)link::downloadProgressPosition(100, header->index, header->count);
    }
    return 0;
}
