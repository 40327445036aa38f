#include "support/scriptedrandom.h"

#include <gtest/gtest.h>

int64_t ScriptedRandom::InRange(int64_t lo, int64_t hi) {
    ranges.emplace_back(lo, hi);
    if (script.empty()) return platform::Random::InRange(lo, hi);
    const int64_t value = script.front();
    script.pop_front();
    EXPECT_TRUE(value >= lo && value <= hi) << "scripted draw " << value << " outside " << lo << ".." << hi;
    return value;
}
