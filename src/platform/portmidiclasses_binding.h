#pragma once
// The MIDI classes' binding: the declaration of every member the program
// binds, and the library function bound to each. The classes in
// portmidiclasses.h call through it.

#include "midi/notelink_plugin.h"
#include "platform/pluginhost_binding.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace platform::portmidi {

enum Member : size_t {
    StreamConstructor,
    StreamDestructor,
    StreamChannelMask,
    StreamFilters,
    StreamDeviceID,
    StreamDeviceName,
    StreamHostError,
    StreamClose,
    StreamAbort,
    StreamErrorText,
    StreamSetChannelMask,
    StreamSetFilter,
    StreamPoll,
    StreamWriteSysExString,
    StreamWriteSysExBlock,
    StreamWriteShort,
    StreamWrite,
    StreamRead,
    StreamOpenInput,
    StreamOpenOutput,
    StreamCurrentTimeStamp,
    EventStatusGet,
    EventStatusSet,
    EventData1Get,
    EventData1Set,
    EventData2Get,
    EventData2Set,
    EventRawData0Get,
    EventRawData0Set,
    EventRawData1Get,
    EventRawData1Set,
    EventRawData2Get,
    EventRawData2Set,
    EventRawData3Get,
    EventRawData3Set,
    EventWhenGet,
    EventWhenSet,
    EventRawMessageGet,
    EventRawMessageSet,
    EventSet,
    EventSetRaw,
    EventCurrentEvent,
    PortMidiConstructor,
    PortMidiReInitialize,
    PortMidiInitialize,
    PortMidiCountDevices,
    PortMidiDefaultInputDeviceID,
    PortMidiDefaultOutputDeviceID,
    PortMidiDeviceInfo,
    PortMidiErrorText,
    DeviceInfoName,
    DeviceInfoInterfaceName,
    DeviceInfoHasInput,
    DeviceInfoHasOutput,
    MemberCount
};

struct Binding {
    std::array<PluginFunction, MemberCount> functions{};
    const plugin::HostClass* streamClass = nullptr;
    const plugin::HostClass* eventClass = nullptr;
    const plugin::HostClass* portMidiClass = nullptr;
    const plugin::HostClass* deviceInfoClass = nullptr;
};

// The binding in force, or nullptr when the classes are not bound.
const Binding* bound();

// Binds every member to what `library` registered. On failure nothing is
// bound and `problems` says which members are missing and why.
bool bind(const plugin::PluginLibrary& library, std::vector<std::string>& problems);
void unbind();

// The declarations the program binds, function members and constants.
std::span<const plugin::MemberDeclaration> functionDeclarations();
std::span<const plugin::MemberDeclaration> constantDeclarations();

// The bound function of `member`, cast to the signature its declaration fixes.
template <class Signature>
Signature* function(Member member) {
    return reinterpret_cast<Signature*>(bound()->functions[member]);
}

}  // namespace platform::portmidi
