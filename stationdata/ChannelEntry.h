#pragma once
// One channel's settings as the window keeps them, saves them in "settings_StD.ini" and edits them in
// its channel group: five bytes per channel 0...15.
//
//   byte 0  use the channel (1 = yes)
//   byte 1  gain index 0...6 (gain 2 to the power of the index)
//   byte 2  preamplifier gain index 0...6
//   byte 3  mode: 0 "Нормальный", 1 "Тест АЦП", 2 "Тест датчиков", 3 "Тест SNR"
//   byte 4  preamplifier on (1 = yes)

#include <array>
#include <cstdint>

namespace kalver::stationdata {

inline constexpr int kChannels = 16;
inline constexpr int kGainSteps = 7;     // indices 0...6: gains 1...64
inline constexpr int kMaxGainIndex = 6;  // the two indices together never exceed this

struct ChannelEntry {
    std::uint8_t use = 0;
    std::uint8_t gain = 0;
    std::uint8_t preampGain = 0;
    std::uint8_t mode = 0;
    std::uint8_t preampOn = 0;

    bool operator==(const ChannelEntry&) const = default;
};

inline constexpr int kChannelEntrySize = 5;

using ChannelEntries = std::array<ChannelEntry, kChannels>;

} // namespace kalver::stationdata
