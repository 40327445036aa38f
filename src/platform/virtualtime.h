#pragma once
// Virtual time for tests: one clock behind both Ticks() and every timer made
// while it is installed. Advancing it fires the due timers in time order, and
// single reads of Ticks() can be scripted, so that "the tick count moved
// between two reads" is a test case rather than an accident.

#include "platform/ticks.h"
#include "platform/timer.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace platform {

class VirtualTime final : public TickSource, public TimerDriver {
public:
    // Installs itself as the tick source and the timer driver.
    VirtualTime();
    ~VirtualTime() override;
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    int64_t now() override;
    std::unique_ptr<TimerBackend> makeBackend(Timer& timer) override;

    // Moves the clock on, firing every timer that falls due on the way.
    void advanceMs(int64_t ms);
    void advanceUs(int64_t us);
    // Moves the clock on to the next tick boundary at or after `tick`.
    void advanceToTick(int64_t tick);
    int64_t microseconds() const { return nowUs_; }

    // The next reads of Ticks() answer these values, in order, before the
    // clock is read again.
    void scriptTicks(std::initializer_list<int64_t> ticks);

private:
    struct Entry;
    class Backend;
    friend class Backend;

    std::vector<Entry*> entries_;
    int64_t nowUs_ = 0;
    int64_t sequence_ = 0;
    std::deque<int64_t> scripted_;
};

}  // namespace platform
