#include "session/TimeRequest.h"

#include "core/ByteReader.h"

#include <array>

namespace kalver::session {

namespace {
constexpr std::array<std::uint8_t, 16> kRequestBody{0x00, 0xFF, 0x0C, 0x00, 0x0D, 0x00, 0x00, 0x00,
                                                    0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr int kCheckOffset = 4;
} // namespace

std::uint8_t syncCheckByte(QByteArrayView frame) {
    std::uint8_t check = 0;
    for (qsizetype i = kCheckOffset + 1; i < frame.size(); ++i)
        check ^= static_cast<std::uint8_t>(frame[i]);
    return check;
}

QByteArray timeRequest() {
    QByteArray frame(kTimeRequestSize, '\0');
    frame[0] = char(0xAA);
    frame[1] = char(0x55);
    storeLE<std::uint16_t>(frame.data(), 2, static_cast<std::uint16_t>(kTimeRequestSize - 2));
    frame[5] = 0;
    frame[6] = 0;
    frame[7] = 1;
    for (std::size_t i = 0; i < kRequestBody.size(); ++i)
        frame[8 + static_cast<qsizetype>(i)] = static_cast<char>(kRequestBody[i]);
    frame[kCheckOffset] = static_cast<char>(syncCheckByte(frame));
    return frame;
}

std::optional<TimeAnswer> readTimeAnswer(QByteArrayView bytes) {
    if (bytes.size() < kTimeAnswerMinSize)
        return std::nullopt;
    TimeAnswer answer;
    answer.error = bytes[kTimeAnswerErrorOffset] != 0;
    answer.seconds = loadLE<std::int32_t>(bytes.data(), kTimeAnswerSecondsOffset);
    return answer;
}

} // namespace kalver::session
