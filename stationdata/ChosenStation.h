#pragma once
// The station the examination pages work on: the one chosen in the station data window with
// `cbServer` (cluster number = position + 1) and `cbStation` (station number). The pages keep this and
// look the records up again whenever they need them, since the cluster list and its stations may
// change whenever pending events run.

#include "link/ClusterList.h"

#include <cstdint>

namespace kalver::stationdata {

struct ChosenStation {
    link::ClusterList* list = nullptr;
    int clusterPosition = -1;
    std::int32_t stationNumber = 0;

    int clusterNumber() const { return clusterPosition + 1; }
    // The cluster record, or nullptr when there is none (no choice, or it has left the list).
    link::TKlvRack* rack() const;
    // The last station of the cluster with the station number, or nullptr.
    const link::TKlvStation* station() const;
};

} // namespace kalver::stationdata
