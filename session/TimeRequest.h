#pragma once
// The sync server's small protocol, the client's side.
//
// Time request, 24 bytes:
//   0   AA 55
//   2   frame size − 2 = 22, unsigned 16-bit little-endian
//   4   check byte: exclusive or of bytes 5 … 23 (0xFD)
//   5   00 00 01
//   8   00 FF 0C 00 0D 00 00 00 02 00 00 00 00 00 00 00
//
// Time answer: at least 24 bytes, read as one answer with everything that is waiting. Byte 11 is the
// error flag (non-zero: the sync server reports an error); bytes 16…19 are signed 32-bit seconds since
// 1970-01-01 00:00 UTC, −1 when the time is not determined. Other bytes are not interpreted.

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace kalver::session {

inline constexpr int kTimeRequestSize = 24;
inline constexpr int kTimeAnswerMinSize = 24;
inline constexpr int kTimeAnswerErrorOffset = 11;
inline constexpr int kTimeAnswerSecondsOffset = 16;
inline constexpr std::int32_t kTimeNotDetermined = -1;

// The 24 bytes of the time request.
QByteArray timeRequest();

// The check byte of a frame: exclusive or of its bytes from offset 5 to the end.
std::uint8_t syncCheckByte(QByteArrayView frame);

struct TimeAnswer {
    bool error = false;
    std::int32_t seconds = kTimeNotDetermined;
    bool operator==(const TimeAnswer&) const = default;
};

// The answer in `bytes`; nothing when fewer than 24 bytes are there (the rest is still to come).
std::optional<TimeAnswer> readTimeAnswer(QByteArrayView bytes);

} // namespace kalver::session
