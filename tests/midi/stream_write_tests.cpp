// PortMidiStreamVLX over the stand-in: output, system-exclusive messages
// and the record of the last short message written.

#include "midi_test_fixture.h"

#include "platform/exceptions.h"
#include "platform/pluginhost_exceptions.h"
#include "platform/portmidiclasses_binding.h"

#include <functional>

namespace {

using portmidi_standin::Call;
using Kind = portmidi_standin::Written::Kind;

// Device 0 is an input, device 1 an output.
class StreamOutput : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        portmidi_standin::addInput("Keys");
        portmidi_standin::addOutput("Synth");
        loadNotelink();
    }

    static std::shared_ptr<PortMidiStreamVLX> openOutput(int64_t latency = 0) {
        auto s = std::make_shared<PortMidiStreamVLX>();
        EXPECT_EQ(s->OpenOutput(1, 64, latency), 0);
        return s;
    }

    static std::shared_ptr<PortMidiEventVLX> event(int64_t message, int64_t when) {
        auto e = std::make_shared<PortMidiEventVLX>();
        e->setRawMessage(message);
        e->setWhen(when);
        return e;
    }

    static int64_t current() { return PortMidiEventVLX::CurrentEvent()->RawMessage(); }
};

constexpr int64_t noteOn = 144 + 60 * 256 + 100 * 65536;

TEST_F(StreamOutput, OpenOutputHandsPortMidiTheDeviceBufferAndLatency) {
    const auto s = openOutput(25);
    EXPECT_EQ(s->DeviceID(), 1);
    const auto open = portmidi_standin::opens().back();
    EXPECT_FALSE(open.input);
    EXPECT_EQ(open.bufferSize, 64);
    EXPECT_EQ(open.latency, 25);
    EXPECT_FALSE(open.timeProc);
    EXPECT_EQ(s->OpenOutput(0, 64, 0), PortMidiVLX::pmInvalidDeviceId) << "device 0 is an input";
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->OpenOutput((int64_t{1} << 32) + 1, 64, 0), PortMidiVLX::pmInvalidDeviceId) << "not device 1";
    EXPECT_FALSE(portmidi_standin::isOpen(1));
}

TEST_F(StreamOutput, WriteShortBecomesTheCurrentEvent) {
    const auto s = openOutput();
    EXPECT_EQ(s->WriteShort(500, noteOn), 0);
    const auto written = portmidi_standin::written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].kind, Kind::Short);
    EXPECT_EQ(written[0].message, noteOn);
    EXPECT_EQ(written[0].timestamp, 500);

    const auto e = PortMidiEventVLX::CurrentEvent();
    EXPECT_EQ(e->Status(), 144);
    EXPECT_EQ(e->Data1(), 60);
    EXPECT_EQ(e->Data2(), 100);
    EXPECT_EQ(e->When(), 500);
    EXPECT_EQ(s->WriteSysEx(600, QByteArray("\xF0\x7D\x01\xF7", 4)), 0);
    EXPECT_EQ(current(), noteOn) << "system-exclusive messages are not recorded";
}

TEST_F(StreamOutput, WritePassesTheEventAndRecordsIt) {
    const auto s = openOutput();
    EXPECT_EQ(s->Write(event(0x00407FB0, 77)), 0);
    const auto written = portmidi_standin::written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].kind, Kind::Event);
    EXPECT_EQ(written[0].message, 0x00407FB0);
    EXPECT_EQ(written[0].timestamp, 77);
    EXPECT_EQ(current(), 0x00407FB0);
    EXPECT_EQ(PortMidiEventVLX::CurrentEvent()->When(), 77);
    EXPECT_EQ(s->Write(nullptr), -1);
}

// Which words written one after another become the current event.
TEST_F(StreamOutput, CurrentEventRecordsShortMessagesOutsideSystemExclusive) {
    struct Step {
        int64_t word;
        bool recorded;
    };
    const Step steps[] = {
        {0x00403C90, true},   // note-on
        {0x00000045, false},  // a data byte is no message
        {0x000000F8, true},   // clock, outside system exclusive
        {0x00000FF7, false},  // end of exclusive on its own
        {0x7D0201F0, false},  // system exclusive begins...
        {0x00403C90, false},  // ...its data...
        {0x000000F8, false},  // ...a clock inside it...
        {0x0003F703, false},  // ...and its end
        {0x00003CB0, true},   // control change
        {0x00F701F0, false},  // a whole short exclusive in one word
        {0x00000090, true},
    };
    const auto s = openOutput();
    int64_t expected = 0;
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(s->Write(event(steps[i].word, static_cast<int64_t>(i))), 0);
        if (steps[i].recorded) expected = steps[i].word;
        EXPECT_EQ(current(), expected);
    }
}

TEST_F(StreamOutput, RecordIsKeptWhenTheDriverFailsAfterwards) {
    const auto s = openOutput();
    portmidi_standin::failNext(Call::WriteShort, pmHostError, "Host error: port gone");
    EXPECT_EQ(s->WriteShort(9, noteOn), PortMidiVLX::pmHostError);
    EXPECT_EQ(current(), noteOn);
    EXPECT_EQ(s->HostError(), "Host error: port gone");
}

TEST_F(StreamOutput, OutputMembersOnAnInputStreamAnswerBadPtrAndRecordNothing) {
    const auto s = std::make_shared<PortMidiStreamVLX>();
    ASSERT_EQ(s->OpenInput(0, 100), 0);
    EXPECT_EQ(s->WriteShort(0, noteOn), PortMidiVLX::pmBadPtr);
    EXPECT_EQ(s->Write(event(noteOn, 0)), PortMidiVLX::pmBadPtr);
    EXPECT_EQ(s->Abort(), PortMidiVLX::pmBadPtr);
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(PortMidiEventVLX::CurrentEvent()->When(), 0);
}

TEST_F(StreamOutput, RecordOutlivesItsStreamAndIsCopiedOut) {
    auto s = openOutput();
    s->WriteShort(3, noteOn);
    s.reset();
    const auto first = PortMidiEventVLX::CurrentEvent();
    first->setStatus(0x80);
    EXPECT_EQ(current(), noteOn) << "changing the copy leaves the record alone";
}

TEST_F(StreamOutput, SysExFromABlockStartsAtTheOffset) {
    const auto s = openOutput();
    const QByteArray block("\x00\xF0\x7D\x01\xF7\x55", 6);
    EXPECT_EQ(s->WriteSysEx(42, &block, 1), 0);
    const auto written = portmidi_standin::written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].kind, Kind::SysEx);
    EXPECT_EQ(written[0].timestamp, 42);
    EXPECT_EQ(written[0].bytes, (std::vector<unsigned char>{0xF0, 0x7D, 0x01, 0xF7}));
}

TEST_F(StreamOutput, SysExStringBytesGoOutUnconverted) {
    const auto s = openOutput();
    EXPECT_EQ(s->WriteSysEx(7, QByteArray("\xF0\xE9\x00\x7F\xF7", 5)), 0);
    EXPECT_EQ(portmidi_standin::written().at(0).bytes, (std::vector<unsigned char>{0xF0, 0xE9, 0x00, 0x7F, 0xF7}));
    EXPECT_EQ(s->WriteSysEx(7, QByteArray()), -1) << "the empty string is no message";
}

// PortMidi reads up to the first 0xF7 whatever lies beyond: a message
// without one inside the bytes given must not reach it.
TEST_F(StreamOutput, SysExThatDoesNotEndInsideItsBytesIsRefused) {
    const auto s = openOutput();
    const QByteArray block("\xF0\x7D\xF7\x01", 4);
    const int64_t offsets[] = {3, 4, 100, -1};
    for (int64_t offset : offsets) EXPECT_EQ(s->WriteSysEx(0, &block, offset), PortMidiVLX::pmBadData) << offset;
    EXPECT_EQ(s->WriteSysEx(0, QByteArray("\xF0\x7D\x01", 3)), PortMidiVLX::pmBadData);
    EXPECT_TRUE(portmidi_standin::written().empty());
}

TEST_F(StreamOutput, NilBlockRaisesNilObjectWithOrWithoutAStream) {
    const auto s = std::make_shared<PortMidiStreamVLX>();
    for (bool open : {false, true}) {
        SCOPED_TRACE(open);
        if (open) {
            ASSERT_EQ(s->OpenOutput(1, 0, 0), 0);
        }
        try {
            s->WriteSysEx(0, nullptr, 0);
            ADD_FAILURE() << "no exception";
        } catch (const platform::NilObjectException& error) {
            EXPECT_STREQ(error.what(), "memoryblock is nil");
        }
    }
    EXPECT_TRUE(portmidi_standin::written().empty());
}

// Beneath the exception the program throws, the library's own answer says
// that nothing was written.
TEST_F(StreamOutput, NilBlockAnswersMinusOneAsWellAsRaising) {
    using platform::portmidi::function;
    const auto writeSysExBlock = function<int64_t(PluginObject*, int64_t, PluginObject*, int64_t)>(
        platform::portmidi::StreamWriteSysExBlock);
    const platform::plugin::ObjectRef s =
        platform::plugin::ObjectRef::adopt(platform::plugin::createObject(*platform::portmidi::bound()->streamClass));
    for (int64_t offset : {0, 5}) {
        EXPECT_EQ(writeSysExBlock(s.get(), 0, nullptr, offset), -1);
        EXPECT_THROW(platform::plugin::throwPendingException(), platform::NilObjectException);
    }
}

TEST_F(StreamOutput, AbortOnAnOutputIsPortMidis) {
    const auto s = openOutput();
    EXPECT_EQ(s->Abort(), 0);
    portmidi_standin::failNext(Call::Abort, pmHostError);
    EXPECT_EQ(s->Abort(), PortMidiVLX::pmHostError);
}

}  // namespace
