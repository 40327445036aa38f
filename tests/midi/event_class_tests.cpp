// PortMidiEventVLX: the bytes of a packed message and its timestamp.

#include "midi_test_fixture.h"

#include <functional>

namespace {

class Event : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        loadNotelink();
    }
};

TEST_F(Event, NewEventIsAllZero) {
    const PortMidiEventVLX e;
    EXPECT_EQ(e.RawMessage(), 0);
    EXPECT_EQ(e.When(), 0);
    EXPECT_EQ(e.Status(), 0);
}

// Each byte keeps the low 8 bits of what it is given, leaves the other
// bytes alone, and reads the same under both its names.
TEST_F(Event, ByteSettersStoreTheLow8BitsOfTheirOwnByte) {
    using Setter = std::function<void(PortMidiEventVLX&, int64_t)>;
    using Getter = std::function<int64_t(const PortMidiEventVLX&)>;
    struct Case {
        const char* name;
        Setter set;
        std::vector<Getter> readers;
        int byte;
    };
    const Case cases[] = {
        {"Status", &PortMidiEventVLX::setStatus, {&PortMidiEventVLX::Status, &PortMidiEventVLX::RawData0}, 0},
        {"RawData0", &PortMidiEventVLX::setRawData0, {&PortMidiEventVLX::Status, &PortMidiEventVLX::RawData0}, 0},
        {"Data1", &PortMidiEventVLX::setData1, {&PortMidiEventVLX::Data1, &PortMidiEventVLX::RawData1}, 1},
        {"RawData1", &PortMidiEventVLX::setRawData1, {&PortMidiEventVLX::Data1, &PortMidiEventVLX::RawData1}, 1},
        {"Data2", &PortMidiEventVLX::setData2, {&PortMidiEventVLX::Data2, &PortMidiEventVLX::RawData2}, 2},
        {"RawData2", &PortMidiEventVLX::setRawData2, {&PortMidiEventVLX::Data2, &PortMidiEventVLX::RawData2}, 2},
        {"RawData3", &PortMidiEventVLX::setRawData3, {&PortMidiEventVLX::RawData3}, 3},
    };
    const std::pair<int64_t, int64_t> values[] = {{300, 44}, {-1, 255}, {0x1FF, 255}, {int64_t{1} << 40, 0}, {7, 7}};
    for (const Case& c : cases) {
        for (const auto& [given, stored] : values) {
            SCOPED_TRACE(std::string(c.name) + " = " + std::to_string(given));
            PortMidiEventVLX e;
            e.setRawMessage(0x11223344);
            e.setWhen(9);
            c.set(e, given);
            for (const Getter& read : c.readers) EXPECT_EQ(read(e), stored);
            const uint32_t others = 0x11223344u & ~(0xFFu << (8 * c.byte));
            EXPECT_EQ(static_cast<uint32_t>(e.RawMessage()) & ~(0xFFu << (8 * c.byte)), others);
            EXPECT_EQ(e.When(), 9);
        }
    }
}

TEST_F(Event, SetClearsTheFourthByteAndKeepsWhen) {
    PortMidiEventVLX e;
    e.setRawData3(7);
    e.setWhen(321);
    e.Set(144, 60, 100);
    EXPECT_EQ(e.Status(), 144);
    EXPECT_EQ(e.Data1(), 60);
    EXPECT_EQ(e.Data2(), 100);
    EXPECT_EQ(e.RawData3(), 0);
    EXPECT_EQ(e.RawMessage(), 144 + 60 * 256 + 100 * 65536);
    EXPECT_EQ(e.When(), 321);
    e.Set(0x190, -1, 256);
    EXPECT_EQ(e.RawMessage(), 0x90 + 0xFF * 256);
}

TEST_F(Event, RawMessageWithTheTopBitSetReadsNegativeAndRoundTrips) {
    PortMidiEventVLX e;
    e.SetRaw(0, 0, 0, 128);
    EXPECT_EQ(e.RawMessage(), INT32_MIN);
    PortMidiEventVLX copy;
    copy.setRawMessage(e.RawMessage());
    EXPECT_EQ(copy.RawData3(), 128);
    EXPECT_EQ(copy.RawData0(), 0);
    e.SetRaw(0x1F0, 0x7D, 0x101, 0xF7);
    EXPECT_EQ(static_cast<uint32_t>(e.RawMessage()), 0xF7017DF0u);
    e.setRawMessage((int64_t{5} << 32) | 0x90);
    EXPECT_EQ(e.RawMessage(), 0x90);
}

TEST_F(Event, WhenKeepsItsLow32BitsReadSignExtended) {
    PortMidiEventVLX e;
    const std::pair<int64_t, int64_t> cases[] = {
        {1000, 1000}, {(int64_t{1} << 32) + 5, 5}, {0xFFFFFFFF, -1}, {-2, -2}, {int64_t{0x80000000}, INT32_MIN}};
    for (const auto& [given, read] : cases) {
        e.setWhen(given);
        EXPECT_EQ(e.When(), read) << given;
    }
}

TEST_F(Event, CurrentEventBeforeAnyWriteIsEmptyAndEachReadIsANewObject) {
    const auto first = PortMidiEventVLX::CurrentEvent();
    const auto second = PortMidiEventVLX::CurrentEvent();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->object(), second->object());
    EXPECT_EQ(first->RawMessage(), 0);
    EXPECT_EQ(first->When(), 0);
    first->setStatus(0x90);
    EXPECT_EQ(second->Status(), 0);
    EXPECT_EQ(PortMidiEventVLX::CurrentEvent()->Status(), 0);
}

}  // namespace
