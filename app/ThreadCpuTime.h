#pragma once
// The processor time the calling thread has used, for the statistics log's check of the busy share: a
// thread that is busy but waits (on the display server, on a disk) shows more busy time than
// processor time.

#include <cstdint>

namespace kalver::app {

// Nanoseconds of processor time of the calling thread (user and system); 0 where not available.
std::int64_t threadCpuNs();

// Nanoseconds the calling thread has spent ready to run but waiting for a processor (the scheduler's
// run-queue delay, /proc/thread-self/schedstat): on a loaded machine a busy stretch that is longer than
// its processor time shows it here. 0 where not available.
std::int64_t threadRunDelayNs();

} // namespace kalver::app
