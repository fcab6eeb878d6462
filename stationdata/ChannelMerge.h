#pragma once
// The channel configuration of the admitted stations, merged station by station while the window is
// filled for a start-family operation. It tells which channels every station has (a channel group is
// built for each), whether every station has each channel's preamplifier and the inclinometer, which
// preamplifier gains every station offers per channel, and in what the stations differ.
//
// States of a channel, a preamplifier and the inclinometer: 3 no station seen yet, 1 present in the
// stations seen so far, 0 absent in at least one. A station byte 1 is present, 0 and 255 absent, any
// other value is invalid and stops the merge.
//
// Gain marks, per preamplifier gain 2^k and channel j: 254 before any station, 255 once some station
// lacks the gain, otherwise the first station's byte. A gain is offered when its mark is neither.

#include "link/StatusBlock.h"
#include "stationdata/ChannelEntry.h"

#include <array>
#include <cstdint>

namespace kalver::stationdata {

// The difference flags, in the order the warning names them.
namespace difference {
inline constexpr int ChannelCount = 1;     // " - число каналов"
inline constexpr int PreampPresence = 2;   // " - наличие предусилителей"
inline constexpr int PreampGains = 4;      // " - коэффициенты предусилителей"
inline constexpr int Inclinometer = 8;     // " - наличие угломера"
} // namespace difference

inline constexpr int kStateNotSeen = 3;
inline constexpr int kStatePresent = 1;
inline constexpr int kStateAbsent = 0;

inline constexpr std::uint8_t kGainMarkNotSeen = 254;
inline constexpr std::uint8_t kGainMarkMissing = 255;

inline constexpr int kGainTableRows = 16; // k = 0...15 in the status block

// mark[k][j]: preamplifier gain 2^k on channel j.
using GainTable = std::array<std::array<std::uint8_t, kChannels>, kGainTableRows>;

// Whether preamplifier gain 2^k is offered on `channel` by the merged table.
bool gainOffered(const GainTable& table, int k, int channel);

class ChannelMerge {
public:
    ChannelMerge() { reset(); }

    // Nothing seen: all states 3, all marks 254, no differences.
    void reset();

    // Merges one station; false when one of its bytes is invalid (the merge is then unusable).
    bool merge(const link::StatusBlock& station);

    int channelState(int channel) const { return m_channel.at(static_cast<std::size_t>(channel)); }
    int preampState(int channel) const { return m_preamp.at(static_cast<std::size_t>(channel)); }
    int inclinometerState() const { return m_inclinometer; }
    int differences() const { return m_flags; }
    const GainTable& gains() const { return m_gains; }

private:
    // One present/absent byte into `state`; false when the byte is invalid.
    bool mergePresence(std::uint8_t byte, int& state, int flag);

    std::array<int, kChannels> m_channel{};
    std::array<int, kChannels> m_preamp{};
    int m_inclinometer = kStateNotSeen;
    int m_flags = 0;
    GainTable m_gains{};
};

} // namespace kalver::stationdata
