#include "link/PermissionAnswer.h"

#include "core/ByteReader.h"

namespace kalver::link {

std::optional<std::int32_t> permissionWord(QByteArrayView payload) {
    ByteReader r(payload.data(), static_cast<std::size_t>(payload.size()));
    return r.read<std::int32_t>();
}

bool permissionGranted(QByteArrayView payload, int accessLevel) {
    const std::optional<std::int32_t> word = permissionWord(payload);
    return word && *word == accessLevel;
}

} // namespace kalver::link
