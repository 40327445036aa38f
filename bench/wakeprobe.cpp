#include "wakeprobe.h"

#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

constexpr int64_t periodNs = 10'000'000;

int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

int64_t threadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

BareWakeups measureBareWakeups(int seconds) {
    BareWakeups result;
    std::vector<double>& lateness = result.latenessMs;
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    if (fd < 0) return result;
    const int64_t cpuStart = threadCpuNs();
    const int64_t first = (monotonicNs() / periodNs + 1) * periodNs;
    itimerspec spec{};
    spec.it_value = {time_t(first / 1'000'000'000), long(first % 1'000'000'000)};
    spec.it_interval = {0, long(periodNs)};
    timerfd_settime(fd, TFD_TIMER_ABSTIME, &spec, nullptr);
    int64_t expiry = first;
    const int64_t end = first + int64_t{seconds} * 1'000'000'000;
    while (expiry < end) {
        uint64_t expirations = 0;
        if (read(fd, &expirations, sizeof expirations) <= 0) break;
        const int64_t woke = monotonicNs();
        lateness.push_back(double(woke - expiry) / 1e6);
        // Expirations missed while this thread was held up count once, as a
        // late wake-up, as they do for the program's clock.
        expiry += periodNs * int64_t(expirations);
    }
    result.cpuPercent = 100.0 * double(threadCpuNs() - cpuStart) / double(expiry - first);
    close(fd);
    return result;
}
