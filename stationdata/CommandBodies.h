#pragma once
// The bodies of the station commands, byte for byte (little-endian):
//
//   station list (4, 7, 8, 9, 10, 15, 16, 21, 22, 24): n x int32 station numbers, ascending
//
//   start body (3, 17, 18, 19, 20), 108 + 4n bytes:
//     0    int32   n
//     4    int32   sampling frequency in Hz
//     8    80      16 channel entries: use 1/0, gain 2^index, preamplifier gain 2^index, mode,
//                  preamplifier on 1/0; a channel without a group is five zero bytes
//     88   int32   inclinometer period, s (0 when taken once)
//     92   int32   registration begin, s since 1970 as entered (-1 = at once)
//     96   int32   registration end, likewise (-1 = by command)
//     100  int32   inclinometer start, likewise (0 = at once)
//     104  uint8   use the inclinometer 1/0
//     105  3       zero
//     108  4n      station numbers
//
//   download body (11), 8 + 4n bytes: two int32 time fields, then the station list. Both time fields
//   carry the low 32 bits of the seconds of the day count zero (1899-12-30 00:00): 2085805696.

#include "core/TDateTime.h"
#include "stationdata/ChannelEntry.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <cstdint>
#include <optional>

namespace kalver::stationdata {

inline constexpr int kStartBodyFixedSize = 108;

// What the start body carries besides the stations. A channel without a group is std::nullopt.
struct StartSettings {
    std::int32_t frequencyHz = 250;
    std::array<std::optional<ChannelEntry>, kChannels> channels{};
    bool inclinometerOnce = false;
    std::int32_t inclinometerStep = 5;
    bool beginNow = true;
    TDateTime begin;
    bool endByCommand = true;
    TDateTime end;
    bool inclinometerNow = true;
    TDateTime inclinometerStart;
    bool useInclinometer = true;
};

// The low 32 bits of the seconds since 1970-01-01 00:00 of a day count read as entered.
std::int32_t enteredSeconds(TDateTime value);

QByteArray stationListBody(const QList<std::int32_t>& stations);
QByteArray startBody(const StartSettings& settings, const QList<std::int32_t>& stations);
QByteArray downloadBody(const QList<std::int32_t>& stations);

// The value of both time fields of the download body.
std::int32_t downloadTimeField();

} // namespace kalver::stationdata
