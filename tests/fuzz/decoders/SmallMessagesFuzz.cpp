// The small messages of a cluster: save result (113), cluster notice (114) and permission answer
// (101), each decoded directly and dispatched.
//
// Input: byte 0 bits 0-1 the access level (0 journals every notice), bits 2-3 the message (0 save
// result, 1 notice, 2 permission answer, 3 all three); the rest is the payload.

#include "LinkHarness.h"

#include "link/ClusterNotice.h"
#include "link/PermissionAnswer.h"
#include "link/SaveResult.h"

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::setUpLinkProcess("small_messages_fuzz"), true);
    (void)ready;
    if (size < 1)
        return 0;
    const int level = data[0] & 3;
    const int which = (data[0] >> 2) & 3;
    const QByteArrayView payload(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    fuzz::LinkHarness harness(level, false);

    if (which == 0 || which == 3) {
        const std::int32_t result = link::decodeSaveResult(payload);
        if (result != 1 && result != 3)
            __builtin_trap();
        harness.dispatch(113, payload);
    }
    if (which == 1 || which == 3) {
        if (const auto notice = link::decodeClusterNotice(payload)) {
            // The text never claims more bytes than the payload holds.
            if (notice->text.size() * 2 > payload.size())
                __builtin_trap();
        }
        harness.dispatch(114, payload);
    }
    if (which == 2 || which == 3) {
        const auto word = link::permissionWord(payload);
        if (word.has_value() != (payload.size() >= 4))
            __builtin_trap();
        if (link::permissionGranted(payload, level) != (word && *word == level))
            __builtin_trap();
        harness.dispatch(101, payload);
    }
    return 0;
}
