#include "platform/virtualtime.h"

#include <algorithm>

namespace platform {

struct VirtualTime::Entry {
    Timer* timer;
    bool running = false;
    int64_t dueUs = 0;
    int64_t periodUs = 0;
    int64_t order = 0;  // when equally due, the timer started first fires first
};

class VirtualTime::Backend final : public TimerBackend {
public:
    Backend(VirtualTime& time, Timer& timer) : time_(time) {
        entry_.timer = &timer;
        time_.entries_.push_back(&entry_);
    }
    ~Backend() override { std::erase(time_.entries_, &entry_); }
    void start(int periodMs) override {
        entry_.running = true;
        entry_.periodUs = std::max<int64_t>(1, periodMs) * 1000;
        entry_.dueUs = time_.nowUs_ + entry_.periodUs;
        entry_.order = time_.sequence_++;
    }
    void stop() override { entry_.running = false; }

private:
    VirtualTime& time_;
    Entry entry_;
};

VirtualTime::VirtualTime() {
    setTickSource(this);
    setTimerDriver(this);
}

VirtualTime::~VirtualTime() {
    setTickSource(nullptr);
    setTimerDriver(nullptr);
}

int64_t VirtualTime::now() {
    if (!scripted_.empty()) {
        const int64_t tick = scripted_.front();
        scripted_.pop_front();
        return tick;
    }
    return nowUs_ * 60 / 1'000'000;
}

std::unique_ptr<TimerBackend> VirtualTime::makeBackend(Timer& timer) {
    return std::make_unique<Backend>(*this, timer);
}

void VirtualTime::advanceUs(int64_t us) {
    const int64_t target = nowUs_ + us;
    for (;;) {
        Entry* next = nullptr;
        for (Entry* e : entries_) {
            if (!e->running || e->dueUs > target) continue;
            if (!next || e->dueUs < next->dueUs || (e->dueUs == next->dueUs && e->order < next->order))
                next = e;
        }
        if (!next) break;
        nowUs_ = next->dueUs;
        // Rearm before firing, so that a handler that resets or stops its own
        // timer has the last word.
        next->dueUs += next->periodUs;
        next->order = sequence_++;
        next->timer->fire();
    }
    nowUs_ = target;
}

void VirtualTime::advanceMs(int64_t ms) { advanceUs(ms * 1000); }

void VirtualTime::advanceToTick(int64_t tick) {
    const int64_t targetUs = (tick * 1'000'000 + 59) / 60;
    if (targetUs > nowUs_) advanceUs(targetUs - nowUs_);
}

void VirtualTime::scriptTicks(std::initializer_list<int64_t> ticks) {
    scripted_.insert(scripted_.end(), ticks.begin(), ticks.end());
}

}  // namespace platform
