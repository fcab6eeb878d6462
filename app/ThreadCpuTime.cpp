#include "app/ThreadCpuTime.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

namespace kalver::app {

std::int64_t threadCpuNs() {
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
        return 0;
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}


std::int64_t threadRunDelayNs() {
    // Opened once per thread and read from its start each time: "<on cpu> <waiting> <slices>\n".
    thread_local const int fd = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char text[96];
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    if (n <= 0)
        return 0;
    text[n] = '\0';
    char* end = nullptr;
    std::strtoll(text, &end, 10);
    if (end == text)
        return 0;
    const char* second = end;
    const long long waiting = std::strtoll(second, &end, 10);
    return end == second || waiting < 0 ? 0 : static_cast<std::int64_t>(waiting);
}

} // namespace kalver::app
