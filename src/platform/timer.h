#pragma once
// Timers of the event loop, with the semantics the handlers rely on: a mode
// (single shot or repeating), a period in milliseconds, Enabled, Reset and an
// Action. A single-shot timer switches itself off when it fires; a timer keeps
// its mode and period while it is off. On the real clock a repeating timer's
// Actions come on a grid phased to the tick counter (see timer.cpp), the first
// at least one period after it is enabled or reset.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class Timer;

// Runs a timer's countdown. The program uses kernel timers watched by the
// event loop (timer.cpp); tests install a virtual clock that fires due timers
// as it advances.
class TimerBackend {
public:
    virtual ~TimerBackend() = default;
    virtual void start(int periodMs) = 0;  // (re)starts the countdown: at least a period from now
    virtual void stop() = 0;
};

class TimerDriver {
public:
    virtual ~TimerDriver() = default;
    virtual std::unique_ptr<TimerBackend> makeBackend(Timer& timer) = 0;
};

// The first point of a repeating timer's grid (whole periods after the tick
// counter's origin) that lies at least one period after `nowNs`; all on the
// monotonic clock, in nanoseconds.
int64_t gridPointAfter(int64_t originNs, int64_t nowNs, int64_t periodNs);

// The driver that new timers are made with; nullptr restores the real one.
void setTimerDriver(TimerDriver* driver);
TimerDriver& timerDriver();

class Timer {
public:
    enum class Mode { Single, Multiple };

    // `name` is the handler's name, shown when an exception escapes it.
    Timer(std::string name, Mode mode, int periodMs);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::function<void()> Action;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    int Period() const { return periodMs_; }
    void setPeriod(int periodMs);
    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    // Restarts the countdown, so that at least a full period counts from now.
    void Reset();

    const std::string& name() const { return name_; }

    // Called by the backend when the period has run out.
    void fire();

private:
    std::string name_;
    Mode mode_;
    int periodMs_;
    bool enabled_ = false;
    std::unique_ptr<TimerBackend> backend_;
};

}  // namespace platform
