#include "link/TServerMessage.h"

#include "core/ByteReader.h"
#include "link/Framing.h"

namespace kalver::link {

std::int32_t TServerMessage::wireCode() const {
    if (static_cast<std::size_t>(frame.size()) < kFrameHeaderSize)
        return -1;
    return loadLE<std::int32_t>(frame.constData(), 8);
}

} // namespace kalver::link
