#pragma once
// The tick clock: sixtieths of a second, the unit of every time in a test.

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

// Installs `source` as the clock read by Ticks(); nullptr restores the real one.
void setTickSource(TickSource* source);

}  // namespace platform
