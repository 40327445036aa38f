#include "platform/ticks.h"

#include <chrono>

namespace platform {
namespace {

// Counts from one fixed origin and converts the whole elapsed time at every
// read, so no rounding accumulates however long the program runs.
class SteadyTicks final : public TickSource {
public:
    int64_t now() override {
        const auto elapsed = std::chrono::steady_clock::now() - origin_;
        const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
        return ns * 60 / 1'000'000'000;
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

void setTickSource(TickSource* source) { installed = source; }

}  // namespace platform
