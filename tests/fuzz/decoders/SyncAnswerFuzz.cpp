// Arbitrary bytes from a sync server read as the time answer.
//
// Checks beside the sanitizers: fewer than 24 bytes are no answer yet; an answer's fields are the bytes
// at their offsets.

#include "core/ByteReader.h"
#include "session/TimeRequest.h"

#include <cstddef>
#include <cstdint>

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto answer = session::readTimeAnswer(bytes);
    if (answer.has_value() != (size >= static_cast<std::size_t>(session::kTimeAnswerMinSize)))
        __builtin_trap();
    if (answer) {
        if (answer->error != (data[session::kTimeAnswerErrorOffset] != 0))
            __builtin_trap();
        std::int32_t seconds = 0;
        std::memcpy(&seconds, data + session::kTimeAnswerSecondsOffset, 4);
        if (answer->seconds != seconds)
            __builtin_trap();
    }
    (void)session::syncCheckByte(bytes);
    return 0;
}
