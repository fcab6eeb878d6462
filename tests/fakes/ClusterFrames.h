#pragma once
// Builders of everything a cluster or a sync server sends, byte for byte, for tests, fuzz seeds and
// benchmarks; and the reader of the frames the client sends.
//
//   cluster frame: AA 55 | reserved 0 | length = payload + 3 | wire code | payload
//   client frame:  55 AA | reserved 0 | payload length       | code + 100 | payload

#include "link/StatusBlock.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace kalver::test {

// ---- cluster -> client
namespace frames {

// A frame with `wireCode` and `payload`. `lengthField` replaces the length (payload + 3) to build
// broken headers; `magic` replaces the cluster's 0x55AA.
QByteArray clusterFrame(std::uint32_t wireCode, QByteArrayView payload = {},
                        std::optional<std::uint32_t> lengthField = std::nullopt, std::uint16_t magic = 0x55AA);

// N status blocks back to back.
QByteArray statusPayload(const QList<link::StatusBlock>& blocks);
// The status report (wire code 102).
QByteArray statusReport(const QList<link::StatusBlock>& blocks);
// The acknowledgement of command `code` (wire code code + 100) carrying the status report.
QByteArray acknowledgement(int code, const QList<link::StatusBlock>& blocks);

// A chunk payload: station number, chunk count, chunk index, data.
QByteArray chunkPayload(std::int32_t station, std::int32_t count, std::int32_t index, QByteArrayView data);
QByteArray catalogueChunk(std::int32_t station, std::int32_t count, std::int32_t index, QByteArrayView data); // 105
QByteArray downloadChunk(std::int32_t station, std::int32_t count, std::int32_t index, QByteArrayView data);  // 106
// The one-byte refusal 0xFF with `wireCode` (105, 106 or 112).
QByteArray refusal(std::uint32_t wireCode);

// Subsystem data (112) whose payload is `values` (build them with ByteWriter).
QByteArray subsystemData(QByteArrayView values);
// Save result (113) with `word` (1 = stored).
QByteArray saveResult(std::int32_t word);

// A notice payload: flags, text length in bytes, character size, UTF-16LE text.
QByteArray noticePayload(std::uint32_t flags, const QString& text, std::uint32_t charSize = 2);
QByteArray notice(std::uint32_t flags, const QString& text); // 114

// The permission answer (101) with `word` (the access level the cluster grants).
QByteArray permissionAnswer(std::int32_t word);

// A station block that raises no alarm when it repeats: number, full charge, not charging, all
// channels absent, no errors, registration stopped.
link::StatusBlock quietStation(std::int32_t number);

} // namespace frames

// ---- sync server -> client
namespace sync {
// The 24-byte time request the client sends.
QByteArray timeRequest();
// A time answer of `size` bytes (at least 24): error flag at 11, seconds at 16.
QByteArray timeAnswer(std::int32_t seconds, bool error = false, int size = 24);
} // namespace sync

// ---- client -> cluster
struct ClientFrame {
    std::uint16_t magic = 0;
    std::uint16_t reserved = 0;
    std::uint32_t payloadLength = 0;
    std::uint32_t wireCode = 0;
    QByteArray payload;
    QByteArray raw; // header + payload, as sent

    // The message code passed to SendServerMessage.
    int code() const { return static_cast<int>(wireCode) - 100; }
};

// Cuts the client's byte stream into frames; an incomplete tail waits for more bytes.
class ClientFrameReader {
public:
    void append(QByteArrayView bytes) { m_bytes.append(bytes.data(), bytes.size()); }
    // The next complete frame, if one is there.
    std::optional<ClientFrame> next();
    qsizetype pending() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

// Every complete frame of `bytes`.
QList<ClientFrame> readClientFrames(QByteArrayView bytes);

} // namespace kalver::test
