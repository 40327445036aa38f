// PortMidiStreamVLX over the stand-in: owning, opening and closing a
// stream, and reading input from it.

#include "midi_test_fixture.h"

#include <functional>

namespace {

using portmidi_standin::Call;

// Device 0 and 2 are inputs, device 1 an output.
class Stream : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        portmidi_standin::addInput("Keys");
        portmidi_standin::addOutput("Synth");
        portmidi_standin::addInput("Pads");
        loadNotelink();
    }

    static std::shared_ptr<PortMidiStreamVLX> openInput(int64_t id, int64_t bufferSize = 100) {
        auto s = std::make_shared<PortMidiStreamVLX>();
        EXPECT_EQ(s->OpenInput(id, bufferSize), 0);
        return s;
    }
};

TEST_F(Stream, NewObjectHoldsNoStream) {
    const auto s = std::make_shared<PortMidiStreamVLX>();
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->ChannelMask(), 0xFFFF);
    EXPECT_EQ(s->Filters(), 0);
    EXPECT_EQ(s->HostError(), "");
    EXPECT_EQ(s->DeviceName(), "");
    auto data = std::make_shared<PortMidiEventVLX>();
    EXPECT_EQ(s->Read(data), -1);
    EXPECT_EQ(data, nullptr);
    const std::pair<const char*, std::function<int64_t()>> numericMembers[] = {
        {"Poll", [&] { return s->Poll(); }},
        {"Abort", [&] { return s->Abort(); }},
        {"SetFilter", [&] { return s->SetFilter(PortMidiStreamVLX::FilterNote); }},
        {"SetChannelMask", [&] { return s->SetChannelMask(1); }},
        {"WriteShort", [&] { return s->WriteShort(0, 0x90); }},
        {"Write", [&] { return s->Write(std::make_shared<PortMidiEventVLX>()); }},
        {"WriteSysEx string", [&] { return s->WriteSysEx(0, QByteArray("\xF0\xF7", 2)); }},
        {"WriteSysEx block", [&] {
             const QByteArray block("\xF0\xF7", 2);
             return s->WriteSysEx(0, &block, 0);
         }},
    };
    for (const auto& [name, member] : numericMembers) EXPECT_EQ(member(), -1) << name;
    EXPECT_EQ(s->Filters(), 0) << "a filter set with no stream must not stick";
    EXPECT_EQ(s->ChannelMask(), 0xFFFF);
    s->Close();
    EXPECT_EQ(portmidi_standin::staleStreamCalls(), 0);
}

TEST_F(Stream, OpenInputHandsPortMidiTheDeviceAndBufferWithoutTimeProcedure) {
    const auto s = openInput(2, 100);
    EXPECT_EQ(s->DeviceID(), 2);
    EXPECT_EQ(s->DeviceName(), "Pads");
    EXPECT_TRUE(portmidi_standin::isOpen(2));
    const auto open = portmidi_standin::opens().back();
    EXPECT_EQ(open.deviceId, 2);
    EXPECT_TRUE(open.input);
    EXPECT_EQ(open.bufferSize, 100);
    EXPECT_FALSE(open.driverInfo);
    EXPECT_FALSE(open.timeProc);
}

struct FailedOpenCase {
    const char* name;
    int64_t device;
    bool takenByAnotherObject;
};

void PrintTo(const FailedOpenCase& c, std::ostream* out) { *out << c.name; }

const FailedOpenCase failedOpenCases[] = {
    {"OutputDevice", 1, false},
    {"PastTheLastDevice", 3, false},
    {"NegativeId", -1, false},
    {"IdBeyond32Bits", int64_t{1} << 32, false},  // not device 0
    {"OpenInAnotherObject", 2, true},
};

class FailedOpen : public Stream, public testing::WithParamInterface<FailedOpenCase> {};

TEST_P(FailedOpen, AnswersInvalidDeviceAndStillClosesTheStreamHeld) {
    const auto other = GetParam().takenByAnotherObject ? openInput(GetParam().device) : nullptr;
    const auto s = openInput(0);
    EXPECT_EQ(s->OpenInput(GetParam().device, 100), PortMidiVLX::pmInvalidDeviceId);
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->Poll(), -1);
    EXPECT_FALSE(portmidi_standin::isOpen(0)) << "the device held before the open stays closed";
    if (other) {
        EXPECT_EQ(other->DeviceID(), GetParam().device) << "the other object keeps its stream";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedOpen, testing::ValuesIn(failedOpenCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Stream, OpeningTheDeviceHeldClosesItAndOpensItAgain) {
    const auto s = openInput(0);
    EXPECT_EQ(s->OpenInput(0, 50), 0);
    EXPECT_EQ(s->DeviceID(), 0);
    EXPECT_EQ(portmidi_standin::opens().size(), 2u);
    EXPECT_EQ(portmidi_standin::opens().back().bufferSize, 50);
    EXPECT_EQ(portmidi_standin::staleStreamCalls(), 0);
}

TEST_F(Stream, CloseLetsGoOfTheDeviceForThisObjectOrAnother) {
    const auto s = openInput(0);
    const auto other = std::make_shared<PortMidiStreamVLX>();
    s->Close();
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->Poll(), -1);
    EXPECT_FALSE(portmidi_standin::isOpen(0));
    s->Close();
    EXPECT_EQ(other->OpenInput(0, 100), 0);
    EXPECT_EQ(s->OpenInput(0, 100), PortMidiVLX::pmInvalidDeviceId);
    other->Close();
    EXPECT_EQ(s->OpenInput(0, 100), 0);
    EXPECT_EQ(portmidi_standin::staleStreamCalls(), 0);
}

// The program's start-up: one object per input device, each replacing the
// last in the same variable, so only the last device stays open.
TEST_F(Stream, DroppingTheLastReferenceClosesTheStream) {
    std::shared_ptr<PortMidiStreamVLX> s;
    for (int64_t id : {0, 2}) {
        s = std::make_shared<PortMidiStreamVLX>();
        EXPECT_EQ(s->OpenInput(id, 100), 0);
    }
    EXPECT_FALSE(portmidi_standin::isOpen(0));
    EXPECT_TRUE(portmidi_standin::isOpen(2));
    const auto copy = s;
    s.reset();
    EXPECT_TRUE(portmidi_standin::isOpen(2)) << "another reference still holds it";
    EXPECT_EQ(copy->DeviceID(), 2);
}

TEST_F(Stream, DestroyingAClosedStreamDoesNothingMore) {
    auto s = openInput(0);
    s->Close();
    s.reset();
    EXPECT_EQ(portmidi_standin::staleStreamCalls(), 0);
}

TEST_F(Stream, OpenThatFailsWithAHostErrorLeavesNoHostErrorToFetch) {
    const auto s = std::make_shared<PortMidiStreamVLX>();
    portmidi_standin::failNext(Call::OpenInput, pmHostError, "Host error: no such port");
    EXPECT_EQ(s->OpenInput(0, 100), PortMidiVLX::pmHostError);
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->HostError(), "");
}

TEST_F(Stream, HostErrorIsFetchedOnce) {
    const auto s = openInput(0);
    EXPECT_EQ(s->HostError(), "");
    portmidi_standin::setHostError("Host error: port unsubscribed");
    EXPECT_EQ(s->HostError(), "Host error: port unsubscribed");
    EXPECT_EQ(s->HostError(), "");
}

TEST_F(Stream, ReadGivesEachWaitingEventThenNil) {
    const auto s = openInput(0);
    EXPECT_EQ(s->Poll(), 0);
    ASSERT_TRUE(portmidi_standin::deliverNoteOn(0, 60, 100, 1234));
    ASSERT_TRUE(portmidi_standin::deliver(0, Pm_Message(0x80, 60, 0), 1300));
    EXPECT_EQ(s->Poll(), 1);

    std::shared_ptr<PortMidiEventVLX> data;
    ASSERT_EQ(s->Read(data), 1);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Status(), 144);
    EXPECT_EQ(data->Data1(), 60);
    EXPECT_EQ(data->Data2(), 100);
    EXPECT_EQ(data->When(), 1234);

    const auto first = data;
    ASSERT_EQ(s->Read(data), 1);
    EXPECT_NE(data, first);
    EXPECT_EQ(data->Status(), 0x80);
    EXPECT_EQ(data->When(), 1300);
    EXPECT_EQ(first->Status(), 144) << "an event the program still holds stays as it was";

    EXPECT_EQ(s->Poll(), 0);
    EXPECT_EQ(s->Read(data), 0);
    EXPECT_EQ(data, nullptr);
}

TEST_F(Stream, EventStaysValidAfterItsStreamIsGone) {
    auto s = openInput(0);
    portmidi_standin::deliverNoteOn(0, 64, 90, 10);
    std::shared_ptr<PortMidiEventVLX> data;
    ASSERT_EQ(s->Read(data), 1);
    s.reset();
    EXPECT_EQ(data->Data1(), 64);
    EXPECT_EQ(data->Data2(), 90);
}

TEST_F(Stream, FullQueueLosesEventsAndReadReportsTheLossOnceWhereItHappened) {
    const auto s = openInput(0, 2);
    EXPECT_TRUE(portmidi_standin::deliverNoteOn(0, 60, 100, 1));
    EXPECT_TRUE(portmidi_standin::deliverNoteOn(0, 62, 100, 2));
    EXPECT_FALSE(portmidi_standin::deliverNoteOn(0, 64, 100, 3));
    std::shared_ptr<PortMidiEventVLX> data;
    EXPECT_EQ(s->Read(data), 1);
    EXPECT_EQ(s->Read(data), 1);
    EXPECT_EQ(data->Data1(), 62);
    EXPECT_EQ(s->Read(data), PortMidiVLX::pmBufferOverflow);
    EXPECT_EQ(data, nullptr);
    EXPECT_TRUE(portmidi_standin::deliverNoteOn(0, 65, 100, 4));
    EXPECT_EQ(s->Read(data), 1);
    EXPECT_EQ(data->Data1(), 65);
    EXPECT_EQ(s->Read(data), 0);
}

TEST_F(Stream, PortMidiErrorsPassThroughUnchanged) {
    const auto s = openInput(0);
    const std::pair<Call, std::function<int64_t()>> members[] = {
        {Call::Poll, [&] { return s->Poll(); }},
        {Call::Read, [&] {
             std::shared_ptr<PortMidiEventVLX> data;
             return s->Read(data);
         }},
        {Call::SetFilter, [&] { return s->SetFilter(PortMidiStreamVLX::FilterNote); }},
        {Call::SetChannelMask, [&] { return s->SetChannelMask(1); }},
    };
    for (const auto& [call, member] : members) {
        for (PmError code : {pmHostError, pmInternalError, pmBadPtr}) {
            portmidi_standin::failNext(call, code);
            EXPECT_EQ(member(), code);
        }
    }
    EXPECT_EQ(s->Filters(), 0) << "a mask PortMidi refused is not kept";
    EXPECT_EQ(s->ChannelMask(), 0xFFFF);
}

TEST_F(Stream, InputMembersOnAnOutputStreamAnswerBadPtr) {
    const auto s = std::make_shared<PortMidiStreamVLX>();
    ASSERT_EQ(s->OpenOutput(1, 0, 0), 0);
    EXPECT_EQ(s->Poll(), PortMidiVLX::pmBadPtr);
    std::shared_ptr<PortMidiEventVLX> data;
    EXPECT_EQ(s->Read(data), PortMidiVLX::pmBadPtr);
    EXPECT_EQ(data, nullptr);
}

TEST_F(Stream, FilterBelongsToTheObjectAndANewStreamStartsWithPortMidisOwn) {
    const auto s = openInput(0);
    EXPECT_EQ(s->SetFilter(PortMidiStreamVLX::FilterNote), 0);
    EXPECT_EQ(s->Filters(), 0x3000000);
    EXPECT_EQ(portmidi_standin::filterOf(0), 0x3000000);
    EXPECT_FALSE(portmidi_standin::deliverNoteOn(0, 60, 100, 1)) << "note-ons are filtered out";
    EXPECT_TRUE(portmidi_standin::deliver(0, Pm_Message(0xB0, 7, 100), 1));

    EXPECT_EQ(s->OpenInput(2, 100), 0);
    EXPECT_EQ(s->Filters(), 0x3000000);
    EXPECT_EQ(portmidi_standin::filterOf(2), PortMidiStreamVLX::FilterActive);
    s->Close();
    EXPECT_EQ(s->SetFilter(0), -1);
    EXPECT_EQ(s->Filters(), 0x3000000);
}

TEST_F(Stream, MasksGoToPortMidiAsTheirLow32BitsAndAreKeptWhole) {
    const auto s = openInput(0);
    const int64_t filters = (int64_t{1} << 32) | PortMidiStreamVLX::FilterSysEx;
    EXPECT_EQ(s->SetFilter(filters), 0);
    EXPECT_EQ(portmidi_standin::filterOf(0), 1);
    EXPECT_EQ(s->Filters(), filters);
    const int64_t mask = (int64_t{3} << 32) | 0x0001;
    EXPECT_EQ(s->SetChannelMask(mask), 0);
    EXPECT_EQ(portmidi_standin::channelMaskOf(0), 1);
    EXPECT_EQ(s->ChannelMask(), mask);
    EXPECT_TRUE(portmidi_standin::deliverNoteOn(0, 60, 100, 1));
    EXPECT_FALSE(portmidi_standin::deliver(0, Pm_Message(0x91, 60, 100), 1)) << "channel 2 is masked";
}

// What each filter constant asks PortMidi to drop, as the program declares
// them (FilterAftertouch covers note-ons and polyphonic aftertouch).
TEST_F(Stream, FilterConstantsDropTheMessagesTheirBitsName) {
    struct Case {
        const char* name;
        int64_t filter;
        std::vector<int> dropped;  // status bytes
        std::vector<int> kept;
    };
    const Case cases[] = {
        {"FilterActive", PortMidiStreamVLX::FilterActive, {0xFE}, {0xF8, 0x90}},
        {"FilterSysEx", PortMidiStreamVLX::FilterSysEx, {0xF0}, {0xF1}},
        {"FilterClock", PortMidiStreamVLX::FilterClock, {0xF8, 0xFA, 0xFB, 0xFC}, {0xF9, 0xFE}},
        {"FilterPlay", PortMidiStreamVLX::FilterPlay, {0xFA}, {0xFB, 0xFC}},
        {"FilterTick", PortMidiStreamVLX::FilterTick, {0xF9}, {0xF8}},
        {"FilterFD", PortMidiStreamVLX::FilterFD, {0xFD}, {0xFE}},
        {"FilterUndefined", PortMidiStreamVLX::FilterUndefined, {0xFD}, {0xFE}},
        {"FilterReset", PortMidiStreamVLX::FilterReset, {0xFF}, {0xFE}},
        {"FilterRealTime", PortMidiStreamVLX::FilterRealTime,
         {0xF0, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF}, {0xF1, 0xF6, 0x90}},
        {"FilterNote", PortMidiStreamVLX::FilterNote, {0x80, 0x90}, {0xA0, 0xB0}},
        {"FilterChannelAftertouch", PortMidiStreamVLX::FilterChannelAftertouch, {0xD0}, {0xA0}},
        {"FilterPolyAftertouch", PortMidiStreamVLX::FilterPolyAftertouch, {0xA0}, {0xD0}},
        {"FilterAftertouch", PortMidiStreamVLX::FilterAftertouch, {0x90, 0xA0}, {0x80, 0xD0}},
        {"FilterProgram", PortMidiStreamVLX::FilterProgram, {0xC0}, {0xB0}},
        {"FilterControl", PortMidiStreamVLX::FilterControl, {0xB0}, {0xC0}},
        {"FilterPitchBend", PortMidiStreamVLX::FilterPitchBend, {0xE0}, {0xD0}},
        {"FilterMTC", PortMidiStreamVLX::FilterMTC, {0xF1}, {0xF2}},
        {"FilterSongPosition", PortMidiStreamVLX::FilterSongPosition, {0xF2}, {0xF3}},
        {"FilterSongSelect", PortMidiStreamVLX::FilterSongSelect, {0xF3}, {0xF2}},
        {"FilterTune", PortMidiStreamVLX::FilterTune, {0xF6}, {0xF1}},
        {"FilterSystemCommon", PortMidiStreamVLX::FilterSystemCommon, {0xF1, 0xF2, 0xF3, 0xF6}, {0xF0, 0xF8}},
    };
    const auto s = openInput(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(s->SetFilter(c.filter), 0);
        for (int status : c.dropped) EXPECT_FALSE(portmidi_standin::deliver(0, Pm_Message(status, 0, 0), 0)) << status;
        for (int status : c.kept) EXPECT_TRUE(portmidi_standin::deliver(0, Pm_Message(status, 0, 0), 0)) << status;
    }
}

TEST_F(Stream, StreamOpenedBeforeReInitializeIsGoneAndItsDeviceFree) {
    auto s = openInput(0);
    PortMidiVLX::ReInitialize();
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->Poll(), -1);
    s->Close();
    s.reset();
    EXPECT_EQ(portmidi_standin::staleStreamCalls(), 0) << "a stream PortMidi discarded was used";
    EXPECT_NE(openInput(0), nullptr);
}

TEST_F(Stream, CurrentTimeStampIsPortTimesClockSignExtended) {
    for (PtTimestamp now : {0, 123456, -5, INT32_MIN}) {
        portmidi_standin::setTime(now);
        EXPECT_EQ(PortMidiStreamVLX::currentTimeStamp(), now);
    }
}

}  // namespace
