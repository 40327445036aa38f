#include "stream_class.h"

#include "device_classes.h"
#include "device_name.h"
#include "event_class.h"
#include "narrowing.h"
#include "registration.h"
#include "portmidi_session.h"
#include "toolkit.h"

#include <porttime.h>

#include <cstring>
#include <iterator>
#include <new>

namespace notelink {
namespace {

// What the library knows of a stream it opened, beyond PortMidi's handle.
struct HeldStream {
    PortMidiStream* stream;
    int32_t deviceId;
    bool output;
    // Between a 0xF0 and its 0xF7 on this output: nothing written is a
    // short message then, so nothing goes into the current-event record.
    bool sysexInProgress;
    uint64_t generation;  // of the device list it was opened on
};

struct StreamData {
    HeldStream* held;  // nullptr: the object holds no stream
    int64_t channelMask;
    int64_t filterMask;
};

constexpr int64_t noStream = -1;
constexpr int64_t nilBlock = -1;
constexpr int64_t allChannels = 0xFFFF;
constexpr unsigned char endOfExclusive = 0xF7;

StreamData& dataOf(PluginObject* self) { return toolkit::instance<StreamData>(self); }

// The stream held, or nullptr. A stream whose device list was discarded
// (ReInitialize, unload) is gone inside PortMidi already: forget it
// without closing it again.
HeldStream* heldStream(PluginObject* self) {
    StreamData& data = dataOf(self);
    if (data.held != nullptr && data.held->generation != deviceListGeneration()) {
        delete data.held;
        data.held = nullptr;
    }
    return data.held;
}

void closeHeld(PluginObject* self) {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return;
    Pm_Close(held->stream);
    delete held;
    dataOf(self).held = nullptr;
}

// Holds the stream an open gave, or none.
int64_t hold(PluginObject* self, PmError result, PortMidiStream* stream, int64_t deviceId, bool output) {
    if (result != pmNoError || stream == nullptr) return result;
    auto* held = new (std::nothrow)
        HeldStream{stream, static_cast<int32_t>(deviceId), output, false, deviceListGeneration()};
    if (held == nullptr) {
        Pm_Close(stream);
        return pmInsufficientMemory;
    }
    dataOf(self).held = held;
    return result;
}

bool containsEndOfExclusive(uint32_t word) {
    for (uint32_t shift = 0; shift < 32; shift += 8)
        if (((word >> shift) & 0xFFu) == endOfExclusive) return true;
    return false;
}

// The write path: a short message about to go out on `held` becomes the
// current event; system-exclusive words, and real-time messages sent in
// the middle of them, do not.
void noteWritten(HeldStream& held, const PmEvent& event) {
    if (!held.output) return;  // PortMidi refuses it
    const auto word = static_cast<uint32_t>(event.message);
    const uint32_t status = word & 0xFFu;
    if (held.sysexInProgress) {
        if (status < 0xF8 && containsEndOfExclusive(word)) held.sysexInProgress = false;
        return;
    }
    if (status == 0xF0) {
        held.sysexInProgress = !containsEndOfExclusive(word);
        return;
    }
    if (status < 0x80 || status == endOfExclusive) return;
    recordCurrentEvent(event);
}

// PortMidi reads a system-exclusive message up to its 0xF7 and no further;
// without one inside the bytes given, it would read past them.
bool endsInside(const unsigned char* bytes, size_t length) {
    return std::memchr(bytes, endOfExclusive, length) != nullptr;
}

int64_t writeSysEx(HeldStream& held, int64_t when, const unsigned char* bytes, size_t length) {
    if (!endsInside(bytes, length)) return pmBadData;
    const PmError result = Pm_WriteSysEx(held.stream, low32(when), const_cast<unsigned char*>(bytes));
    held.sysexInProgress = false;  // the whole message went in one call
    return result;
}

// ---- Members ----

void construct(PluginObject* self) noexcept {
    initialiseOnce();
    dataOf(self).channelMask = allChannels;
}

void close(PluginObject* self) noexcept { closeHeld(self); }

int64_t openInput(PluginObject* self, int64_t deviceId, int64_t bufferSize) noexcept {
    closeHeld(self);
    if (!fits32(deviceId)) return pmInvalidDeviceId;
    PortMidiStream* stream = nullptr;
    const PmError result =
        Pm_OpenInput(&stream, static_cast<PmDeviceID>(deviceId), nullptr, low32(bufferSize), nullptr, nullptr);
    return hold(self, result, stream, deviceId, false);
}

int64_t openOutput(PluginObject* self, int64_t deviceId, int64_t bufferSize, int64_t latency) noexcept {
    closeHeld(self);
    if (!fits32(deviceId)) return pmInvalidDeviceId;
    PortMidiStream* stream = nullptr;
    const PmError result = Pm_OpenOutput(&stream, static_cast<PmDeviceID>(deviceId), nullptr, low32(bufferSize),
                                         nullptr, nullptr, low32(latency));
    return hold(self, result, stream, deviceId, true);
}

int64_t abortStream(PluginObject* self) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    return Pm_Abort(held->stream);
}

int64_t poll(PluginObject* self) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    return Pm_Poll(held->stream);
}

int64_t read(PluginObject* self, PluginObject** data) noexcept {
    if (*data != nullptr) {
        toolkit::release(*data);
        *data = nullptr;
    }
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    PmEvent event{};
    const int result = Pm_Read(held->stream, &event, 1);
    if (result != 1) return result;
    // The event has left PortMidi's queue either way; a caller told 1 would
    // look for it in `data`, so an event that no object can carry is lost
    // for want of memory.
    *data = newEvent(event);
    return *data != nullptr ? result : pmInsufficientMemory;
}

int64_t write(PluginObject* self, PluginObject* data) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr || data == nullptr) return noStream;
    PmEvent event = eventOf(data);
    noteWritten(*held, event);
    return Pm_Write(held->stream, &event, 1);
}

int64_t writeShort(PluginObject* self, int64_t when, int64_t message) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    noteWritten(*held, PmEvent{low32(message), low32(when)});
    return Pm_WriteShort(held->stream, low32(when), low32(message));
}

int64_t writeSysExString(PluginObject* self, int64_t when, PluginObject* message) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr || message == nullptr) return noStream;
    size_t length = 0;
    const char* bytes = toolkit::lockString(message, &length);
    if (bytes == nullptr) return noStream;
    const int64_t result = writeSysEx(*held, when, reinterpret_cast<const unsigned char*>(bytes), length);
    toolkit::unlockString(message);
    return result;
}

int64_t writeSysExBlock(PluginObject* self, int64_t when, PluginObject* block, int64_t offset) noexcept {
    if (block == nullptr) {
        // Nothing was written: the answer says so too, for a caller that
        // reads it whether or not the toolkit could raise the exception.
        toolkit::raiseNilObject("memoryblock is nil");
        return nilBlock;
    }
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    size_t size = 0;
    const void* data = toolkit::memoryBlockData(block, &size);
    if (data == nullptr) return noStream;
    if (offset < 0 || static_cast<uint64_t>(offset) >= size) return pmBadData;
    const auto* bytes = static_cast<const unsigned char*>(data) + offset;
    return writeSysEx(*held, when, bytes, size - static_cast<size_t>(offset));
}

int64_t setChannelMask(PluginObject* self, int64_t mask) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    const PmError result = Pm_SetChannelMask(held->stream, low32(mask));
    if (result == pmNoError) dataOf(self).channelMask = mask;
    return result;
}

int64_t setFilter(PluginObject* self, int64_t filters) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return noStream;
    const PmError result = Pm_SetFilter(held->stream, low32(filters));
    if (result == pmNoError) dataOf(self).filterMask = filters;
    return result;
}

PluginObject* hostError(PluginObject* self) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr || !Pm_HasHostError(held->stream)) return nullptr;
    char text[258] = {};
    Pm_GetHostErrorText(text, sizeof text);
    text[sizeof text - 1] = '\0';
    return toolkit::makeString(text, PLUGIN_ENCODING_ASCII);
}

PluginObject* streamErrorText(PluginObject*, int64_t code) noexcept { return errorText(code); }

int64_t getChannelMask(PluginObject* self) noexcept { return dataOf(self).channelMask; }
int64_t getFilters(PluginObject* self) noexcept { return dataOf(self).filterMask; }

int64_t getDeviceID(PluginObject* self) noexcept {
    HeldStream* held = heldStream(self);
    return held != nullptr ? held->deviceId : noStream;
}

PluginObject* getDeviceName(PluginObject* self) noexcept {
    HeldStream* held = heldStream(self);
    if (held == nullptr) return nullptr;
    const PmDeviceInfo* entry = Pm_GetDeviceInfo(held->deviceId);
    return entry != nullptr ? deviceName(entry->name) : nullptr;
}

int64_t currentTimeStamp() noexcept { return Pt_Time(); }

constexpr uint32_t propertyFlags = 0;

const PluginProperty properties[] = {
    {"ChannelMask", "Integer", fn(getChannelMask), nullptr, propertyFlags},
    {"Filters", "Integer", fn(getFilters), nullptr, propertyFlags},
    {"DeviceID", "Integer", fn(getDeviceID), nullptr, propertyFlags},
    {"DeviceName", "String", fn(getDeviceName), nullptr, propertyFlags},
};

const PluginMethod methods[] = {
    {"HostError as string", fn(hostError), methodFlags},
    {"Close", fn(close), methodFlags},
    {"Abort as integer", fn(abortStream), methodFlags},
    {"ErrorText(ErrorNumber as integer) as string", fn(streamErrorText), methodFlags},
    {"SetChannelMask(mask as integer) as integer", fn(setChannelMask), methodFlags},
    {"SetFilter(filters as integer) as integer", fn(setFilter), methodFlags},
    {"Poll as integer", fn(poll), methodFlags},
    {"WriteSysEx(When as integer, message as string) as integer", fn(writeSysExString), methodFlags},
    {"WriteSysEx(When as integer, message as memoryblock, offset as integer) as integer", fn(writeSysExBlock),
     methodFlags},
    {"WriteShort(When as integer, message as integer) as integer", fn(writeShort), methodFlags},
    {"Write(data as PortMidiEventVLX) as integer", fn(write), methodFlags},
    {"Read(byref data as PortMidiEventVLX) as integer", fn(read), methodFlags},
    {"OpenInput(DeviceID as integer, Buffersize as integer) as integer", fn(openInput), methodFlags},
    {"OpenOutput(DeviceID as integer, Buffersize as integer, Latency as integer) as integer", fn(openOutput),
     methodFlags},
};

const PluginMethod sharedMethods[] = {
    {"currentTimeStamp as Integer", fn(currentTimeStamp), methodFlags},
};

// PortMidi's input filter masks, as the program knows them. Some differ
// from PortMidi's own header (FilterClock, FilterPlay, FilterRealTime,
// FilterAftertouch); these are the values the program binds to.
const PluginConstant constants[] = {
    {"FilterActive = &h4000"},
    {"FilterSysEx = 1"},
    {"FilterClock = &h1D00"},
    {"FilterPlay = &h400"},
    {"FilterTick = &h200"},
    {"FilterFD = &h2000"},
    {"FilterUndefined = &h2000"},
    {"FilterReset = &h8000"},
    {"FilterRealTime = &hFF01"},
    {"FilterNote =  &h3000000"},
    {"FilterChannelAftertouch = &h20000000"},
    {"FilterPolyAftertouch = &h4000000"},
    {"FilterAftertouch = &h6000000"},
    {"FilterProgram = &h10000000"},
    {"FilterControl = &h8000000"},
    {"FilterPitchBend = &h40000000"},
    {"FilterMTC = 2"},
    {"FilterSongPosition = 4"},
    {"FilterSongSelect = 8"},
    {"FilterTune = &h40"},
    {"FilterSystemCommon = &h4E"},
};

PluginClassRecord record = {
    "PortMidiStreamVLX", nullptr, classFlags, sizeof(StreamData), 0,
    fn(construct), fn(close),
    properties, static_cast<uint32_t>(std::size(properties)),
    methods, static_cast<uint32_t>(std::size(methods)),
    constants, static_cast<uint32_t>(std::size(constants)),
    nullptr, 0,
    sharedMethods, static_cast<uint32_t>(std::size(sharedMethods)),
};

}  // namespace

PluginClassRecord& streamClassRecord() { return record; }

}  // namespace notelink
