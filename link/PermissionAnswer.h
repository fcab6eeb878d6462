#pragma once
// Permission answer (wire code 101): the cluster grants permission when the first 32-bit word of the
// payload equals the session access level. A payload shorter than 4 bytes is a refusal.

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace kalver::link {

// The answer's first word, if it has one.
std::optional<std::int32_t> permissionWord(QByteArrayView payload);
bool permissionGranted(QByteArrayView payload, int accessLevel);

} // namespace kalver::link
