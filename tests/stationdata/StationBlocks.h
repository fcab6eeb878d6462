#pragma once
// Station status blocks for the station data tests: a quiet station (full charge, idle, no errors)
// with a given set of channels, preamplifiers and preamplifier gains.

#include "fakes/ClusterFrames.h"
#include "link/StatusBlock.h"

#include <initializer_list>

namespace kalver::test {

// Channels `channels` present with preamplifiers on `preamps`; every preamplifier gain offered on
// every channel unless taken away later; the inclinometer present.
inline link::StatusBlock idleStation(std::int32_t number, std::initializer_list<int> channels = {0, 1, 2},
                                     std::initializer_list<int> preamps = {0, 1, 2}) {
    link::StatusBlock b = frames::quietStation(number);
    b.setChargeLevel(100);
    for (int j = 0; j < link::kChannelCount; ++j) {
        b.setChannelPresentByte(j, 0);
        b.setPreampPresentByte(j, 0);
        for (int k = 0; k < 16; ++k)
            b.setPreampGainByte(k, j, 1);
    }
    for (int j : channels)
        b.setChannelPresentByte(j, 1);
    for (int j : preamps)
        b.setPreampPresentByte(j, 1);
    b.setInclinometerPresentByte(1);
    return b;
}

} // namespace kalver::test
