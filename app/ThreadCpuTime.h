#pragma once
// The processor time the calling thread has used, for the statistics log's check of the busy share: a
// thread that is busy but waits (on the display server, on a disk) shows more busy time than
// processor time.

#include <cstdint>

namespace kalver::app {

// Nanoseconds of processor time of the calling thread (user and system); 0 where not available.
std::int64_t threadCpuNs();

} // namespace kalver::app
