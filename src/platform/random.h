#pragma once
// The random-number source: whole numbers from an inclusive range.

#include <cstdint>
#include <optional>
#include <random>

namespace platform {

class Random {
public:
    // With no seed the source starts from the operating system's entropy;
    // tests give a seed to repeat a sequence.
    explicit Random(std::optional<uint64_t> seed = std::nullopt);
    virtual ~Random() = default;

    // A whole number from lo to hi, both ends included; lo when hi < lo.
    virtual int64_t InRange(int64_t lo, int64_t hi);

private:
    std::mt19937_64 engine_;
};

}  // namespace platform
