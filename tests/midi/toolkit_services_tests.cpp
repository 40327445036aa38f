// Notelink over a toolkit that withholds one of its services: what needs
// the service yields nil, 0 or nothing, and nothing else breaks.

#include "midi_test_fixture.h"
#include "shim_loading.h"

#include "platform/exceptions.h"

#include <functional>

namespace {

struct WithheldCase {
    const char* name;
    const char* service;
    std::function<void()> check;
};

void PrintTo(const WithheldCase& c, std::ostream* out) { *out << c.name; }

// An open output on device 1 (device 0 is an input with a note waiting).
std::shared_ptr<PortMidiStreamVLX> openOutput() {
    auto s = std::make_shared<PortMidiStreamVLX>();
    EXPECT_EQ(s->OpenOutput(1, 0, 0), 0);
    return s;
}

const WithheldCase withheldCases[] = {
    {"ObjectCreate", "ObjectCreate",
     [] {
         EXPECT_EQ(PortMidiVLX::DeviceInfo(0), nullptr);
         EXPECT_EQ(PortMidiEventVLX::CurrentEvent(), nullptr);
         auto s = std::make_shared<PortMidiStreamVLX>();
         ASSERT_EQ(s->OpenInput(0, 100), 0);
         ASSERT_TRUE(portmidi_standin::deliverNoteOn(0, 60, 100, 5));
         std::shared_ptr<PortMidiEventVLX> data;
         EXPECT_EQ(s->Read(data), PortMidiVLX::pmInsufficientMemory)
             << "the event left the queue, but no object could carry it";
         EXPECT_EQ(data, nullptr);
         EXPECT_EQ(s->Poll(), 0);
         // No exception object can be made, so none is raised; nothing is written.
         EXPECT_EQ(s->WriteSysEx(0, nullptr, 0), -1);
     }},
    {"StringCreate", "StringCreate",
     [] {
         const auto info = PortMidiVLX::DeviceInfo(0);
         ASSERT_NE(info, nullptr);
         EXPECT_EQ(info->Name(), "");
         EXPECT_TRUE(info->HasInput());
         EXPECT_EQ(PortMidiVLX::ErrorText(PortMidiVLX::pmBadPtr), "");
     }},
    {"MemoryBlockData", "MemoryBlockData",
     [] {
         const QByteArray message("\xF0\x7D\xF7", 3);
         EXPECT_EQ(openOutput()->WriteSysEx(0, &message, 0), -1);
         EXPECT_TRUE(portmidi_standin::written().empty());
     }},
    {"StringLock", "StringLock",
     [] {
         EXPECT_EQ(openOutput()->WriteSysEx(0, QByteArray("\xF0\x7D\xF7", 3)), -1);
         EXPECT_TRUE(portmidi_standin::written().empty());
     }},
    {"RaiseException", "RaiseException",
     [] {
         const auto s = std::make_shared<PortMidiStreamVLX>();
         EXPECT_NO_THROW(EXPECT_EQ(s->WriteSysEx(0, nullptr, 0), -1));
     }},
};

class WithheldService : public MidiTest, public testing::WithParamInterface<WithheldCase> {};

TEST_P(WithheldService, YieldsNothingWhereItIsNeeded) {
    portmidi_standin::addInput("Keys");
    portmidi_standin::addOutput("Synth");
    ASSERT_TRUE(loadThroughShim({{"NOTELINK_SHIM_WITHHOLD", GetParam().service}}));
    GetParam().check();
}

INSTANTIATE_TEST_SUITE_P(Cases, WithheldService, testing::ValuesIn(withheldCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(MidiTest, ExceptionRaisedInTheLibraryIsThrownOnTheProgramsSide) {
    loadNotelink();
    const auto s = std::make_shared<PortMidiStreamVLX>();
    try {
        s->WriteSysEx(0, nullptr, 0);
        FAIL() << "no exception";
    } catch (const platform::NilObjectException& error) {
        EXPECT_STREQ(error.what(), "memoryblock is nil");
    }
    // Nothing stays pending: the next call comes back normally.
    EXPECT_NO_THROW(EXPECT_EQ(s->Poll(), -1));
}

}  // namespace
