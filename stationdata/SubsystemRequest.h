#pragma once
// The subsystem requests to a cluster. Both start with the station and the subsystem key:
//
//   offset 0   4      station number (signed)
//          4   4      2, the bytes per character of the key
//          8   4      n, the characters of the key
//         12   2 * n  the key, UTF-16 little-endian, no terminator
//
// Code 12 (read) is exactly this; code 13 (write) appends the values (SubsystemWrite.h).

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kalver::stationdata {

inline constexpr int kSubsystemReadCode = 12;
inline constexpr int kSubsystemWriteCode = 13;

QByteArray subsystemRequestBody(std::int32_t station, const QString& key);

} // namespace kalver::stationdata
