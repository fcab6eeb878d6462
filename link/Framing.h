#pragma once
// The frame of the cluster protocol, both directions, little-endian, 12-byte header:
//
//   client -> cluster: 55 AA | reserved 0 (2) | payload length (u32) | message code + 100 (u32) | payload
//   cluster -> client: AA 55 | reserved   (2) | length (u32)         | wire code (u32)           | length - 3 bytes
//
// The cluster counts 3 bytes more than it sends. An incoming length below 3, or one whose payload would
// exceed kMaxIncomingPayload (far larger than any real report: 100 stations are 45,600 bytes), cannot be
// a frame of this protocol: the connection is closed and the exchange error reported.

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

namespace kalver::link {

inline constexpr std::size_t kFrameHeaderSize = 12;
// The client's magic 0xAA55 (bytes 55 AA) and the cluster's 0x55AA (bytes AA 55).
inline constexpr std::uint16_t kClientMagic = 0xAA55;
inline constexpr std::uint16_t kClusterMagic = 0x55AA;
inline constexpr int kWireCodeOffset = 100;
// The incoming length field counts this many bytes more than the payload that follows.
inline constexpr std::uint32_t kIncomingLengthExcess = 3;
inline constexpr std::uint32_t kMaxIncomingPayload = 1u << 20;
// The exchange error reported through the cluster connection's error event for a frame header that
// cannot be a frame (the system's "message too long" code).
inline constexpr int kExchangeErrorCode = 10040;

// The complete client frame for message `code` (wire code code + 100) with `payload`.
QByteArray buildClientFrame(int code, QByteArrayView payload);

// An incoming frame header, read from 12 bytes.
struct IncomingHeader {
    std::uint16_t magic = 0;
    std::uint16_t reserved = 0;
    std::uint32_t length = 0;
    std::uint32_t wireCode = 0;

    // The length field describes a frame: at least 3 and a payload within the limit.
    bool lengthValid() const {
        return length >= kIncomingLengthExcess && length - kIncomingLengthExcess <= kMaxIncomingPayload;
    }
    std::uint32_t payloadLength() const { return length - kIncomingLengthExcess; }
    bool fromCluster() const { return magic == kClusterMagic; }
};

// Reads a header from `data`, which must hold at least 12 bytes.
IncomingHeader readIncomingHeader(const std::uint8_t* data);

} // namespace kalver::link
