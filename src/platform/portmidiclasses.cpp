#include "platform/portmidiclasses.h"

#include "platform/exceptions.h"
#include "platform/pluginhost_exceptions.h"
#include "platform/pluginhost_objects.h"
#include "platform/portmidiclasses_binding.h"

using platform::plugin::callPlugin;
using platform::plugin::ObjectRef;
using namespace platform::portmidi;

namespace {

using Getter = int64_t(PluginObject*);
using Setter = void(PluginObject*, int64_t);
using TextGetter = PluginObject*(PluginObject*);
using Procedure = void(PluginObject*);

bool isBound() { return platform::portmidi::bound() != nullptr; }

QString text(const ObjectRef& string) { return platform::plugin::stringText(string.get()); }

// A new object of a bound class, its constructor (if it has one) run.
PluginObject* construct(const platform::plugin::HostClass* cls, Member constructor) {
    ObjectRef object = ObjectRef::adopt(platform::plugin::newObject(*cls));
    callPlugin(function<Procedure>(constructor), object.get());
    return object.take();
}

// What a stream answers while it holds nothing.
constexpr int64_t noStream = -1;

}  // namespace

PortMidiObjectHandle::~PortMidiObjectHandle() { platform::plugin::release(object_); }

// ---- PortMidiEventVLX ----

namespace {

int64_t eventGet(const PortMidiEventVLX& event, Member getter) {
    if (!isBound() || event.object() == nullptr) return 0;
    return callPlugin(function<Getter>(getter), event.object());
}

void eventSet(const PortMidiEventVLX& event, Member setter, int64_t value) {
    if (!isBound() || event.object() == nullptr) return;
    callPlugin(function<Setter>(setter), event.object(), value);
}

}  // namespace

PortMidiEventVLX::PortMidiEventVLX()
    : handle_(isBound() ? platform::plugin::newObject(*platform::portmidi::bound()->eventClass) : nullptr) {}

PortMidiEventVLX::PortMidiEventVLX(PluginObject* adopted) : handle_(adopted) {}

int64_t PortMidiEventVLX::Status() const { return eventGet(*this, EventStatusGet); }
void PortMidiEventVLX::setStatus(int64_t value) { eventSet(*this, EventStatusSet, value); }
int64_t PortMidiEventVLX::Data1() const { return eventGet(*this, EventData1Get); }
void PortMidiEventVLX::setData1(int64_t value) { eventSet(*this, EventData1Set, value); }
int64_t PortMidiEventVLX::Data2() const { return eventGet(*this, EventData2Get); }
void PortMidiEventVLX::setData2(int64_t value) { eventSet(*this, EventData2Set, value); }
int64_t PortMidiEventVLX::RawData0() const { return eventGet(*this, EventRawData0Get); }
void PortMidiEventVLX::setRawData0(int64_t value) { eventSet(*this, EventRawData0Set, value); }
int64_t PortMidiEventVLX::RawData1() const { return eventGet(*this, EventRawData1Get); }
void PortMidiEventVLX::setRawData1(int64_t value) { eventSet(*this, EventRawData1Set, value); }
int64_t PortMidiEventVLX::RawData2() const { return eventGet(*this, EventRawData2Get); }
void PortMidiEventVLX::setRawData2(int64_t value) { eventSet(*this, EventRawData2Set, value); }
int64_t PortMidiEventVLX::RawData3() const { return eventGet(*this, EventRawData3Get); }
void PortMidiEventVLX::setRawData3(int64_t value) { eventSet(*this, EventRawData3Set, value); }
int64_t PortMidiEventVLX::When() const { return eventGet(*this, EventWhenGet); }
void PortMidiEventVLX::setWhen(int64_t value) { eventSet(*this, EventWhenSet, value); }
int64_t PortMidiEventVLX::RawMessage() const { return eventGet(*this, EventRawMessageGet); }
void PortMidiEventVLX::setRawMessage(int64_t value) { eventSet(*this, EventRawMessageSet, value); }

void PortMidiEventVLX::Set(int64_t status, int64_t data1, int64_t data2) {
    if (!isBound() || object() == nullptr) return;
    callPlugin(function<void(PluginObject*, int64_t, int64_t, int64_t)>(EventSet), object(), status, data1,
               data2);
}

void PortMidiEventVLX::SetRaw(int64_t data0, int64_t data1, int64_t data2, int64_t data3) {
    if (!isBound() || object() == nullptr) return;
    callPlugin(function<void(PluginObject*, int64_t, int64_t, int64_t, int64_t)>(EventSetRaw), object(), data0,
               data1, data2, data3);
}

std::shared_ptr<PortMidiEventVLX> PortMidiEventVLX::CurrentEvent() {
    if (!isBound()) return nullptr;
    ObjectRef event = callPlugin(function<PluginObject*()>(EventCurrentEvent));
    if (!event) return nullptr;
    return std::make_shared<PortMidiEventVLX>(event.take());
}

// ---- PortMidiDeviceInfoVLX ----

PortMidiDeviceInfoVLX::PortMidiDeviceInfoVLX(PluginObject* adopted) : handle_(adopted) {}

QString PortMidiDeviceInfoVLX::Name() const {
    if (!isBound() || handle_.get() == nullptr) return {};
    return text(callPlugin(function<TextGetter>(DeviceInfoName), handle_.get()));
}

QString PortMidiDeviceInfoVLX::InterfaceName() const {
    if (!isBound() || handle_.get() == nullptr) return {};
    return text(callPlugin(function<TextGetter>(DeviceInfoInterfaceName), handle_.get()));
}

bool PortMidiDeviceInfoVLX::HasInput() const {
    if (!isBound() || handle_.get() == nullptr) return false;
    return callPlugin(function<bool(PluginObject*)>(DeviceInfoHasInput), handle_.get());
}

bool PortMidiDeviceInfoVLX::HasOutput() const {
    if (!isBound() || handle_.get() == nullptr) return false;
    return callPlugin(function<bool(PluginObject*)>(DeviceInfoHasOutput), handle_.get());
}

// ---- PortMidiVLX ----

namespace {

// A shared method of PortMidiVLX, or `unbound` with no library.
int64_t sharedCall(Member member, int64_t unbound) {
    if (!isBound()) return unbound;
    return callPlugin(function<int64_t()>(member));
}

}  // namespace

PortMidiVLX::PortMidiVLX()
    : handle_(isBound() ? construct(platform::portmidi::bound()->portMidiClass, PortMidiConstructor) : nullptr) {}

int64_t PortMidiVLX::ReInitialize() { return sharedCall(PortMidiReInitialize, pmNoError); }
int64_t PortMidiVLX::Initialize() { return sharedCall(PortMidiInitialize, pmNoError); }
int64_t PortMidiVLX::CountDevices() { return sharedCall(PortMidiCountDevices, 0); }
int64_t PortMidiVLX::DefaultInputDeviceID() { return sharedCall(PortMidiDefaultInputDeviceID, pmNoDevice); }
int64_t PortMidiVLX::DefaultOutputDeviceID() { return sharedCall(PortMidiDefaultOutputDeviceID, pmNoDevice); }

std::shared_ptr<PortMidiDeviceInfoVLX> PortMidiVLX::DeviceInfo(int64_t DeviceID) {
    if (!isBound()) return nullptr;
    ObjectRef info = callPlugin(function<PluginObject*(int64_t)>(PortMidiDeviceInfo), DeviceID);
    if (!info) return nullptr;
    return std::make_shared<PortMidiDeviceInfoVLX>(info.take());
}

QString PortMidiVLX::ErrorText(int64_t ErrorNumber) {
    if (!isBound()) return {};
    return text(callPlugin(function<PluginObject*(int64_t)>(PortMidiErrorText), ErrorNumber));
}

// ---- PortMidiStreamVLX ----

PortMidiStreamVLX::PortMidiStreamVLX()
    : handle_(isBound() ? construct(platform::portmidi::bound()->streamClass, StreamConstructor) : nullptr) {}

namespace {

bool holdsObject(const PortMidiObjectHandle& handle) { return isBound() && handle.get() != nullptr; }

}  // namespace

int64_t PortMidiStreamVLX::OpenInput(int64_t DeviceID, int64_t Buffersize) {
    if (!holdsObject(handle_)) return PortMidiVLX::pmInvalidDeviceId;
    return callPlugin(function<int64_t(PluginObject*, int64_t, int64_t)>(StreamOpenInput), handle_.get(),
                      DeviceID, Buffersize);
}

int64_t PortMidiStreamVLX::OpenOutput(int64_t DeviceID, int64_t Buffersize, int64_t Latency) {
    if (!holdsObject(handle_)) return PortMidiVLX::pmInvalidDeviceId;
    return callPlugin(function<int64_t(PluginObject*, int64_t, int64_t, int64_t)>(StreamOpenOutput),
                      handle_.get(), DeviceID, Buffersize, Latency);
}

void PortMidiStreamVLX::Close() {
    if (!holdsObject(handle_)) return;
    callPlugin(function<Procedure>(StreamClose), handle_.get());
}

int64_t PortMidiStreamVLX::Abort() {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<Getter>(StreamAbort), handle_.get());
}

int64_t PortMidiStreamVLX::Poll() {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<Getter>(StreamPoll), handle_.get());
}

int64_t PortMidiStreamVLX::Read(std::shared_ptr<PortMidiEventVLX>& data) {
    // The library releases the event the argument holds; it gets a
    // reference of its own to do so, and the argument lets go of it here.
    PluginObject* slot = data ? data->object() : nullptr;
    platform::plugin::retain(slot);
    data.reset();
    if (!holdsObject(handle_)) {
        platform::plugin::release(slot);
        return noStream;
    }
    const int64_t result =
        function<int64_t(PluginObject*, PluginObject**)>(StreamRead)(handle_.get(), &slot);
    ObjectRef event = ObjectRef::adopt(slot);  // what the argument holds now is ours
    platform::plugin::throwPendingException();
    if (event) data = std::make_shared<PortMidiEventVLX>(event.take());
    return result;
}

int64_t PortMidiStreamVLX::Write(const std::shared_ptr<PortMidiEventVLX>& data) {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<int64_t(PluginObject*, PluginObject*)>(StreamWrite), handle_.get(),
                      data ? data->object() : nullptr);
}

int64_t PortMidiStreamVLX::WriteShort(int64_t When, int64_t message) {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<int64_t(PluginObject*, int64_t, int64_t)>(StreamWriteShort), handle_.get(),
                      When, message);
}

int64_t PortMidiStreamVLX::WriteSysEx(int64_t When, const QByteArray& message) {
    if (!holdsObject(handle_)) return noStream;
    // The toolkit's empty string is no string object at all.
    ObjectRef string = ObjectRef::adopt(message.isEmpty() ? nullptr : platform::plugin::newString(message));
    return callPlugin(function<int64_t(PluginObject*, int64_t, PluginObject*)>(StreamWriteSysExString),
                      handle_.get(), When, string.get());
}

int64_t PortMidiStreamVLX::WriteSysEx(int64_t When, const QByteArray* message, int64_t offset) {
    if (!holdsObject(handle_)) {
        if (message == nullptr) throw platform::NilObjectException("memoryblock is nil");
        return noStream;
    }
    ObjectRef block = ObjectRef::adopt(
        message == nullptr ? nullptr
                           : platform::plugin::newMemoryBlockView(message->constData(),
                                                                  static_cast<size_t>(message->size())));
    return callPlugin(function<int64_t(PluginObject*, int64_t, PluginObject*, int64_t)>(StreamWriteSysExBlock),
                      handle_.get(), When, block.get(), offset);
}

int64_t PortMidiStreamVLX::SetChannelMask(int64_t mask) {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<int64_t(PluginObject*, int64_t)>(StreamSetChannelMask), handle_.get(), mask);
}

int64_t PortMidiStreamVLX::SetFilter(int64_t filters) {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<int64_t(PluginObject*, int64_t)>(StreamSetFilter), handle_.get(), filters);
}

QString PortMidiStreamVLX::HostError() {
    if (!holdsObject(handle_)) return {};
    return text(callPlugin(function<TextGetter>(StreamHostError), handle_.get()));
}

QString PortMidiStreamVLX::ErrorText(int64_t ErrorNumber) {
    if (!holdsObject(handle_)) return {};
    return text(callPlugin(function<PluginObject*(PluginObject*, int64_t)>(StreamErrorText), handle_.get(),
                           ErrorNumber));
}

int64_t PortMidiStreamVLX::ChannelMask() const {
    // A stream object starts with every channel let through.
    if (!holdsObject(handle_)) return 0xFFFF;
    return callPlugin(function<Getter>(StreamChannelMask), handle_.get());
}

int64_t PortMidiStreamVLX::Filters() const {
    if (!holdsObject(handle_)) return 0;
    return callPlugin(function<Getter>(StreamFilters), handle_.get());
}

int64_t PortMidiStreamVLX::DeviceID() const {
    if (!holdsObject(handle_)) return noStream;
    return callPlugin(function<Getter>(StreamDeviceID), handle_.get());
}

QString PortMidiStreamVLX::DeviceName() const {
    if (!holdsObject(handle_)) return {};
    return text(callPlugin(function<TextGetter>(StreamDeviceName), handle_.get()));
}

int64_t PortMidiStreamVLX::currentTimeStamp() {
    if (!isBound()) return 0;
    return callPlugin(function<int64_t()>(StreamCurrentTimeStamp));
}
