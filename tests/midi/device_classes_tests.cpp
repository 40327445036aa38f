// PortMidiVLX and PortMidiDeviceInfoVLX over the stand-in: the device list,
// PortMidi's once-only initialisation, defaults and error texts.

#include "midi_test_fixture.h"

#include <functional>

namespace {

using Devices = MidiTest;

TEST_F(Devices, NoDeviceAtAll) {
    loadNotelink();
    EXPECT_EQ(PortMidiVLX::CountDevices(), 0);
    EXPECT_EQ(PortMidiVLX::DeviceInfo(0), nullptr);
    EXPECT_EQ(PortMidiVLX::DefaultInputDeviceID(), PortMidiVLX::pmNoDevice);
    EXPECT_EQ(PortMidiVLX::DefaultOutputDeviceID(), PortMidiVLX::pmNoDevice);
}

TEST_F(Devices, EachEntryDescribesOneDeviceInListOrder) {
    struct Expected {
        const char* name;
        bool input;
    };
    const Expected devices[] = {{"Through Port", false}, {"Keys", true}, {"Synth", false}, {"Pads", true}};
    for (const Expected& device : devices)
        device.input ? portmidi_standin::addInput(device.name) : portmidi_standin::addOutput(device.name);
    loadNotelink();

    ASSERT_EQ(PortMidiVLX::CountDevices(), 4);
    for (int64_t id = 0; id < 4; ++id) {
        SCOPED_TRACE(id);
        const auto info = PortMidiVLX::DeviceInfo(id);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Name(), devices[id].name);
        EXPECT_EQ(info->InterfaceName(), "ALSA");
        EXPECT_EQ(info->HasInput(), devices[id].input);
        EXPECT_EQ(info->HasOutput(), !devices[id].input);
    }
    EXPECT_EQ(PortMidiVLX::DefaultInputDeviceID(), 1);
    EXPECT_EQ(PortMidiVLX::DefaultOutputDeviceID(), 0);
}

TEST_F(Devices, IdsOutsideTheListGiveNil) {
    portmidi_standin::addInput("Keys");
    portmidi_standin::addInput("Pads");
    loadNotelink();
    // 2^32 would be device 0 if it were cut down to 32 bits.
    for (int64_t id : {int64_t{-1}, int64_t{2}, int64_t{1} << 32, (int64_t{1} << 32) + 1, INT64_MIN}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(PortMidiVLX::DeviceInfo(id), nullptr);
    }
}

// ALSA's names are UTF-8; bytes that are not valid UTF-8 are read as
// Windows Latin-1, one character each, both in the device list and as the
// name of the device a stream holds.
TEST_F(Devices, NamesAreUtf8WhereValidElseWindowsLatin1) {
    struct Case {
        const char* bytes;
        const char* text;  // as UTF-8
    };
    const Case cases[] = {
        {"Keys", "Keys"},
        {"Fl\xC3\xBCgel \xE2\x80\x93 MIDI 1", "Flügel – MIDI 1"},
        {"\xF0\x9F\x8E\xB9 Piano", "🎹 Piano"},
        {"Fl\xFCgel", "Flügel"},                   // Latin-1
        {"\x80 Synth \x99", "€ Synth ™"},          // Windows' own codes
        {"Cut \xC3", "Cut Ã"},                     // a sequence cut short
        {"\xC3\xBC\xC3", "Ã¼Ã"},                  // one bad sequence spoils the whole name
        {"Over \xC0\xAF", "Over À¯"},              // an overlong form
        {"Sur \xED\xA0\x80", "Sur í\xC2\xA0\xE2\x82\xAC"},  // a surrogate
        {"Far \xF4\x90\x80\x80", "Far ô\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},  // beyond U+10FFFF
        {"Lone \xBF", "Lone ¿"},                   // a continuation byte alone
    };
    for (const Case& c : cases) portmidi_standin::addInput(c.bytes);
    loadNotelink();
    for (size_t id = 0; id < std::size(cases); ++id) {
        SCOPED_TRACE(cases[id].text);
        const auto info = PortMidiVLX::DeviceInfo(static_cast<int64_t>(id));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Name(), QString::fromUtf8(cases[id].text));
        const auto s = std::make_shared<PortMidiStreamVLX>();
        ASSERT_EQ(s->OpenInput(static_cast<int64_t>(id), 100), 0);
        EXPECT_EQ(s->DeviceName(), QString::fromUtf8(cases[id].text));
    }
}

TEST_F(Devices, FirstUseInitialisesPortMidiOnceAndTheListStaysAsBuilt) {
    portmidi_standin::addInput("Keys");
    loadNotelink();
    const auto first = std::make_shared<PortMidiVLX>();
    EXPECT_EQ(portmidi_standin::initializeCalls(), 1);
    portmidi_standin::addInput("Plugged in later");
    const auto second = std::make_shared<PortMidiVLX>();
    const auto stream = std::make_shared<PortMidiStreamVLX>();
    EXPECT_EQ(PortMidiVLX::CountDevices(), 1);
    EXPECT_EQ(PortMidiVLX::Initialize(), 0);
    EXPECT_EQ(portmidi_standin::initializeCalls(), 1);

    EXPECT_EQ(PortMidiVLX::ReInitialize(), 0);
    EXPECT_EQ(portmidi_standin::terminateCalls(), 1);
    EXPECT_EQ(PortMidiVLX::CountDevices(), 2);
    EXPECT_EQ(PortMidiVLX::DeviceInfo(1)->Name(), "Plugged in later");
}

TEST_F(Devices, EachFirstUseBringsPortMidiUp) {
    const std::function<void()> firstUses[] = {
        [] { PortMidiVLX pm; },
        [] { PortMidiStreamVLX s; },
        [] { PortMidiVLX::CountDevices(); },
        [] { PortMidiVLX::DeviceInfo(0); },
        [] { PortMidiVLX::DefaultInputDeviceID(); },
        [] { PortMidiVLX::DefaultOutputDeviceID(); },
        [] { PortMidiVLX::ErrorText(0); },
        [] { EXPECT_EQ(PortMidiVLX::Initialize(), 0); },
    };
    for (size_t i = 0; i < std::size(firstUses); ++i) {
        SCOPED_TRACE(i);
        portmidi_standin::reset();
        loadNotelink();
        firstUses[i]();
        EXPECT_TRUE(portmidi_standin::initialized());
        EXPECT_EQ(portmidi_standin::initializeCalls(), 1);
    }
}

TEST_F(Devices, FailedInitialisationIsTriedAgainOnTheNextUse) {
    portmidi_standin::addInput("Keys");
    loadNotelink();
    portmidi_standin::failNext(portmidi_standin::Call::Initialize, pmInsufficientMemory);
    EXPECT_EQ(PortMidiVLX::CountDevices(), 0);
    EXPECT_EQ(PortMidiVLX::CountDevices(), 1);
    EXPECT_EQ(portmidi_standin::initializeCalls(), 2);
    EXPECT_EQ(PortMidiVLX::CountDevices(), 1);
    EXPECT_EQ(portmidi_standin::initializeCalls(), 2);
}

TEST_F(Devices, InitializeAnswersPortMidiUntilItHasSucceeded) {
    loadNotelink();
    portmidi_standin::failNext(portmidi_standin::Call::Initialize, pmInsufficientMemory);
    EXPECT_EQ(PortMidiVLX::Initialize(), PortMidiVLX::pmInsufficientMemory);
    EXPECT_EQ(PortMidiVLX::Initialize(), 0);
    EXPECT_EQ(PortMidiVLX::Initialize(), 0);
    EXPECT_EQ(portmidi_standin::initializeCalls(), 2);
    portmidi_standin::failNext(portmidi_standin::Call::Initialize, pmInsufficientMemory);
    EXPECT_EQ(PortMidiVLX::ReInitialize(), PortMidiVLX::pmInsufficientMemory);
}

TEST_F(Devices, EntryTakenBeforeReInitializeNoLongerDescribesADevice) {
    portmidi_standin::addInput("Keys");
    loadNotelink();
    const auto info = PortMidiVLX::DeviceInfo(0);
    ASSERT_EQ(info->Name(), "Keys");
    PortMidiVLX::ReInitialize();
    EXPECT_EQ(info->Name(), "");
    EXPECT_EQ(info->InterfaceName(), "");
    EXPECT_FALSE(info->HasInput());
    EXPECT_FALSE(info->HasOutput());
    EXPECT_EQ(PortMidiVLX::DeviceInfo(0)->Name(), "Keys");
}

TEST_F(Devices, ErrorTextsArePortMidis) {
    loadNotelink();
    struct Case {
        int64_t code;
        PmError asPortMidiHasIt;
    };
    const Case cases[] = {
        {PortMidiVLX::pmHostError, pmHostError},
        {PortMidiVLX::pmInvalidDeviceId, pmInvalidDeviceId},
        {PortMidiVLX::pmBufferOverflow, pmBufferOverflow},
        {PortMidiVLX::pmBadPtr, pmBadPtr},
        {PortMidiVLX::pmBufferMaxSize, pmBufferMaxSize},
        {-1, static_cast<PmError>(-1)},
        {PortMidiVLX::pmBadPtr + (int64_t{1} << 32), pmBadPtr},  // narrowed to 32 bits
        {0x12345678, static_cast<PmError>(-16384)},              // no code at all
    };
    const auto s = std::make_shared<PortMidiStreamVLX>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const QString expected = QString::fromLatin1(Pm_GetErrorText(c.asPortMidiHasIt));
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(PortMidiVLX::ErrorText(c.code), expected);
        EXPECT_EQ(s->ErrorText(c.code), expected);
    }
    EXPECT_EQ(PortMidiVLX::ErrorText(0), "");
}

}  // namespace
