#include "event_class.h"

#include "narrowing.h"
#include "registration.h"
#include "toolkit.h"

#include <atomic>
#include <cstdint>

namespace notelink {
namespace {

// One 8-byte word, so that a writer on another thread and CurrentEvent
// never see half of a message.
std::atomic<uint64_t> currentEvent{0};

uint64_t pack(const PmEvent& event) {
    return static_cast<uint32_t>(event.message) |
           (static_cast<uint64_t>(static_cast<uint32_t>(event.timestamp)) << 32);
}

PmEvent unpack(uint64_t word) {
    return PmEvent{static_cast<PmMessage>(static_cast<uint32_t>(word)),
                   static_cast<PmTimestamp>(static_cast<uint32_t>(word >> 32))};
}

uint32_t message(PluginObject* self) { return static_cast<uint32_t>(eventOf(self).message); }

int64_t byteOf(PluginObject* self, int byte) { return (message(self) >> (8 * byte)) & 0xFF; }

void setByte(PluginObject* self, int byte, int64_t value) {
    const uint32_t shift = 8u * static_cast<uint32_t>(byte);
    const uint32_t cleared = message(self) & ~(0xFFu << shift);
    eventOf(self).message = static_cast<PmMessage>(cleared | ((static_cast<uint32_t>(value) & 0xFFu) << shift));
}

int64_t getByte0(PluginObject* self) noexcept { return byteOf(self, 0); }
int64_t getByte1(PluginObject* self) noexcept { return byteOf(self, 1); }
int64_t getByte2(PluginObject* self) noexcept { return byteOf(self, 2); }
int64_t getByte3(PluginObject* self) noexcept { return byteOf(self, 3); }
void setByte0(PluginObject* self, int64_t value) noexcept { setByte(self, 0, value); }
void setByte1(PluginObject* self, int64_t value) noexcept { setByte(self, 1, value); }
void setByte2(PluginObject* self, int64_t value) noexcept { setByte(self, 2, value); }
void setByte3(PluginObject* self, int64_t value) noexcept { setByte(self, 3, value); }

int64_t getWhen(PluginObject* self) noexcept { return eventOf(self).timestamp; }
void setWhen(PluginObject* self, int64_t value) noexcept { eventOf(self).timestamp = low32(value); }

int64_t getRawMessage(PluginObject* self) noexcept { return eventOf(self).message; }
void setRawMessage(PluginObject* self, int64_t value) noexcept { eventOf(self).message = low32(value); }

PmMessage packBytes(int64_t b0, int64_t b1, int64_t b2, int64_t b3) {
    const auto byte = [](int64_t value, uint32_t shift) { return (static_cast<uint32_t>(value) & 0xFFu) << shift; };
    return static_cast<PmMessage>(byte(b0, 0) | byte(b1, 8) | byte(b2, 16) | byte(b3, 24));
}

void set(PluginObject* self, int64_t status, int64_t data1, int64_t data2) noexcept {
    eventOf(self).message = packBytes(status, data1, data2, 0);
}

void setRaw(PluginObject* self, int64_t data0, int64_t data1, int64_t data2, int64_t data3) noexcept {
    eventOf(self).message = packBytes(data0, data1, data2, data3);
}

PluginObject* getCurrentEvent() noexcept { return newEvent(unpack(currentEvent.load())); }

constexpr uint32_t propertyFlags = 6;

// Status and RawData0, Data1 and RawData1, Data2 and RawData2 are one byte
// each under two names.
const PluginProperty properties[] = {
    {"Status", "Integer", fn(getByte0), fn(setByte0), propertyFlags},
    {"Data1", "Integer", fn(getByte1), fn(setByte1), propertyFlags},
    {"Data2", "Integer", fn(getByte2), fn(setByte2), propertyFlags},
    {"RawData0", "Integer", fn(getByte0), fn(setByte0), propertyFlags},
    {"RawData1", "Integer", fn(getByte1), fn(setByte1), propertyFlags},
    {"RawData2", "Integer", fn(getByte2), fn(setByte2), propertyFlags},
    {"RawData3", "Integer", fn(getByte3), fn(setByte3), propertyFlags},
    {"When", "Integer", fn(getWhen), fn(setWhen), propertyFlags},
    {"RawMessage", "Integer", fn(getRawMessage), fn(setRawMessage), propertyFlags},
};

const PluginMethod methods[] = {
    {"Set(status as integer, data1 as integer, data2 as integer)", fn(set), methodFlags},
    {"SetRaw(data0 as integer, data1 as integer, data2 as integer, data3 as integer)", fn(setRaw), methodFlags},
};

const PluginProperty sharedProperties[] = {
    {"CurrentEvent", "PortMidiEventVLX", fn(getCurrentEvent), nullptr, propertyFlags},
};

PluginClassRecord record = {
    "PortMidiEventVLX", nullptr, classFlags, sizeof(PmEvent), 0,
    nullptr, nullptr,
    properties, static_cast<uint32_t>(std::size(properties)),
    methods, static_cast<uint32_t>(std::size(methods)),
    nullptr, 0,
    sharedProperties, static_cast<uint32_t>(std::size(sharedProperties)),
    nullptr, 0,
};

}  // namespace

PluginClassRecord& eventClassRecord() { return record; }

PmEvent& eventOf(PluginObject* object) { return toolkit::instance<PmEvent>(object); }

PluginObject* newEvent(const PmEvent& event) {
    PluginObject* object = toolkit::createObject("PortMidiEventVLX");
    if (object != nullptr) eventOf(object) = event;
    return object;
}

void recordCurrentEvent(const PmEvent& event) { currentEvent.store(pack(event)); }

}  // namespace notelink
