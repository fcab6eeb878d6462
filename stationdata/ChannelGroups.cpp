#include "stationdata/ChannelGroups.h"

#include <algorithm>

namespace kalver::stationdata {

namespace {

std::size_t idx(int channel) { return static_cast<std::size_t>(channel); }

int itemOrZero(int value, int items) { return value >= 0 && value < items ? value : 0; }

} // namespace

ChannelEntry ChannelGroupState::entry() const {
    return ChannelEntry{static_cast<std::uint8_t>(use ? 1 : 0), static_cast<std::uint8_t>(gain),
                        static_cast<std::uint8_t>(preampGain), static_cast<std::uint8_t>(mode),
                        static_cast<std::uint8_t>(preampOn ? 1 : 0)};
}

bool ChannelGroups::exists(int channel) const {
    return channel >= 0 && channel < kChannels && m_groups[idx(channel)].has_value();
}

bool ChannelGroups::any() const {
    return std::any_of(m_groups.begin(), m_groups.end(), [](const auto& g) { return g.has_value(); });
}

const ChannelGroupState& ChannelGroups::at(int channel) const { return *m_groups.at(idx(channel)); }

ChannelGroupState& ChannelGroups::group(int channel) { return *m_groups.at(idx(channel)); }

void ChannelGroups::refill(ChannelGroupState& g, bool preampPresent, const GainTable& gains, int preampGain) {
    g.preampPresent = preampPresent;
    for (int k = 0; k < kGainSteps; ++k)
        g.offered[idx(k)] = gainOffered(gains, k, g.channel);
    g.preampGain = itemOrZero(preampGain, kGainSteps);
    if (g.preampOn && g.preampGainItemEmpty())
        g.preampOn = false;
}

void ChannelGroups::build(int channel, bool preampPresent, const GainTable& gains, const ChannelEntry& entry) {
    if (channel < 0 || channel >= kChannels)
        return;
    ChannelGroupState g;
    g.channel = channel;
    g.use = entry.use != 0;
    g.mode = itemOrZero(entry.mode, kModeCount);
    g.gain = itemOrZero(entry.gain, kGainSteps);
    g.preampOn = preampPresent && entry.preampOn == 1;
    refill(g, preampPresent, gains, entry.preampGain);
    m_groups[idx(channel)] = g;
}

void ChannelGroups::rebuild(int channel, bool preampPresent, const GainTable& gains) {
    if (!exists(channel))
        return;
    ChannelGroupState& g = group(channel);
    refill(g, preampPresent, gains, g.preampGain);
}

void ChannelGroups::destroy(int channel) {
    if (channel >= 0 && channel < kChannels)
        m_groups[idx(channel)].reset();
}

void ChannelGroups::clear() {
    for (auto& g : m_groups)
        g.reset();
}

void ChannelGroups::setUseLocked(int channel, bool locked) {
    if (!exists(channel))
        return;
    ChannelGroupState& g = group(channel);
    g.useLocked = locked;
    if (locked)
        g.use = true;
}

void ChannelGroups::changeUse(int channel, bool use) {
    if (!exists(channel))
        return;
    ChannelGroupState& g = group(channel);
    if (g.useLocked)
        return;
    g.use = use;
}

void ChannelGroups::changeMode(int channel, int mode) {
    if (!exists(channel) || mode < 0 || mode >= kModeCount)
        return;
    group(channel).mode = mode;
    propagate(channel);
}

void ChannelGroups::lowerPreampGainToFit(ChannelGroupState& g) {
    if (g.preampGain > kMaxGainIndex - g.gain)
        g.preampGain = kMaxGainIndex - g.gain;
}

void ChannelGroups::preampGainRule(int channel) {
    ChannelGroupState& g = group(channel);
    if (g.gain > kMaxGainIndex - g.preampGain)
        g.gain = kMaxGainIndex - g.preampGain;
    if (g.preampOn && g.preampGainItemEmpty())
        g.preampOn = false;
    propagate(channel);
}

void ChannelGroups::changeGain(int channel, int gain) {
    if (!exists(channel) || gain < 0 || gain >= kGainSteps)
        return;
    ChannelGroupState& g = group(channel);
    g.gain = gain;
    lowerPreampGainToFit(g);
    preampGainRule(channel);
}

void ChannelGroups::changePreampGain(int channel, int preampGain) {
    if (!exists(channel) || preampGain < 0 || preampGain >= kGainSteps)
        return;
    group(channel).preampGain = preampGain;
    preampGainRule(channel);
}

void ChannelGroups::changePreampOn(int channel, bool on) {
    if (!exists(channel))
        return;
    group(channel).preampOn = on;
    propagate(channel);
}

void ChannelGroups::propagate(int channel) {
    const ChannelGroupState& source = group(channel);
    if (m_setType != kCommonChannelSettings || !source.use)
        return;
    const ChannelEntry e = source.entry();
    for (int j = 0; j < kChannels; ++j) {
        if (j == channel || !exists(j))
            continue;
        ChannelGroupState& target = group(j);
        if (!target.use)
            continue;
        target.use = e.use == 1;
        target.mode = e.mode;
        target.gain = e.gain;
        target.preampGain = e.preampGain;
        target.preampOn = e.preampOn == 1 && target.preampPresent && !target.preampGainItemEmpty();
    }
}

void ChannelGroups::setModeOfAll(int mode) {
    if (mode < 0 || mode >= kModeCount)
        return;
    for (auto& g : m_groups)
        if (g)
            g->mode = mode;
}

bool ChannelGroups::startSettingsUsable() const {
    bool someUsed = false;
    for (const auto& g : m_groups) {
        if (!g)
            continue;
        if (g->preampOnEmptyItem())
            return false;
        someUsed = someUsed || g->use;
    }
    return someUsed;
}

ChannelEntries ChannelGroups::entries() const {
    ChannelEntries out{};
    for (int j = 0; j < kChannels; ++j)
        if (m_groups[idx(j)])
            out[idx(j)] = m_groups[idx(j)]->entry();
    return out;
}

} // namespace kalver::stationdata
