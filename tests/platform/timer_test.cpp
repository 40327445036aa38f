#include "platform/messagebox.h"
#include "platform/exceptions.h"
#include "platform/ticks.h"
#include "platform/timer.h"
#include "platform/virtualtime.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Timer;

class VirtualTimers : public testing::Test {
protected:
    platform::VirtualTime time;
};

TEST_F(VirtualTimers, TicksAreSixtiethsOfTheVirtualClock) {
    EXPECT_EQ(platform::Ticks(), 0);
    time.advanceMs(16);
    EXPECT_EQ(platform::Ticks(), 0);
    time.advanceMs(1);  // 17 ms: one sixtieth has passed
    EXPECT_EQ(platform::Ticks(), 1);
    time.advanceMs(60'000 - 17);
    EXPECT_EQ(platform::Ticks(), 3600);
    time.advanceToTick(3601);
    EXPECT_EQ(platform::Ticks(), 3601);
}

TEST_F(VirtualTimers, ScriptedReadsComeFirstThenTheClock) {
    time.advanceMs(1000);
    time.scriptTicks({100, 101});
    EXPECT_EQ(platform::Ticks(), 100);
    EXPECT_EQ(platform::Ticks(), 101);
    EXPECT_EQ(platform::Ticks(), 60);
}

TEST_F(VirtualTimers, RepeatingTimerFiresEveryPeriodWhileEnabled) {
    Timer timer("repeating", Timer::Mode::Multiple, 10);
    std::vector<int64_t> firedAtUs;
    timer.Action = [&] { firedAtUs.push_back(time.microseconds()); };
    time.advanceMs(50);
    EXPECT_TRUE(firedAtUs.empty()) << "a timer is off until enabled";
    timer.setEnabled(true);
    time.advanceMs(35);
    EXPECT_EQ(firedAtUs, (std::vector<int64_t>{60'000, 70'000, 80'000}));
    timer.setEnabled(false);
    time.advanceMs(100);
    EXPECT_EQ(firedAtUs.size(), 3u);
    EXPECT_EQ(timer.mode(), Timer::Mode::Multiple) << "keeps its mode while off";
}

TEST_F(VirtualTimers, SingleShotSwitchesItselfOffAndResetRestartsTheCountdown) {
    Timer timer("single", Timer::Mode::Single, 2000);
    int fired = 0;
    timer.Action = [&] { ++fired; };
    timer.setEnabled(true);
    time.advanceMs(1500);
    timer.Reset();  // a full period from now
    time.advanceMs(1999);
    EXPECT_EQ(fired, 0);
    time.advanceMs(1);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer.Enabled());
    time.advanceMs(5000);
    EXPECT_EQ(fired, 1);
    timer.setEnabled(true);  // switched on again, it fires again
    time.advanceMs(2000);
    EXPECT_EQ(fired, 2);
}

TEST_F(VirtualTimers, DueTimersFireInTimeOrderAndAHandlerCanStopAnother) {
    Timer fast("fast", Timer::Mode::Multiple, 10);
    Timer slow("slow", Timer::Mode::Single, 25);
    std::vector<std::string> order;
    fast.Action = [&] { order.push_back("fast"); };
    slow.Action = [&] {
        order.push_back("slow");
        fast.setEnabled(false);
    };
    fast.setEnabled(true);
    slow.setEnabled(true);
    time.advanceMs(100);
    EXPECT_EQ(order, (std::vector<std::string>{"fast", "fast", "slow"}));
}

TEST_F(VirtualTimers, AnExceptionInAnActionIsReportedAndTheTimerRunsOn) {
    std::vector<QString> shown;
    platform::setMessagePresenter([&](const QString& text) { shown.push_back(text); });
    Timer timer("Timer1_Action", Timer::Mode::Multiple, 10);
    int fired = 0;
    timer.Action = [&] {
        ++fired;
        throw platform::NilObjectException("no sound");
    };
    timer.setEnabled(true);
    time.advanceMs(20);
    platform::setMessagePresenter({});
    EXPECT_EQ(fired, 2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].contains("NilObjectException"));
    EXPECT_TRUE(shown[0].contains("Timer1_Action"));
}

// A repeating timer's first Action on the real clock: on its grid (whole
// periods after the tick origin) and never sooner than one period.
TEST(TimerGrid, FirstPointIsOnTheGridAtLeastOnePeriodAway) {
    constexpr int64_t ms = 1'000'000;
    struct Case {
        const char* what;
        int64_t origin, now, period, expected;
    };
    const Case cases[] = {
        {"enabled on a grid point: one whole period", 0, 50 * ms, 10 * ms, 60 * ms},
        {"just after a grid point: almost two periods", 0, 50 * ms + 1, 10 * ms, 70 * ms},
        {"just before a grid point: the point after it", 0, 50 * ms - 1, 10 * ms, 60 * ms},
        {"the grid follows the origin", 3 * ms + 7, 50 * ms, 10 * ms, 63 * ms + 7},
        {"enabled at the origin", 5 * ms, 5 * ms, 10 * ms, 15 * ms},
        {"another period", 0, 1999 * ms, 2000 * ms, 4000 * ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int64_t point = platform::gridPointAfter(c.origin, c.now, c.period);
        EXPECT_EQ(point, c.expected);
        EXPECT_GE(point - c.now, c.period);
        EXPECT_EQ((point - c.origin) % c.period, 0);
    }
}
