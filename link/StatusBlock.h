#pragma once
// The station status block: 456 bytes, little-endian, exactly as the cluster sent it in its status
// report. The bytes are kept unchanged (the client carries bytes it does not interpret) and read
// through the typed accessors below at their fixed offsets; several fields are unaligned, so every
// accessor copies its bytes instead of casting.
//
// Unknown values: a 32-bit field that the station has not measured holds -1 (`kUnknown`) and is shown
// as "-". Samples recorded is unknown only when both of its halves are -1. The last-state group is valid
// only when all five marker bytes are 42 ("*"); otherwise `lastState()` gives nothing.

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kalver::link {

inline constexpr std::size_t kStatusBlockSize = 456;
inline constexpr int kChannelCount = 16;
inline constexpr std::int32_t kUnknown = -1;

// Offsets of the fields within the block.
namespace status_offset {
inline constexpr std::size_t TypeText = 0;          // 8 bytes of ASCII
inline constexpr std::size_t TypeTextSize = 8;
inline constexpr std::size_t Number = 16;           // int32
inline constexpr std::size_t Charge = 20;           // int32, percent
inline constexpr std::size_t Pressure = 24;         // int32, pascals
inline constexpr std::size_t StationTime = 28;      // int32, seconds since 1970 UTC
inline constexpr std::size_t ClockDrift = 32;       // int32, microseconds
inline constexpr std::size_t SamplesLow = 40;       // int32 (low half of the 64-bit count)
inline constexpr std::size_t SamplesHigh = 44;      // int32 (high half)
inline constexpr std::size_t FreeMemory = 48;       // int32, percent
inline constexpr std::size_t FileCount = 52;        // int32
inline constexpr std::size_t DownloadProgress = 56; // int32, percent
inline constexpr std::size_t ChargingCurrent = 60;  // int16, tenths of a milliampere
inline constexpr std::size_t PreampGains = 62;      // 256 bytes: 62 + 16 * k + j
inline constexpr std::size_t ChannelPresent = 318;  // 16 bytes
inline constexpr std::size_t ChannelMode = 334;     // 16 bytes
inline constexpr std::size_t PreampPresent = 350;   // 16 bytes
inline constexpr std::size_t GeneratorState = 376;  // uint8
inline constexpr std::size_t GeneratorError = 384;  // double
inline constexpr std::size_t GeneratorFrequency = 392; // double
inline constexpr std::size_t GeneratorTime = 400;   // int32, seconds since 1970 UTC
inline constexpr std::size_t Charging = 408;        // byte
inline constexpr std::size_t RegistrationState = 409; // int8
inline constexpr std::size_t Downloading = 410;     // byte
inline constexpr std::size_t InclinometerPresent = 411; // byte
inline constexpr std::size_t InclinometerCalibration = 412; // int32
inline constexpr std::size_t LastStateMarker = 416; // 5 bytes of 42
inline constexpr std::size_t LastStateTime = 421;   // uint32, unaligned
inline constexpr std::size_t StateFlags = 425;      // uint32, unaligned
inline constexpr std::size_t ErrorFlags = 429;      // uint32, unaligned
inline constexpr std::size_t LastEventCode = 433;   // uint16, unaligned
inline constexpr std::size_t LastEventDetail = 436; // uint32
inline constexpr std::size_t InterfaceErrors = 444; // uint32
inline constexpr std::size_t RecorderErrors = 448;  // uint32
} // namespace status_offset

// The last-state group, present only when its marker is five bytes 42.
struct LastState {
    std::uint32_t time = 0;       // seconds since 1970 UTC
    std::uint32_t stateFlags = 0;
    std::uint32_t errorFlags = 0;
    std::uint16_t eventCode = 0;
    std::uint32_t eventDetail = 0; // a system failure code after event code 12
};

// Registration state values the views name (texts in the catalogue).
inline constexpr int kRegistrationRunning = 1;
// Generator-tuning state of a running tuning.
inline constexpr std::uint8_t kGeneratorTuningRunning = 2;
// Interface error bits that count as critical.
inline constexpr std::uint32_t kCriticalInterfaceErrors = (1u << 9) | (1u << 15);

class StatusBlock {
public:
    // All bytes zero.
    StatusBlock() { m_bytes.fill(0); }
    // The first 456 bytes of `bytes`; the caller checks the size (a shorter view gives std::nullopt).
    static std::optional<StatusBlock> fromBytes(QByteArrayView bytes);
    // Exactly 456 bytes starting at `data`.
    static StatusBlock fromRaw(const void* data);
    // Replaces the whole block by the 456 bytes at `data`. Every status merge does this for each block.
    void assignRaw(const void* data) { copyBlock(m_bytes.data(), static_cast<const std::uint8_t*>(data)); }

    const std::array<std::uint8_t, kStatusBlockSize>& bytes() const { return m_bytes; }
    std::array<std::uint8_t, kStatusBlockSize>& bytes() { return m_bytes; }
    QByteArray toByteArray() const;

    bool operator==(const StatusBlock&) const = default;

    // --- identity
    // The 8 bytes of the station type text, unchanged.
    QByteArray typeText() const;
    std::int32_t number() const { return i32(status_offset::Number); }

    // --- measured values (-1 = unknown where the layout says so)
    std::int32_t chargeLevel() const { return i32(status_offset::Charge); }
    std::int32_t pressure() const { return i32(status_offset::Pressure); }
    std::int32_t stationTime() const { return i32(status_offset::StationTime); }
    std::int32_t clockDrift() const { return i32(status_offset::ClockDrift); }
    std::int32_t samplesLow() const { return i32(status_offset::SamplesLow); }
    std::int32_t samplesHigh() const { return i32(status_offset::SamplesHigh); }
    // The 64-bit count (low half at 40, high half at 44).
    std::int64_t samplesRecorded() const;
    // False only when both halves are -1.
    bool samplesKnown() const { return !(samplesLow() == kUnknown && samplesHigh() == kUnknown); }
    std::int32_t freeMemory() const { return i32(status_offset::FreeMemory); }
    std::int32_t fileCount() const { return i32(status_offset::FileCount); }
    std::int32_t downloadProgress() const { return i32(status_offset::DownloadProgress); }
    std::int16_t chargingCurrent() const;

    // The value when it is not the unknown marker -1.
    static std::optional<std::int32_t> known(std::int32_t value) {
        return value == kUnknown ? std::nullopt : std::optional<std::int32_t>(value);
    }

    // --- channels (index 0..15; out-of-range indexes read as 0)
    // Byte 62 + 16 * k + j: whether preamplifier gain 2^k is available for channel j (255 = not).
    std::uint8_t preampGainByte(int k, int channel) const;
    std::uint8_t channelPresentByte(int channel) const { return channelByte(status_offset::ChannelPresent, channel); }
    std::uint8_t channelModeByte(int channel) const { return channelByte(status_offset::ChannelMode, channel); }
    std::uint8_t preampPresentByte(int channel) const { return channelByte(status_offset::PreampPresent, channel); }
    // Present means the byte is exactly 1 (0 and 255 are absent, anything else is invalid).
    bool channelPresent(int channel) const { return channelPresentByte(channel) == 1; }

    // --- generator tuning
    std::uint8_t generatorState() const { return m_bytes[status_offset::GeneratorState]; }
    double generatorError() const;     // -1.0 = unknown
    double generatorFrequency() const; // -1.0 = unknown
    std::int32_t generatorTime() const { return i32(status_offset::GeneratorTime); } // -1 or 0 = unknown

    // --- state bytes
    bool charging() const { return m_bytes[status_offset::Charging] != 0; }
    std::int8_t registrationState() const { return static_cast<std::int8_t>(m_bytes[status_offset::RegistrationState]); }
    bool downloading() const { return m_bytes[status_offset::Downloading] != 0; }
    std::uint8_t inclinometerPresentByte() const { return m_bytes[status_offset::InclinometerPresent]; }
    std::int32_t inclinometerCalibration() const { return i32(status_offset::InclinometerCalibration); }
    bool inclinometerCalibrating() const { return inclinometerCalibration() == 1; }

    // --- last state (only with a valid marker)
    bool lastStateValid() const;
    std::optional<LastState> lastState() const;

    // --- error words
    std::uint32_t interfaceErrors() const { return u32(status_offset::InterfaceErrors); }
    std::uint32_t recorderErrors() const { return u32(status_offset::RecorderErrors); }

    // --- derived predicates
    // Registration state 1, 2, 3, 5, 6 or 7.
    bool isRegistering() const;
    // Some channel is present (byte 1) and its mode byte is not 0.
    bool isTesting() const;
    // Generator-tuning state 2.
    bool isGeneratorTuning() const { return generatorState() == kGeneratorTuningRunning; }

    // --- writing, for the demonstration cluster and the tests that build reports
    StatusBlock& setTypeText(QByteArrayView text); // first 8 bytes, padded with zeros
    StatusBlock& setNumber(std::int32_t v) { return setI32(status_offset::Number, v); }
    StatusBlock& setChargeLevel(std::int32_t v) { return setI32(status_offset::Charge, v); }
    StatusBlock& setPressure(std::int32_t v) { return setI32(status_offset::Pressure, v); }
    StatusBlock& setStationTime(std::int32_t v) { return setI32(status_offset::StationTime, v); }
    StatusBlock& setClockDrift(std::int32_t v) { return setI32(status_offset::ClockDrift, v); }
    StatusBlock& setSamplesRecorded(std::int64_t v);
    StatusBlock& setSamplesHalves(std::int32_t low, std::int32_t high);
    StatusBlock& setFreeMemory(std::int32_t v) { return setI32(status_offset::FreeMemory, v); }
    StatusBlock& setFileCount(std::int32_t v) { return setI32(status_offset::FileCount, v); }
    StatusBlock& setDownloadProgress(std::int32_t v) { return setI32(status_offset::DownloadProgress, v); }
    StatusBlock& setChargingCurrent(std::int16_t v);
    StatusBlock& setPreampGainByte(int k, int channel, std::uint8_t v);
    StatusBlock& setChannelPresentByte(int channel, std::uint8_t v);
    StatusBlock& setChannelModeByte(int channel, std::uint8_t v);
    StatusBlock& setPreampPresentByte(int channel, std::uint8_t v);
    StatusBlock& setGeneratorState(std::uint8_t v) { m_bytes[status_offset::GeneratorState] = v; return *this; }
    StatusBlock& setGeneratorError(double v);
    StatusBlock& setGeneratorFrequency(double v);
    StatusBlock& setGeneratorTime(std::int32_t v) { return setI32(status_offset::GeneratorTime, v); }
    StatusBlock& setCharging(bool v) { m_bytes[status_offset::Charging] = v ? 1 : 0; return *this; }
    StatusBlock& setRegistrationState(std::int8_t v);
    StatusBlock& setDownloading(bool v) { m_bytes[status_offset::Downloading] = v ? 1 : 0; return *this; }
    StatusBlock& setInclinometerPresentByte(std::uint8_t v) { m_bytes[status_offset::InclinometerPresent] = v; return *this; }
    StatusBlock& setInclinometerCalibration(std::int32_t v) { return setI32(status_offset::InclinometerCalibration, v); }
    // Writes the marker (five bytes 42) and the group.
    StatusBlock& setLastState(const LastState& s);
    StatusBlock& setInterfaceErrors(std::uint32_t v) { return setU32(status_offset::InterfaceErrors, v); }
    StatusBlock& setRecorderErrors(std::uint32_t v) { return setU32(status_offset::RecorderErrors, v); }
    // Sets every 32-bit field that has an unknown marker to -1 and samples recorded to -1/-1.
    StatusBlock& setAllUnknown();

    // Raw access for fields and bytes not named above.
    std::uint8_t byteAt(std::size_t offset) const { return offset < kStatusBlockSize ? m_bytes[offset] : 0; }
    StatusBlock& setByteAt(std::size_t offset, std::uint8_t v);
    std::int32_t i32(std::size_t offset) const { return offset + 4 <= kStatusBlockSize ? load<std::int32_t>(offset) : 0; }
    std::uint32_t u32(std::size_t offset) const { return offset + 4 <= kStatusBlockSize ? load<std::uint32_t>(offset) : 0; }
    StatusBlock& setI32(std::size_t offset, std::int32_t v);
    StatusBlock& setU32(std::size_t offset, std::uint32_t v);

private:
    // Every status merge reads these for each block, so they stay inline.
    template <typename T>
    T load(std::size_t offset) const {
        T value;
        std::memcpy(&value, m_bytes.data() + offset, sizeof(T));
        return value;
    }
    // The 456-byte copy of assignRaw(). A plain memcpy of this fixed size is compiled by GCC into
    // `rep movsq`, which has a start-up cost of its own and leaves the copy unavailable to the loads
    // that follow until it has completed; 28 unaligned 16-byte moves and one of 8 bytes do the same
    // work in straight-line code.
    static void copyBlock(std::uint8_t* to, const std::uint8_t* from) {
#if defined(__SSE2__)
        copyChunks(to, from, std::make_index_sequence<kStatusBlockSize / 16>{});
        constexpr std::size_t tail = kStatusBlockSize / 16 * 16;
        static_assert(kStatusBlockSize - tail == 8);
        std::uint64_t last;
        std::memcpy(&last, from + tail, sizeof last);
        std::memcpy(to + tail, &last, sizeof last);
#else
        std::memcpy(to, from, kStatusBlockSize);
#endif
    }
#if defined(__SSE2__)
    template <std::size_t... I>
    static void copyChunks(std::uint8_t* to, const std::uint8_t* from, std::index_sequence<I...>) {
        (_mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16 * I),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16 * I))),
         ...);
    }
#endif
    struct NoInit {};
    explicit StatusBlock(NoInit) {}
    std::uint8_t channelByte(std::size_t base, int channel) const;
    StatusBlock& setChannelByte(std::size_t base, int channel, std::uint8_t v);

    std::array<std::uint8_t, kStatusBlockSize> m_bytes;
};

} // namespace kalver::link
