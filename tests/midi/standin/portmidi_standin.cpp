#include "portmidi_standin.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>

namespace portmidi_standin {
namespace {

struct Entry {
    PmDeviceInfo info{};
    std::string interfaceName;
    std::string name;
};

struct QueueItem {
    PmEvent event;
    bool overflow;  // events were lost here
};

struct Stream {
    int deviceId;
    bool input;
    size_t capacity;
    std::deque<QueueItem> queue;
    int32_t filters = PM_FILT_ACTIVE;
    int32_t channelMask = 0xFFFF;
};

struct Failure {
    PmError result;
    std::string hostErrorText;
};

struct State {
    std::vector<Device> script;
    bool initialized = false;
    int initializeCalls = 0;
    int terminateCalls = 0;
    std::vector<std::unique_ptr<Entry>> list;
    // Entries and streams PortMidi has let go of stay allocated, so that a
    // library still using one is counted rather than crashing the test.
    std::vector<std::unique_ptr<Entry>> retiredEntries;
    std::vector<std::unique_ptr<Stream>> live;
    std::vector<std::unique_ptr<Stream>> retiredStreams;
    std::map<Call, Failure> failures;
    std::string hostError;
    PtTimestamp time = 0;
    std::vector<Open> opens;
    std::vector<Written> written;
    int staleCalls = 0;
};

// Never destroyed: libraries unloaded at process exit may still call in.
State& state() {
    static State* s = new State;
    return *s;
}

std::optional<PmError> scriptedFailure(Call call) {
    auto& failures = state().failures;
    const auto found = failures.find(call);
    if (found == failures.end()) return std::nullopt;
    const Failure failure = found->second;
    failures.erase(found);
    if (!failure.hostErrorText.empty()) state().hostError = failure.hostErrorText;
    return failure.result;
}

Stream* liveStream(PortMidiStream* handle) {
    for (const auto& stream : state().live)
        if (stream.get() == handle) return stream.get();
    if (handle != nullptr) ++state().staleCalls;
    return nullptr;
}

Stream* streamOnDevice(int deviceId) {
    for (const auto& stream : state().live)
        if (stream->deviceId == deviceId) return stream.get();
    return nullptr;
}

void retire(Stream* stream) {
    auto& live = state().live;
    const auto found = std::find_if(live.begin(), live.end(), [&](const auto& s) { return s.get() == stream; });
    if (found == live.end()) return;
    if (static_cast<size_t>(stream->deviceId) < state().list.size())
        state().list[static_cast<size_t>(stream->deviceId)]->info.opened = 0;
    state().retiredStreams.push_back(std::move(*found));
    live.erase(found);
}

size_t eventsQueued(const Stream& stream) {
    return static_cast<size_t>(std::count_if(stream.queue.begin(), stream.queue.end(),
                                             [](const QueueItem& item) { return !item.overflow; }));
}

// PortMidi's filter rule: bits 0..15 for the system messages 0xF0..0xFF,
// bit 16 + the upper nibble for channel messages; the channel mask has one
// bit per channel.
bool filteredOut(const Stream& stream, PmMessage message) {
    const int status = Pm_MessageStatus(message);
    const int bit = status >= 0xF0 ? status - 0xF0 : 16 + (status >> 4);
    if ((stream.filters & (1 << bit)) != 0) return true;
    return status < 0xF0 && (stream.channelMask & (1 << (status & 0x0F))) == 0;
}

PmError open(PortMidiStream** handle, PmDeviceID id, bool input, void* driverInfo, int32_t bufferSize,
             PmTimeProcPtr timeProc, int32_t latency) {
    *handle = nullptr;
    state().opens.push_back(Open{id, input, bufferSize, latency, driverInfo != nullptr, timeProc != nullptr});
    if (const auto failure = scriptedFailure(input ? Call::OpenInput : Call::OpenOutput)) return *failure;
    auto& list = state().list;
    if (!state().initialized || id < 0 || static_cast<size_t>(id) >= list.size()) return pmInvalidDeviceId;
    PmDeviceInfo& info = list[static_cast<size_t>(id)]->info;
    if ((input ? info.input : info.output) == 0 || info.opened != 0) return pmInvalidDeviceId;
    info.opened = 1;
    auto stream = std::make_unique<Stream>();
    stream->deviceId = id;
    stream->input = input;
    stream->capacity = bufferSize > 0 ? static_cast<size_t>(bufferSize) : 256;
    *handle = stream.get();
    state().live.push_back(std::move(stream));
    return pmNoError;
}

void log(const Stream& stream, Written::Kind kind, PmMessage message, PmTimestamp when,
         std::vector<unsigned char> bytes = {}) {
    state().written.push_back(Written{stream.deviceId, kind, message, when, std::move(bytes)});
}

}  // namespace

void reset() {
    // Nothing is freed: a library may still hold pointers into the old
    // state, and stale calls must stay safe.
    State& s = state();
    for (auto& entry : s.list) s.retiredEntries.push_back(std::move(entry));
    for (auto& stream : s.live) s.retiredStreams.push_back(std::move(stream));
    s.script.clear();
    s.list.clear();
    s.live.clear();
    s.initialized = false;
    s.initializeCalls = 0;
    s.terminateCalls = 0;
    s.failures.clear();
    s.hostError.clear();
    s.time = 0;
    s.opens.clear();
    s.written.clear();
    s.staleCalls = 0;
}

int addDevice(const Device& device) {
    state().script.push_back(device);
    return static_cast<int>(state().script.size()) - 1;
}

int addInput(const std::string& name) { return addDevice(Device{name, true, false}); }
int addOutput(const std::string& name) { return addDevice(Device{name, false, true}); }

void failNext(Call call, PmError result, const std::string& hostErrorText) {
    state().failures[call] = Failure{result, hostErrorText};
}

void setHostError(const std::string& text) { state().hostError = text; }

bool deliver(int deviceId, PmMessage message, PmTimestamp timestamp) {
    Stream* stream = streamOnDevice(deviceId);
    if (stream == nullptr || !stream->input || filteredOut(*stream, message)) return false;
    if (eventsQueued(*stream) >= stream->capacity) {
        if (stream->queue.empty() || !stream->queue.back().overflow)
            stream->queue.push_back(QueueItem{PmEvent{}, true});
        return false;
    }
    stream->queue.push_back(QueueItem{PmEvent{message, timestamp}, false});
    return true;
}

bool deliverNoteOn(int deviceId, int key, int velocity, PmTimestamp timestamp) {
    return deliver(deviceId, Pm_Message(0x90, key, velocity), timestamp);
}

void setTime(PtTimestamp milliseconds) { state().time = milliseconds; }

bool initialized() { return state().initialized; }
int initializeCalls() { return state().initializeCalls; }
int terminateCalls() { return state().terminateCalls; }

bool isOpen(int deviceId) { return streamOnDevice(deviceId) != nullptr; }

std::vector<Open> opens() { return state().opens; }

std::optional<int32_t> filterOf(int deviceId) {
    const Stream* stream = streamOnDevice(deviceId);
    return stream != nullptr ? std::optional<int32_t>(stream->filters) : std::nullopt;
}

std::optional<int32_t> channelMaskOf(int deviceId) {
    const Stream* stream = streamOnDevice(deviceId);
    return stream != nullptr ? std::optional<int32_t>(stream->channelMask) : std::nullopt;
}

std::vector<Written> written() { return state().written; }

int staleStreamCalls() { return state().staleCalls; }

}  // namespace portmidi_standin

// ---- PortMidi's and PortTime's functions ----

using namespace portmidi_standin;

PmError Pm_Initialize(void) {
    ++state().initializeCalls;
    if (const auto failure = scriptedFailure(Call::Initialize)) return *failure;
    if (state().initialized) return pmNoError;
    for (const Device& device : state().script) {
        auto entry = std::make_unique<Entry>();
        entry->interfaceName = device.interfaceName;
        entry->name = device.name;
        entry->info.structVersion = 200;
        entry->info.interf = entry->interfaceName.c_str();
        entry->info.name = entry->name.c_str();
        entry->info.input = device.input ? 1 : 0;
        entry->info.output = device.output ? 1 : 0;
        state().list.push_back(std::move(entry));
    }
    state().initialized = true;
    return pmNoError;
}

PmError Pm_Terminate(void) {
    ++state().terminateCalls;
    if (!state().initialized) return pmNoError;
    while (!state().live.empty()) retire(state().live.front().get());
    // An entry read after this says so, instead of passing for a device.
    for (auto& entry : state().list) {
        entry->name = "stale entry";
        entry->info.name = entry->name.c_str();
        entry->info.input = entry->info.output = 0;
        state().retiredEntries.push_back(std::move(entry));
    }
    state().list.clear();
    state().initialized = false;
    return pmNoError;
}

int Pm_CountDevices(void) { return state().initialized ? static_cast<int>(state().list.size()) : 0; }

const PmDeviceInfo* Pm_GetDeviceInfo(PmDeviceID id) {
    if (!state().initialized || id < 0 || static_cast<size_t>(id) >= state().list.size()) return nullptr;
    return &state().list[static_cast<size_t>(id)]->info;
}

static PmDeviceID firstDevice(bool input) {
    for (size_t id = 0; id < state().list.size(); ++id)
        if ((input ? state().list[id]->info.input : state().list[id]->info.output) != 0)
            return static_cast<PmDeviceID>(id);
    return pmNoDevice;
}

PmDeviceID Pm_GetDefaultInputDeviceID(void) { return firstDevice(true); }
PmDeviceID Pm_GetDefaultOutputDeviceID(void) { return firstDevice(false); }

PmError Pm_OpenInput(PortMidiStream** stream, PmDeviceID inputDevice, void* inputDriverInfo, int32_t bufferSize,
                     PmTimeProcPtr time_proc, void*) {
    return open(stream, inputDevice, true, inputDriverInfo, bufferSize, time_proc, 0);
}

PmError Pm_OpenOutput(PortMidiStream** stream, PmDeviceID outputDevice, void* outputDriverInfo,
                      int32_t bufferSize, PmTimeProcPtr time_proc, void*, int32_t latency) {
    return open(stream, outputDevice, false, outputDriverInfo, bufferSize, time_proc, latency);
}

PmError Pm_Close(PortMidiStream* handle) {
    Stream* stream = liveStream(handle);
    if (stream == nullptr) return pmBadPtr;
    retire(stream);
    return pmNoError;
}

PmError Pm_Abort(PortMidiStream* handle) {
    if (const auto failure = scriptedFailure(Call::Abort)) return *failure;
    Stream* stream = liveStream(handle);
    return stream == nullptr || stream->input ? pmBadPtr : pmNoError;
}

PmError Pm_Poll(PortMidiStream* handle) {
    if (const auto failure = scriptedFailure(Call::Poll)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr || !stream->input) return pmBadPtr;
    return stream->queue.empty() ? pmNoData : pmGotData;
}

int Pm_Read(PortMidiStream* handle, PmEvent* buffer, int32_t length) {
    if (const auto failure = scriptedFailure(Call::Read)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr || !stream->input) return pmBadPtr;
    int32_t count = 0;
    while (count < length && !stream->queue.empty()) {
        const QueueItem item = stream->queue.front();
        if (item.overflow) {
            if (count > 0) break;  // reported on the next read, where the loss was
            stream->queue.pop_front();
            return pmBufferOverflow;
        }
        buffer[count++] = item.event;
        stream->queue.pop_front();
    }
    return count;
}

PmError Pm_Write(PortMidiStream* handle, PmEvent* buffer, int32_t length) {
    if (const auto failure = scriptedFailure(Call::Write)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr || stream->input) return pmBadPtr;
    for (int32_t i = 0; i < length; ++i)
        log(*stream, Written::Kind::Event, buffer[i].message, buffer[i].timestamp);
    return pmNoError;
}

PmError Pm_WriteShort(PortMidiStream* handle, PmTimestamp when, int32_t msg) {
    if (const auto failure = scriptedFailure(Call::WriteShort)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr || stream->input) return pmBadPtr;
    log(*stream, Written::Kind::Short, msg, when);
    return pmNoError;
}

PmError Pm_WriteSysEx(PortMidiStream* handle, PmTimestamp when, unsigned char* msg) {
    if (const auto failure = scriptedFailure(Call::WriteSysEx)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr || stream->input) return pmBadPtr;
    // Like PortMidi: the bytes run to the first 0xF7, however far that is.
    std::vector<unsigned char> bytes;
    for (const unsigned char* byte = msg;; ++byte) {
        bytes.push_back(*byte);
        if (*byte == 0xF7) break;
    }
    log(*stream, Written::Kind::SysEx, 0, when, std::move(bytes));
    return pmNoError;
}

PmError Pm_SetFilter(PortMidiStream* handle, int32_t filters) {
    if (const auto failure = scriptedFailure(Call::SetFilter)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr) return pmBadPtr;
    stream->filters = filters;
    return pmNoError;
}

PmError Pm_SetChannelMask(PortMidiStream* handle, int mask) {
    if (const auto failure = scriptedFailure(Call::SetChannelMask)) return *failure;
    Stream* stream = liveStream(handle);
    if (stream == nullptr) return pmBadPtr;
    stream->channelMask = mask;
    return pmNoError;
}

int Pm_HasHostError(PortMidiStream*) { return state().hostError.empty() ? 0 : 1; }

void Pm_GetHostErrorText(char* msg, unsigned int len) {
    if (len == 0) return;
    const size_t count = std::min<size_t>(state().hostError.size(), len - 1);
    std::memcpy(msg, state().hostError.data(), count);
    msg[count] = '\0';
    state().hostError.clear();
}

const char* Pm_GetErrorText(PmError errnum) {
    switch (errnum) {
    case pmNoError: return "";
    case pmHostError: return "stand-in: host error";
    case pmInvalidDeviceId: return "stand-in: invalid device id";
    case pmInsufficientMemory: return "stand-in: insufficient memory";
    case pmBufferTooSmall: return "stand-in: buffer too small";
    case pmBufferOverflow: return "stand-in: buffer overflow";
    case pmBadPtr: return "stand-in: bad stream";
    case pmBadData: return "stand-in: bad data";
    case pmInternalError: return "stand-in: internal error";
    case pmBufferMaxSize: return "stand-in: buffer at its largest";
    default: return "stand-in: not an error number";
    }
}

PtTimestamp Pt_Time(void) { return state().time; }
