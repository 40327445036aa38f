// The real tick counter seen from outside: the moment a tick begins and the
// tick a moment falls in agree with each other at every tick.

#include "platform/ticks.h"

#include <gtest/gtest.h>

TEST(RealTicks, EachTickBeginsAtItsMomentAndNotANanosecondEarlier) {
    for (int64_t tick : {int64_t(0), int64_t(1), int64_t(2), int64_t(59), int64_t(60), int64_t(61),
                         int64_t(3599), int64_t(216'000'000)}) {
        SCOPED_TRACE(tick);
        const auto moment = platform::TickMoment(tick);
        EXPECT_EQ(platform::TickAt(moment), tick);
        // (Before the counter's origin there is no tick to fall in.)
        if (tick > 0) {
            EXPECT_EQ(platform::TickAt(moment - std::chrono::nanoseconds(1)), tick - 1);
        }
        // A tick lasts a sixtieth of a second, give or take the nanosecond
        // that the division rounds to.
        const auto length = platform::TickMoment(tick + 1) - moment;
        EXPECT_GE(length, std::chrono::nanoseconds(16'666'666));
        EXPECT_LE(length, std::chrono::nanoseconds(16'666'667));
    }
}

TEST(RealTicks, TheCounterReadsTheTickOfTheMomentItIsRead) {
    const auto before = std::chrono::steady_clock::now();
    const int64_t read = platform::Ticks();
    const auto after = std::chrono::steady_clock::now();
    EXPECT_LE(platform::TickAt(before), read);
    EXPECT_GE(platform::TickAt(after), read);
}
