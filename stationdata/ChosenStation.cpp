#include "stationdata/ChosenStation.h"

namespace kalver::stationdata {

link::TKlvRack* ChosenStation::rack() const {
    return list ? list->find(clusterPosition) : nullptr;
}

const link::TKlvStation* ChosenStation::station() const {
    const link::TKlvRack* r = rack();
    if (!r)
        return nullptr;
    for (auto it = r->stations.crbegin(); it != r->stations.crend(); ++it)
        if (it->number() == stationNumber)
            return &*it;
    return nullptr;
}

} // namespace kalver::stationdata
