#pragma once
// A station alarm code, 0...9. A station keeps the codes raised and not yet acknowledged in its alarm
// list (TKlvStation), each at most once. The log texts and tile colours of the codes belong to the
// message log of the work window.

#include <cstdint>

namespace kalver::link {

using TErrorType = std::int32_t;

namespace alarm {
inline constexpr TErrorType NoErrors = 0;            // ") нет ошибок"
inline constexpr TErrorType CommandNotExecuted = 1;  // the station did not follow a command
inline constexpr TErrorType NotCharging = 2;         // not charging below 100 %
inline constexpr TErrorType NoPpsTuningLeft = 3;     // no PPS, left generator tuning
inline constexpr TErrorType FaultTuningLeft = 4;     // reports a fault, left generator tuning
inline constexpr TErrorType SamplesNotCounting = 5;  // registering but the sample count stands still
inline constexpr TErrorType DownloadNotStarted = 6;  // could not start the download to the cluster
inline constexpr TErrorType NonCriticalErrors = 7;   // interface error bits
inline constexpr TErrorType CriticalErrors = 8;      // recorder errors or critical interface bits
inline constexpr TErrorType LostServer = 9;          // the cluster sent no status report since the last tick
inline constexpr TErrorType Lowest = 0;
inline constexpr TErrorType Highest = 9;
} // namespace alarm

} // namespace kalver::link
