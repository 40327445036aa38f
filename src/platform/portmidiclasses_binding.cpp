#include "platform/portmidiclasses_binding.h"

#include <optional>

namespace platform::portmidi {
namespace {

using plugin::MemberDeclaration;
using plugin::MemberKind;

constexpr const char* Stream = "PortMidiStreamVLX";
constexpr const char* Event = "PortMidiEventVLX";
constexpr const char* PortMidi = "PortMidiVLX";
constexpr const char* DeviceInfo = "PortMidiDeviceInfoVLX";

constexpr MemberDeclaration getter(const char* cls, const char* name, const char* type) {
    return {cls, MemberKind::PropertyGet, name, type};
}
constexpr MemberDeclaration setter(const char* cls, const char* name, const char* type) {
    return {cls, MemberKind::PropertySet, name, type};
}
constexpr MemberDeclaration method(const char* cls, const char* declaration) {
    return {cls, MemberKind::Method, declaration};
}
constexpr MemberDeclaration shared(const char* cls, const char* declaration) {
    return {cls, MemberKind::SharedMethod, declaration};
}
constexpr MemberDeclaration constant(const char* cls, const char* declaration) {
    return {cls, MemberKind::Constant, declaration};
}

// In the order of enum Member.
constexpr MemberDeclaration functionMembers[] = {
    {Stream, MemberKind::Constructor, ""},
    {Stream, MemberKind::Destructor, ""},
    getter(Stream, "ChannelMask", "Integer"),
    getter(Stream, "Filters", "Integer"),
    getter(Stream, "DeviceID", "Integer"),
    getter(Stream, "DeviceName", "String"),
    method(Stream, "HostError as string"),
    method(Stream, "Close"),
    method(Stream, "Abort as integer"),
    method(Stream, "ErrorText(ErrorNumber as integer) as string"),
    method(Stream, "SetChannelMask(mask as integer) as integer"),
    method(Stream, "SetFilter(filters as integer) as integer"),
    method(Stream, "Poll as integer"),
    method(Stream, "WriteSysEx(When as integer, message as string) as integer"),
    method(Stream, "WriteSysEx(When as integer, message as memoryblock, offset as integer) as integer"),
    method(Stream, "WriteShort(When as integer, message as integer) as integer"),
    method(Stream, "Write(data as PortMidiEventVLX) as integer"),
    method(Stream, "Read(byref data as PortMidiEventVLX) as integer"),
    method(Stream, "OpenInput(DeviceID as integer, Buffersize as integer) as integer"),
    method(Stream, "OpenOutput(DeviceID as integer, Buffersize as integer, Latency as integer) as integer"),
    shared(Stream, "currentTimeStamp as Integer"),
    getter(Event, "Status", "Integer"),
    setter(Event, "Status", "Integer"),
    getter(Event, "Data1", "Integer"),
    setter(Event, "Data1", "Integer"),
    getter(Event, "Data2", "Integer"),
    setter(Event, "Data2", "Integer"),
    getter(Event, "RawData0", "Integer"),
    setter(Event, "RawData0", "Integer"),
    getter(Event, "RawData1", "Integer"),
    setter(Event, "RawData1", "Integer"),
    getter(Event, "RawData2", "Integer"),
    setter(Event, "RawData2", "Integer"),
    getter(Event, "RawData3", "Integer"),
    setter(Event, "RawData3", "Integer"),
    getter(Event, "When", "Integer"),
    setter(Event, "When", "Integer"),
    getter(Event, "RawMessage", "Integer"),
    setter(Event, "RawMessage", "Integer"),
    method(Event, "Set(status as integer, data1 as integer, data2 as integer)"),
    method(Event, "SetRaw(data0 as integer, data1 as integer, data2 as integer, data3 as integer)"),
    {Event, MemberKind::SharedPropertyGet, "CurrentEvent", "PortMidiEventVLX"},
    {PortMidi, MemberKind::Constructor, ""},
    shared(PortMidi, "ReInitialize as integer"),
    shared(PortMidi, "Initialize as integer"),
    shared(PortMidi, "CountDevices as integer"),
    shared(PortMidi, "DefaultInputDeviceID as integer"),
    shared(PortMidi, "DefaultOutputDeviceID as integer"),
    shared(PortMidi, "DeviceInfo(DeviceID as integer) as PortMidiDeviceInfoVLX"),
    shared(PortMidi, "ErrorText(ErrorNumber as integer) as string"),
    getter(DeviceInfo, "Name", "String"),
    getter(DeviceInfo, "InterfaceName", "String"),
    getter(DeviceInfo, "HasInput", "Boolean"),
    getter(DeviceInfo, "HasOutput", "Boolean"),
};
static_assert(std::size(functionMembers) == MemberCount);

// The program's constants (portmidiclasses.h) stand for these values; the
// library must declare each exactly so.
constexpr MemberDeclaration constantMembers[] = {
    constant(Stream, "FilterActive = &h4000"),
    constant(Stream, "FilterSysEx = 1"),
    constant(Stream, "FilterClock = &h1D00"),
    constant(Stream, "FilterPlay = &h400"),
    constant(Stream, "FilterTick = &h200"),
    constant(Stream, "FilterFD = &h2000"),
    constant(Stream, "FilterUndefined = &h2000"),
    constant(Stream, "FilterReset = &h8000"),
    constant(Stream, "FilterRealTime = &hFF01"),
    constant(Stream, "FilterNote =  &h3000000"),
    constant(Stream, "FilterChannelAftertouch = &h20000000"),
    constant(Stream, "FilterPolyAftertouch = &h4000000"),
    constant(Stream, "FilterAftertouch = &h6000000"),
    constant(Stream, "FilterProgram = &h10000000"),
    constant(Stream, "FilterControl = &h8000000"),
    constant(Stream, "FilterPitchBend = &h40000000"),
    constant(Stream, "FilterMTC = 2"),
    constant(Stream, "FilterSongPosition = 4"),
    constant(Stream, "FilterSongSelect = 8"),
    constant(Stream, "FilterTune = &h40"),
    constant(Stream, "FilterSystemCommon = &h4E"),
    constant(PortMidi, "pmNoError = 0"),
    constant(PortMidi, "pmHostError = -10000"),
    constant(PortMidi, "pmInvalidDeviceId = -9999"),
    constant(PortMidi, "pmInsufficientMemory = -9998"),
    constant(PortMidi, "pmBufferTooSmall = -9997"),
    constant(PortMidi, "pmBufferOverflow = -9996"),
    constant(PortMidi, "pmBadPtr = -9995"),
    constant(PortMidi, "pmBadData = -9994"),
    constant(PortMidi, "pmInternalError = -9993"),
    constant(PortMidi, "pmBufferMaxSize = -9992"),
    constant(PortMidi, "pmNoDevice = -1"),
};

std::optional<Binding>& current() {
    static std::optional<Binding> binding;
    return binding;
}

}  // namespace

const Binding* bound() { return current() ? &*current() : nullptr; }

std::span<const MemberDeclaration> functionDeclarations() { return functionMembers; }
std::span<const MemberDeclaration> constantDeclarations() { return constantMembers; }

bool bind(const plugin::PluginLibrary& library, std::vector<std::string>& problems) {
    unbind();
    Binding binding;
    const size_t problemsBefore = problems.size();
    const std::pair<const plugin::HostClass**, const char*> classes[] = {
        {&binding.streamClass, Stream},
        {&binding.eventClass, Event},
        {&binding.portMidiClass, PortMidi},
        {&binding.deviceInfoClass, DeviceInfo},
    };
    for (const auto& [slot, name] : classes) {
        *slot = plugin::registeredClass(library, name);
        if (*slot == nullptr) problems.push_back(std::string(name) + ": class not registered");
    }
    for (size_t i = 0; i < MemberCount; ++i) {
        const plugin::MemberLookUp member = plugin::lookUpMember(library, functionMembers[i]);
        if (member.found)
            binding.functions[i] = member.function;
        else if (registeredClass(library, functionMembers[i].className) != nullptr)
            problems.push_back(plugin::bindingKey(functionMembers[i]) + ": " + member.problem);
    }
    for (const MemberDeclaration& declaration : constantMembers) {
        const plugin::MemberLookUp member = plugin::lookUpMember(library, declaration);
        if (!member.found && registeredClass(library, declaration.className) != nullptr)
            problems.push_back(plugin::bindingKey(declaration) + ": " + member.problem);
    }
    if (problems.size() != problemsBefore) return false;
    current() = binding;
    return true;
}

void unbind() { current().reset(); }

}  // namespace platform::portmidi
