#pragma once
// Key taps injected through the X server (XTest) at chosen moments, from a
// thread of its own with its own connection, so the program under test
// receives them as it would from a keyboard. Every injection's moment is
// recorded, in order.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

using SteadyTime = std::chrono::steady_clock::time_point;

class KeyInjector {
public:
    KeyInjector();  // throws std::runtime_error without an X server or XTest
    ~KeyInjector();
    KeyInjector(const KeyInjector&) = delete;
    KeyInjector& operator=(const KeyInjector&) = delete;

    // A key press and release at `when` (at once when it has passed).
    void schedule(SteadyTime when);
    // The moment the `index`-th key press was sent; false when it was not yet.
    bool injectedAt(size_t index, SteadyTime& moment) const;
    size_t injectedCount() const;
    // Taps scheduled and not yet sent.
    size_t pending() const;
    // Forgets the moments recorded so far (between runs, with nothing pending).
    void clearInjected();
    // CPU time this thread has used, so it can be left out of the program's.
    double cpuSeconds() const;

private:
    void run();

    void* display_ = nullptr;
    unsigned keycode_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<SteadyTime> queue_;
    std::vector<SteadyTime> injected_;
    bool quit_ = false;
    std::thread thread_;
};
