#pragma once
// The channel groups of the operations page as plain state and rules, one group per channel that
// every admitted station has. The window's group boxes (TChannelSettings) show this state and hand the
// operator's changes to the rules here; a rule may change other groups too (common propagation), so
// the window shows every group again after each change.
//
// A group edits one channel entry (ChannelEntry.h). It also remembers whether the preamplifier is
// present on its channel in every admitted station, and which preamplifier gains (items 0...6 of its
// "Kpreamp" list) every admitted station offers; an item that is not offered is empty.
//
// Change rules:
// - use box: the mode and gain lists follow it; the preamplifier box is enabled when it is checked
//   and the preamplifier is present; the "Kpreamp" list when that box is enabled and checked.
// - gain: the two gain indices never add up to more than 6 (a total gain of 64): a preamplifier gain
//   above 6 - gain is lowered to it; then as for the preamplifier gain.
// - preamplifier gain: a gain above 6 - preamplifier gain is lowered; the preamplifier box checked on
//   an empty item is unchecked; then common propagation.
// - preamplifier box, mode: common propagation.
// - common propagation: with the channel set type "Общие" (0) and the changed group in use, its whole
//   entry is applied to every other group in use (the preamplifier box only where that group has the
//   preamplifier and its selected "Kpreamp" item is not empty), without running their own rules.

#include "stationdata/ChannelEntry.h"
#include "stationdata/ChannelMerge.h"

#include <array>
#include <optional>

namespace kalver::stationdata {

inline constexpr int kCommonChannelSettings = 0;   // "Общие"
inline constexpr int kSeparateChannelSettings = 1; // "Раздельные"
inline constexpr int kModeCount = 4;

struct ChannelGroupState {
    int channel = 0;
    bool preampPresent = false;
    std::array<bool, kGainSteps> offered{}; // "Kpreamp" item k shows 2^k
    bool use = false;
    bool useLocked = false; // checked and locked for stations of type "qm7  52"
    int mode = 0;
    int gain = 0;
    int preampGain = 0;
    bool preampOn = false;

    bool modeEnabled() const { return use; }
    bool gainEnabled() const { return use; }
    bool useEnabled() const { return !useLocked; }
    bool preampBoxEnabled() const { return use && preampPresent; }
    bool preampGainEnabled() const { return preampBoxEnabled() && preampOn; }
    bool preampGainItemEmpty() const { return !offered[static_cast<std::size_t>(preampGain)]; }
    // The preamplifier is on with an empty "Kpreamp" item: the settings cannot be sent.
    bool preampOnEmptyItem() const { return preampOn && preampGainItemEmpty(); }

    // The five bytes as the group shows them.
    ChannelEntry entry() const;
};

class ChannelGroups {
public:
    bool exists(int channel) const;
    bool any() const;
    // The group of `channel`; only for an existing group.
    const ChannelGroupState& at(int channel) const;

    // A new group for `channel` from `entry` (values outside their lists are taken as item 0).
    void build(int channel, bool preampPresent, const GainTable& gains, const ChannelEntry& entry);
    // An existing group refilled from its own values with a new preamplifier state and gain table, so
    // that the operator's choices survive a new fill.
    void rebuild(int channel, bool preampPresent, const GainTable& gains);
    void destroy(int channel);
    void clear();

    // The type mark: the use box checked and locked, or unlocked.
    void setUseLocked(int channel, bool locked);

    int channelSetType() const { return m_setType; }
    void setChannelSetType(int type) { m_setType = type; }

    // --- the operator's changes (the rules above)
    void changeUse(int channel, bool use);
    void changeMode(int channel, int mode);
    void changeGain(int channel, int gain);
    void changePreampGain(int channel, int preampGain);
    void changePreampOn(int channel, bool on);

    // The operation's mode given to every group, without the rules (operation choice).
    void setModeOfAll(int mode);

    // Usable for sending: no group has its preamplifier on an empty item, and some group is in use.
    bool startSettingsUsable() const;

    // The entry of every channel: a channel without a group is five zero bytes.
    ChannelEntries entries() const;

private:
    ChannelGroupState& group(int channel);
    void lowerPreampGainToFit(ChannelGroupState& g);
    void preampGainRule(int channel);
    void propagate(int channel);
    static void refill(ChannelGroupState& g, bool preampPresent, const GainTable& gains, int preampGain);

    std::array<std::optional<ChannelGroupState>, kChannels> m_groups;
    int m_setType = kCommonChannelSettings;
};

} // namespace kalver::stationdata
