#include "app/ThreadCpuTime.h"

#include <ctime>

namespace kalver::app {

std::int64_t threadCpuNs() {
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
        return 0;
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace kalver::app
