// Arbitrary bytes from a client into the demonstration cluster's request splitter, and every request
// body decoder on the payload of each frame it cuts.
//
// Input: byte 0 + 1 is the size of the pieces in which the rest arrives.

#include "demo/Frame.h"
#include "demo/Requests.h"

#include <cstddef>
#include <cstdint>

using namespace kalver::demo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t piece = static_cast<std::size_t>(data[0]) + 1;
    RequestSplitter splitter;
    for (std::size_t at = 1; at < size; at += piece) {
        const std::size_t n = std::min(piece, size - at);
        splitter.append(QByteArrayView(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(n)));
        while (const auto request = splitter.next()) {
            if (request->payload.size() > static_cast<qsizetype>(kMaxRequestPayload))
                __builtin_trap();
            const QByteArrayView body(request->payload);
            (void)decodeStationList(body);
            (void)decodeStartRequest(body);
            (void)decodeDownloadRequest(body);
            (void)decodeLeadingNumber(body);
            if (const auto sub = decodeSubsystemRequest(body)) {
                if (sub->key.size() > static_cast<qsizetype>(kMaxSubsystemKeyChars))
                    __builtin_trap();
            }
        }
        if (splitter.failed())
            break;
    }
    return 0;
}
