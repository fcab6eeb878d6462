#include "stationdata/ChannelMerge.h"

namespace kalver::stationdata {

bool gainOffered(const GainTable& table, int k, int channel) {
    if (k < 0 || k >= kGainTableRows || channel < 0 || channel >= kChannels)
        return false;
    const std::uint8_t mark = table[static_cast<std::size_t>(k)][static_cast<std::size_t>(channel)];
    return mark != kGainMarkNotSeen && mark != kGainMarkMissing;
}

void ChannelMerge::reset() {
    m_channel.fill(kStateNotSeen);
    m_preamp.fill(kStateNotSeen);
    m_inclinometer = kStateNotSeen;
    m_flags = 0;
    for (auto& row : m_gains)
        row.fill(kGainMarkNotSeen);
}

bool ChannelMerge::mergePresence(std::uint8_t byte, int& state, int flag) {
    if (byte == 1) {
        if (state == kStateNotSeen)
            state = kStatePresent;
        else if (state == kStateAbsent)
            m_flags |= flag;
        return true;
    }
    if (byte == 0 || byte == 255) {
        if (state == kStatePresent)
            m_flags |= flag;
        state = kStateAbsent;
        return true;
    }
    return false;
}

bool ChannelMerge::merge(const link::StatusBlock& station) {
    if (!mergePresence(station.inclinometerPresentByte(), m_inclinometer, difference::Inclinometer))
        return false;
    for (int j = 0; j < kChannels; ++j) {
        const auto jj = static_cast<std::size_t>(j);
        if (!mergePresence(station.channelPresentByte(j), m_channel[jj], difference::ChannelCount))
            return false;
        if (!mergePresence(station.preampPresentByte(j), m_preamp[jj], difference::PreampPresence))
            return false;
    }
    for (int j = 0; j < kChannels; ++j) {
        for (int k = 0; k < kGainTableRows; ++k) {
            std::uint8_t& mark = m_gains[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)];
            const std::uint8_t s = station.preampGainByte(k, j);
            if (s == kGainMarkMissing) {
                if (mark != kGainMarkNotSeen && mark != kGainMarkMissing)
                    m_flags |= difference::PreampGains;
                mark = kGainMarkMissing;
            } else if (mark == kGainMarkNotSeen) {
                mark = s;
            } else if (mark == kGainMarkMissing) {
                m_flags |= difference::PreampGains;
            }
        }
    }
    return true;
}

} // namespace kalver::stationdata
