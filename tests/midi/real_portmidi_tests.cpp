// Notelink as the program loads it, over this machine's PortMidi (ALSA).
// The answers must be PortMidi's own; on a machine without MIDI devices
// there are none and every open fails.

#include "platform/exceptions.h"
#include "platform/pluginhost.h"
#include "platform/portmidiclasses.h"

#include <portmidi.h>

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

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
        // ALSA's names are UTF-8; other bytes are read one character each.
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString name = utf8(QByteArrayView(entry->name));
        if (utf8.hasError())
            EXPECT_FALSE(info->Name().contains(QChar::ReplacementCharacter)) << info->Name().toStdString();
        else
            EXPECT_EQ(info->Name(), name);
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
    const int64_t count = PortMidiVLX::CountDevices();
    for (int64_t id : {count, int64_t{-1}, int64_t{1} << 32}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(s->OpenInput(id, 100), PortMidiVLX::pmInvalidDeviceId);
        EXPECT_EQ(s->OpenOutput(id, 100, 0), PortMidiVLX::pmInvalidDeviceId);
        EXPECT_EQ(s->DeviceID(), -1);
        EXPECT_EQ(s->Poll(), -1);
    }
    if (count == 0) {
        EXPECT_EQ(s->OpenInput(0, 100), PortMidiVLX::pmInvalidDeviceId);
        EXPECT_EQ(s->OpenOutput(0, 100, 0), PortMidiVLX::pmInvalidDeviceId);
    }
    s.reset();
}

// A stream object that holds nothing touches no PortMidi stream: every
// member answers as it does with no stream, whatever PortMidi would say.
TEST_F(RealPortMidi, EveryStreamMemberOnAStreamThatHoldsNothing) {
    auto s = std::make_shared<PortMidiStreamVLX>();
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->ChannelMask(), 0xFFFF);
    EXPECT_EQ(s->Filters(), 0);
    EXPECT_EQ(s->DeviceName(), "");
    EXPECT_EQ(s->HostError(), "");
    std::shared_ptr<PortMidiEventVLX> data = PortMidiEventVLX::CurrentEvent();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(s->Read(data), -1);
    EXPECT_EQ(data, nullptr) << "the event the argument held is let go even with no stream";
    const QByteArray sysex("\xF0\x7D\xF7", 3);
    const std::pair<const char*, std::function<int64_t()>> members[] = {
        {"Poll", [&] { return s->Poll(); }},
        {"Abort", [&] { return s->Abort(); }},
        {"SetFilter", [&] { return s->SetFilter(PortMidiStreamVLX::FilterNote); }},
        {"SetChannelMask", [&] { return s->SetChannelMask(1); }},
        {"WriteShort", [&] { return s->WriteShort(0, 0x403C90); }},
        {"Write", [&] { return s->Write(PortMidiEventVLX::CurrentEvent()); }},
        {"WriteSysEx string", [&] { return s->WriteSysEx(0, sysex); }},
        {"WriteSysEx block", [&] { return s->WriteSysEx(0, &sysex, 0); }},
    };
    for (const auto& [name, member] : members) EXPECT_EQ(member(), -1) << name;
    EXPECT_EQ(s->Filters(), 0);
    EXPECT_EQ(s->ChannelMask(), 0xFFFF);
    EXPECT_EQ(s->ErrorText(PortMidiVLX::pmBadPtr), QString::fromLatin1(Pm_GetErrorText(pmBadPtr)));
    try {
        s->WriteSysEx(0, nullptr, 0);
        ADD_FAILURE() << "no exception";
    } catch (const platform::NilObjectException& error) {
        EXPECT_STREQ(error.what(), "memoryblock is nil");
    }
    s->Close();
    s->Close();
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(PortMidiEventVLX::CurrentEvent()->RawMessage(), 0) << "nothing was written";
}

TEST_F(RealPortMidi, ErrorTextsArePortMidis) {
    EXPECT_EQ(PortMidiVLX::ErrorText(0), "");
    EXPECT_EQ(PortMidiVLX::ErrorText(PortMidiVLX::pmInvalidDeviceId),
              QString::fromLatin1(Pm_GetErrorText(pmInvalidDeviceId)));
    EXPECT_EQ(PortMidiVLX::ErrorText(-1), QString::fromLatin1(Pm_GetErrorText(static_cast<PmError>(-1))));
    EXPECT_FALSE(PortMidiVLX::ErrorText(-1).isEmpty());
}

// The library's export table holds its entry function and nothing else:
// not PortMidi's functions, not instances of the C++ runtime's templates.
TEST(NotelinkLibrary, ExportsOnlyItsEntryFunction) {
    const std::string command = std::string("nm -D --defined-only '") + TAPTRELL_PROGRAM_DIR + "/libNotelink.so'";
    FILE* nm = popen(command.c_str(), "r");
    ASSERT_NE(nm, nullptr);
    std::string exported;
    char line[512];
    while (std::fgets(line, sizeof line, nm) != nullptr) {
        std::string symbol(line);
        symbol = symbol.substr(symbol.find_last_of(' ') + 1);
        if (!symbol.empty() && symbol.back() == '\n') symbol.pop_back();
        exported += symbol + " ";
    }
    ASSERT_EQ(pclose(nm), 0) << command;
    EXPECT_EQ(exported, "PluginEntry ");
}

}  // namespace
