#pragma once
// When the sound device runs. An open device costs CPU and wake-ups even when
// it plays nothing (its thread mixes silence buffer after buffer), so it runs
// only while it is wanted: from a wake (a sound loaded or played) or while it
// is kept running, until what was played has died away. Starting it takes a
// moment, so whoever is about to play on time (a test, a replay) keeps it
// running beforehand.

namespace platform {

// The device that is switched.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool start() = 0;  // false when it cannot run
    virtual void stop() = 0;
    virtual bool sounding() = 0;  // whether any sound is still being mixed
};

class IdleCloser {
public:
    // Checks of nothing sounding in a row before the device stops: the last
    // buffers mixed are still on their way out at the first one.
    static constexpr int quietChecks = 2;

    explicit IdleCloser(SoundDevice& device) : device_(device) {}

    // Starts the device if it is stopped; whether it runs. A device that
    // could not be started the first time is not tried again (every sound is
    // then silent); one that ran before is tried again at the next wake, as
    // a sound server may be busy or restarting for a moment.
    bool wake();
    // While kept running the device never stops; keeping it running starts it.
    void keepRunning(bool on);
    // One look at an unkept device: stops it after `quietChecks` looks in a
    // row found nothing sounding.
    void check();

    bool running() const { return running_; }
    // Whether `check` has work to do: the device runs and is not kept running.
    bool needsChecks() const { return running_ && !kept_; }

private:
    SoundDevice& device_;
    bool running_ = false;
    bool failed_ = false;  // at the first start: there is no device
    bool ran_ = false;
    bool kept_ = false;
    int quiet_ = 0;
};

}  // namespace platform
