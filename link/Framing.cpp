#include "link/Framing.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

namespace kalver::link {

QByteArray buildClientFrame(int code, QByteArrayView payload) {
    ByteWriter w(static_cast<qsizetype>(kFrameHeaderSize) + payload.size());
    w.putU16(kClientMagic)
        .putU16(0)
        .putU32(static_cast<std::uint32_t>(payload.size()))
        .putU32(static_cast<std::uint32_t>(code + kWireCodeOffset))
        .putBytes(payload.data(), payload.size());
    return w.take();
}

IncomingHeader readIncomingHeader(const std::uint8_t* data) {
    IncomingHeader h;
    h.magic = loadLE<std::uint16_t>(data, 0);
    h.reserved = loadLE<std::uint16_t>(data, 2);
    h.length = loadLE<std::uint32_t>(data, 4);
    h.wireCode = loadLE<std::uint32_t>(data, 8);
    return h;
}

} // namespace kalver::link
