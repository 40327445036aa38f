#pragma once
// Keeps every core busy: one spinning child process per core, at the same
// priority as the benchmark, started and stopped by the benchmark itself.

#include <sys/types.h>
#include <vector>

class CpuHog {
public:
    CpuHog() = default;
    ~CpuHog() { stop(); }
    CpuHog(const CpuHog&) = delete;
    CpuHog& operator=(const CpuHog&) = delete;

    void start(unsigned processes);
    void stop();
    bool running() const { return !children_.empty(); }

private:
    std::vector<pid_t> children_;
};
