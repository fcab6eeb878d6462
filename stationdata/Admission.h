#pragma once
// Which stations an operation applies to, by the state the station last reported:
//
//   operations                                          admitted when
//   0 start, 8, 9, 10 tests, 11 calibration             charge above 10, registration state 0 or 4,
//                                                       not downloading, generator not tuning
//   2 download, 5, 6, 7 erasing, 12 tuning, 14 power    registration state 0 or 4, not downloading,
//                                                       generator not tuning
//   1 stop registration                                 not downloading, generator not tuning
//   3 stop download                                     downloading
//   13 stop generator tuning                            generator tuning
//   4 search, and any other value                       always
//
// Stations refused here are left out silently. Start registration (0) also leaves out an admitted
// station with critical errors, and names it in the warning balloon.

#include "link/StatusBlock.h"

namespace kalver::stationdata {

bool admits(int operation, const link::StatusBlock& station);

// Any recorder error bit, or interface error bit 9 or 15.
bool hasCriticalErrors(const link::StatusBlock& station);

// Whether `operation` refuses an admitted station that has critical errors (start registration only).
bool refusesCriticalErrors(int operation);

} // namespace kalver::stationdata
