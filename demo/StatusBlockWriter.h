#pragma once
// The 456-byte status block of one station, little-endian, as a cluster sends it in every status
// report and acknowledgement. Written here independently of the client's decoder, so that the two
// check each other over the wire.

#include "demo/Station.h"

#include <QByteArray>

namespace kalver::demo {

namespace block {
inline constexpr int kSize = 456;
inline constexpr int kTypeText = 0;          // 8 bytes
inline constexpr int kNumber = 16;           // int32
inline constexpr int kCharge = 20;           // int32, percent, -1 unknown
inline constexpr int kPressure = 24;         // int32, Pa, -1 unknown
inline constexpr int kStationTime = 28;      // int32, Unix seconds
inline constexpr int kDrift = 32;            // int32, µs
inline constexpr int kSamples = 40;          // int64 (low half first)
inline constexpr int kFreeMemory = 48;       // int32, percent
inline constexpr int kFiles = 52;            // int32
inline constexpr int kDownloadProgress = 56; // int32, percent
inline constexpr int kChargingCurrent = 60;  // int16, tenths of a mA
inline constexpr int kPreampGains = 62;      // 256 bytes: 62 + 16·k + j, 255 = gain 2^k not available on channel j
inline constexpr int kChannelPresent = 318;  // 16 bytes
inline constexpr int kChannelMode = 334;     // 16 bytes
inline constexpr int kPreampPresent = 350;   // 16 bytes
inline constexpr int kTuningState = 376;     // uint8
inline constexpr int kGeneratorError = 384;  // double
inline constexpr int kGeneratorFrequency = 392; // double
inline constexpr int kTuningTime = 400;      // int32
inline constexpr int kCharging = 408;        // uint8
inline constexpr int kRegistration = 409;    // int8
inline constexpr int kDownloading = 410;     // uint8
inline constexpr int kInclinometer = 411;    // uint8
inline constexpr int kCalibration = 412;     // int32
inline constexpr int kLastStateMarker = 416; // 5 × '*'
inline constexpr int kLastStateTime = 421;   // uint32, unaligned
inline constexpr int kStateFlags = 425;      // uint32, unaligned
inline constexpr int kErrorFlags = 429;      // uint32, unaligned
inline constexpr int kEventCode = 433;       // uint16, unaligned
inline constexpr int kEventDetail = 436;     // uint32
inline constexpr int kInterfaceErrors = 444; // uint32
inline constexpr int kRecorderErrors = 448;  // uint32
} // namespace block

// The station's block at `nowSeconds` (the real clock, Unix seconds).
QByteArray writeStatusBlock(const Station& station, qint64 nowSeconds);

} // namespace kalver::demo
