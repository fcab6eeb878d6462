#include "stationdata/StationType.h"

namespace kalver::stationdata {

bool isQm7Type(const link::StatusBlock& station) {
    static const QByteArray qm7("qm7  52\0", 8);
    return station.typeText() == qm7;
}

} // namespace kalver::stationdata
