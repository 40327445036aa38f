#include "device_classes.h"
#include "device_name.h"

#include "narrowing.h"
#include "registration.h"
#include "portmidi_session.h"
#include "toolkit.h"

#include <iterator>

namespace notelink {
namespace {

// A device-info object refers to PortMidi's own entry, which lives only as
// long as the device list it came from.
struct DeviceEntry {
    const PmDeviceInfo* entry;
    uint64_t generation;
};

PluginClassRecord& infoRecord();

const PmDeviceInfo* entryOf(PluginObject* self) {
    const DeviceEntry& data = toolkit::instance<DeviceEntry>(self, infoRecord());
    return data.generation == deviceListGeneration() ? data.entry : nullptr;
}

PluginObject* getName(PluginObject* self) noexcept {
    const PmDeviceInfo* entry = entryOf(self);
    return entry != nullptr ? deviceName(entry->name) : nullptr;
}

PluginObject* getInterfaceName(PluginObject* self) noexcept {
    const PmDeviceInfo* entry = entryOf(self);
    return entry != nullptr ? toolkit::makeString(entry->interf, PLUGIN_ENCODING_ASCII) : nullptr;
}

bool getHasInput(PluginObject* self) noexcept {
    const PmDeviceInfo* entry = entryOf(self);
    return entry != nullptr && entry->input != 0;
}

bool getHasOutput(PluginObject* self) noexcept {
    const PmDeviceInfo* entry = entryOf(self);
    return entry != nullptr && entry->output != 0;
}

void construct(PluginObject*) noexcept { initialiseOnce(); }

int64_t reInitializeMember() noexcept { return reinitialize(); }
int64_t initializeMember() noexcept { return initialize(); }

int64_t countDevices() noexcept {
    initialiseOnce();
    return Pm_CountDevices();
}

int64_t defaultInputDeviceID() noexcept {
    initialiseOnce();
    return Pm_GetDefaultInputDeviceID();
}

int64_t defaultOutputDeviceID() noexcept {
    initialiseOnce();
    return Pm_GetDefaultOutputDeviceID();
}

PluginObject* deviceInfo(int64_t id) noexcept {
    initialiseOnce();
    if (!fits32(id)) return nullptr;
    const PmDeviceInfo* entry = Pm_GetDeviceInfo(static_cast<PmDeviceID>(id));
    if (entry == nullptr) return nullptr;
    PluginObject* object = toolkit::createObject("PortMidiDeviceInfoVLX");
    if (object != nullptr)
        toolkit::instance<DeviceEntry>(object, infoRecord()) = DeviceEntry{entry, deviceListGeneration()};
    return object;
}

PluginObject* sharedErrorText(int64_t code) noexcept {
    initialiseOnce();
    return errorText(code);
}

constexpr uint32_t propertyFlags = 6;

const PluginMethod portMidiSharedMethods[] = {
    {"ReInitialize as integer", fn(reInitializeMember), methodFlags},
    {"Initialize as integer", fn(initializeMember), methodFlags},
    {"CountDevices as integer", fn(countDevices), methodFlags},
    {"DefaultInputDeviceID as integer", fn(defaultInputDeviceID), methodFlags},
    {"DefaultOutputDeviceID as integer", fn(defaultOutputDeviceID), methodFlags},
    {"DeviceInfo(DeviceID as integer) as PortMidiDeviceInfoVLX", fn(deviceInfo), methodFlags},
    {"ErrorText(ErrorNumber as integer) as string", fn(sharedErrorText), methodFlags},
};

const PluginConstant portMidiConstants[] = {
    {"pmNoError = 0"},
    {"pmHostError = -10000"},
    {"pmInvalidDeviceId = -9999"},
    {"pmInsufficientMemory = -9998"},
    {"pmBufferTooSmall = -9997"},
    {"pmBufferOverflow = -9996"},
    {"pmBadPtr = -9995"},
    {"pmBadData = -9994"},
    {"pmInternalError = -9993"},
    {"pmBufferMaxSize = -9992"},
    {"pmNoDevice = -1"},
};

PluginClassRecord portMidi = {
    "PortMidiVLX", nullptr, classFlags, 0, 0,
    fn(construct), nullptr,
    nullptr, 0,
    nullptr, 0,
    portMidiConstants, static_cast<uint32_t>(std::size(portMidiConstants)),
    nullptr, 0,
    portMidiSharedMethods, static_cast<uint32_t>(std::size(portMidiSharedMethods)),
};

const PluginProperty infoProperties[] = {
    {"Name", "String", fn(getName), nullptr, propertyFlags},
    {"InterfaceName", "String", fn(getInterfaceName), nullptr, propertyFlags},
    {"HasInput", "Boolean", fn(getHasInput), nullptr, propertyFlags},
    {"HasOutput", "Boolean", fn(getHasOutput), nullptr, propertyFlags},
};

PluginClassRecord info = {
    "PortMidiDeviceInfoVLX", nullptr, classFlags, sizeof(DeviceEntry), 0,
    nullptr, nullptr,
    infoProperties, static_cast<uint32_t>(std::size(infoProperties)),
    nullptr, 0,
    nullptr, 0,
    nullptr, 0,
    nullptr, 0,
};

PluginClassRecord& infoRecord() { return info; }

}  // namespace

PluginClassRecord& portMidiClassRecord() { return portMidi; }
PluginClassRecord& deviceInfoClassRecord() { return info; }

PluginObject* errorText(int64_t code) {
    return toolkit::makeString(Pm_GetErrorText(errorNumber(code)), PLUGIN_ENCODING_ASCII);
}

}  // namespace notelink
