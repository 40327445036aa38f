#pragma once
// Each test starts from an empty PortMidi stand-in, and ends with every
// toolkit object it made released again: a reference Notelink or the host
// forgets shows up as a failure of the test that made it.

#include "midi/standin/notelink_standin.h"
#include "midi/standin/portmidi_standin.h"
#include "platform/pluginhost_objects.h"
#include "platform/portmidiclasses.h"

#include <gtest/gtest.h>

// PortMidi's macro of this name would hide the class constant the tests mean.
#undef pmNoDevice

class MidiTest : public ::testing::Test {
protected:
    void SetUp() override {
        portmidi_standin::reset();
        liveObjects_ = platform::plugin::liveObjectCount();
    }

    void TearDown() override {
        EXPECT_EQ(platform::plugin::liveObjectCount(), liveObjects_) << "toolkit objects left unreleased";
    }

    // A new Notelink over the stand-in, bound to the program's classes.
    static void loadNotelink() { ASSERT_TRUE(portmidi_standin::loadFreshNotelink()); }

private:
    int64_t liveObjects_ = 0;
};
