#include "link/SaveResult.h"

#include "core/ByteReader.h"
#include "link/TKlvRack.h"

namespace kalver::link {

std::int32_t decodeSaveResult(QByteArrayView payload) {
    ByteReader r(payload.data(), static_cast<std::size_t>(payload.size()));
    const std::optional<std::int32_t> word = r.read<std::int32_t>();
    return word && *word == 1 ? ack::Accepted : ack::SizeMismatch;
}

} // namespace kalver::link
