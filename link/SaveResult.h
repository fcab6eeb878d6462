#pragma once
// Save result (wire code 113): the first 32-bit word of the payload is 1 when the cluster stored the
// subsystem values. Result 1 for that word; 3 for any other word or a payload too short to hold one.

#include <QByteArrayView>

#include <cstdint>

namespace kalver::link {

std::int32_t decodeSaveResult(QByteArrayView payload);

} // namespace kalver::link
