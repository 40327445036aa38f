#pragma once
// A random source whose draws a test can script: each InRange answers the
// next scripted value (checked against the range), and a seeded draw once the
// script is used up.

#include "platform/random.h"

#include <deque>
#include <utility>
#include <vector>

class ScriptedRandom : public platform::Random {
public:
    ScriptedRandom() : platform::Random(12345) {}

    int64_t InRange(int64_t lo, int64_t hi) override;

    std::deque<int64_t> script;
    std::vector<std::pair<int64_t, int64_t>> ranges;  // every range asked for, in order
};
