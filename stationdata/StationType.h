#pragma once
// The station type whose channel use is fixed and whose recorder reports its own system error bits:
// type text "qm7  52" (7 characters and a zero byte) in the first 8 bytes of the status block.

#include "link/StatusBlock.h"

namespace kalver::stationdata {

bool isQm7Type(const link::StatusBlock& station);

} // namespace kalver::stationdata
