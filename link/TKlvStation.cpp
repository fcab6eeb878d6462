#include "link/TKlvStation.h"

#include <algorithm>

namespace kalver::link {

bool TKlvStation::addAlarm(TErrorType code) {
    if (alarms.contains(code))
        return false;
    alarms.append(code);
    return true;
}

TErrorType TKlvStation::highestAlarm() const {
    return alarms.isEmpty() ? alarm::NoErrors : *std::max_element(alarms.cbegin(), alarms.cend());
}

} // namespace kalver::link
