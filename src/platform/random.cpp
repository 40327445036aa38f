#include "platform/random.h"

namespace platform {

Random::Random(std::optional<uint64_t> seed)
    : engine_(seed ? *seed : (uint64_t(std::random_device{}()) << 32) ^ std::random_device{}()) {}

int64_t Random::InRange(int64_t lo, int64_t hi) {
    if (hi <= lo) return lo;
    return std::uniform_int_distribution<int64_t>(lo, hi)(engine_);
}

}  // namespace platform
