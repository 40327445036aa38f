// Notelink as the program loads it, over this machine's PortMidi (ALSA).
// The answers must be PortMidi's own; on a machine without MIDI devices
// there are none and every open fails.

#include "platform/pluginhost.h"
#include "platform/portmidiclasses.h"

#include <portmidi.h>

#include <gtest/gtest.h>

namespace {

class RealPortMidi : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(platform::loadPlugins(TAPTRELL_PROGRAM_DIR)); }
};

TEST_F(RealPortMidi, DeviceListIsPortMidis) {
    const auto pm = std::make_shared<PortMidiVLX>();
    const int64_t count = PortMidiVLX::CountDevices();
    EXPECT_EQ(count, Pm_CountDevices());
    for (int64_t id = 0; id < count; ++id) {
        SCOPED_TRACE(id);
        const PmDeviceInfo* entry = Pm_GetDeviceInfo(static_cast<PmDeviceID>(id));
        const auto info = PortMidiVLX::DeviceInfo(id);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Name(), QString::fromUtf8(entry->name));
        EXPECT_EQ(info->InterfaceName(), "ALSA");
        EXPECT_EQ(info->HasInput(), entry->input != 0);
        EXPECT_EQ(info->HasOutput(), entry->output != 0);
        EXPECT_NE(info->HasInput(), info->HasOutput());
    }
    EXPECT_EQ(PortMidiVLX::DeviceInfo(count), nullptr);
    EXPECT_EQ(PortMidiVLX::DefaultInputDeviceID(), Pm_GetDefaultInputDeviceID());
    EXPECT_EQ(PortMidiVLX::DefaultOutputDeviceID(), Pm_GetDefaultOutputDeviceID());
    if (count == 0) {
        EXPECT_EQ(PortMidiVLX::DeviceInfo(0), nullptr);
        EXPECT_EQ(PortMidiVLX::DefaultInputDeviceID(), -1);
    }
}

TEST_F(RealPortMidi, OpeningNoDeviceAnswersInvalidDeviceId) {
    auto s = std::make_shared<PortMidiStreamVLX>();
    EXPECT_EQ(s->OpenInput(PortMidiVLX::CountDevices(), 100), PortMidiVLX::pmInvalidDeviceId);
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->Poll(), -1);
    if (PortMidiVLX::CountDevices() == 0) {
        EXPECT_EQ(s->OpenInput(0, 100), PortMidiVLX::pmInvalidDeviceId);
    }
    s.reset();
}

TEST_F(RealPortMidi, ErrorTextsArePortMidis) {
    EXPECT_EQ(PortMidiVLX::ErrorText(0), "");
    EXPECT_EQ(PortMidiVLX::ErrorText(PortMidiVLX::pmInvalidDeviceId),
              QString::fromLatin1(Pm_GetErrorText(pmInvalidDeviceId)));
    EXPECT_EQ(PortMidiVLX::ErrorText(-1), QString::fromLatin1(Pm_GetErrorText(static_cast<PmError>(-1))));
    EXPECT_FALSE(PortMidiVLX::ErrorText(-1).isEmpty());
}

}  // namespace
