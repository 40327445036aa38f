#include "platform/idlecloser.h"

#include <gtest/gtest.h>

namespace {

class FakeDevice final : public platform::SoundDevice {
public:
    bool start() override {
        ++starts;
        running = canstart;
        return canstart;
    }
    void stop() override {
        ++stops;
        running = false;
    }
    bool sounding() override { return running && playing; }

    bool canstart = true;
    bool running = false;
    bool playing = false;
    int starts = 0;
    int stops = 0;
};

class IdleCloserTest : public testing::Test {
protected:
    void checks(int n) {
        for (int i = 0; i < n; ++i) closer.check();
    }
    FakeDevice device;
    platform::IdleCloser closer{device};
};

}  // namespace

TEST_F(IdleCloserTest, NothingRunsUntilWantedAndADeviceKeptRunningNeverStops) {
    checks(5);
    EXPECT_EQ(device.starts, 0) << "at rest the device is never started";
    closer.keepRunning(true);
    EXPECT_TRUE(device.running) << "keeping it running starts it at once";
    checks(10);
    EXPECT_TRUE(device.running) << "silence while kept running does not stop it";
    EXPECT_TRUE(closer.wake());
    EXPECT_EQ(device.starts, 1);
}

TEST_F(IdleCloserTest, ReleasedItStopsOnlyOnceNothingHasSoundedForTwoChecks) {
    closer.keepRunning(true);
    device.playing = true;  // the last click still rings
    closer.keepRunning(false);
    checks(5);
    EXPECT_TRUE(device.running) << "a sound still playing is never cut";
    device.playing = false;
    checks(platform::IdleCloser::quietChecks - 1);
    EXPECT_TRUE(device.running) << "the last buffers may still be on their way out";
    closer.check();
    EXPECT_FALSE(device.running);
    EXPECT_EQ(device.stops, 1);
    EXPECT_FALSE(closer.needsChecks());
}

TEST_F(IdleCloserTest, AWakeOrAKeepBetweenChecksStartsTheCountAgain) {
    closer.wake();  // a sound loaded or played at rest
    checks(platform::IdleCloser::quietChecks - 1);
    closer.wake();  // another one
    checks(platform::IdleCloser::quietChecks - 1);
    EXPECT_TRUE(device.running);
    closer.keepRunning(true);
    closer.keepRunning(false);
    checks(platform::IdleCloser::quietChecks - 1);
    EXPECT_TRUE(device.running);
    closer.check();
    EXPECT_FALSE(device.running);
    EXPECT_TRUE(closer.wake()) << "a play after the stop starts the device again";
    EXPECT_EQ(device.starts, 2);
}

TEST_F(IdleCloserTest, ADeviceThatNeverStartedIsNotTriedAgain) {
    device.canstart = false;
    EXPECT_FALSE(closer.wake());
    closer.keepRunning(true);
    EXPECT_FALSE(closer.wake());
    EXPECT_EQ(device.starts, 1);
    EXPECT_FALSE(closer.needsChecks());
}

TEST_F(IdleCloserTest, ADeviceThatRanBeforeIsTriedAgainAfterAFailedStart) {
    closer.wake();
    checks(platform::IdleCloser::quietChecks);
    ASSERT_FALSE(device.running);
    device.canstart = false;  // the sound server is restarting
    EXPECT_FALSE(closer.wake());
    device.canstart = true;
    EXPECT_TRUE(closer.wake()) << "the next sound is heard again";
    EXPECT_EQ(device.starts, 3);
}
