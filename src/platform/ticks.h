#pragma once
// The tick clock: sixtieths of a second, the unit of every time in a test.

#include <chrono>
#include <cstdint>

namespace platform {

class TickSource {
public:
    virtual ~TickSource() = default;
    virtual int64_t now() = 0;
};

// The current tick count. Comes from a monotonic clock unless a test has
// installed a source of its own.
int64_t Ticks();

// The real counter's own clock, for measuring it from outside (the timing
// benchmark): the steady-clock moment at which the real counter first reads
// `tick`, and the tick it reads at `moment`. Neither looks at an installed source.
std::chrono::steady_clock::time_point TickMoment(int64_t tick);
int64_t TickAt(std::chrono::steady_clock::time_point moment);

// Installs `source` as the clock read by Ticks(); nullptr restores the real one.
void setTickSource(TickSource* source);

}  // namespace platform
