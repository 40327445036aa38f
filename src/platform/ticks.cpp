#include "platform/ticks.h"

#include <chrono>

namespace platform {
namespace {

// Counts from one fixed origin and converts the whole elapsed time at every
// read, so no rounding accumulates however long the program runs.
class SteadyTicks final : public TickSource {
public:
    int64_t now() override { return at(std::chrono::steady_clock::now()); }

    int64_t at(std::chrono::steady_clock::time_point moment) const {
        const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(moment - origin_).count();
        return ns * 60 / 1'000'000'000;
    }

    // The first nanosecond at which at() gives `tick`: ns * 60 / 1e9 >= tick.
    std::chrono::steady_clock::time_point moment(int64_t tick) const {
        const int64_t ns = (tick * 1'000'000'000 + 59) / 60;
        return origin_ + std::chrono::nanoseconds(ns);
    }

private:
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

SteadyTicks& steadyTicks() {
    static SteadyTicks ticks;
    return ticks;
}

TickSource* installed = nullptr;

}  // namespace

int64_t Ticks() { return installed ? installed->now() : steadyTicks().now(); }

std::chrono::steady_clock::time_point TickMoment(int64_t tick) { return steadyTicks().moment(tick); }

int64_t TickAt(std::chrono::steady_clock::time_point moment) { return steadyTicks().at(moment); }

void setTickSource(TickSource* source) { installed = source; }

}  // namespace platform
