#pragma once
// PortMidiVLX (PortMidi's device list, defaults, error texts and
// initialisation) and PortMidiDeviceInfoVLX (a view of one list entry).

#include "notelink_plugin.h"

#include <portmidi.h>

namespace notelink {

PluginClassRecord& portMidiClassRecord();
PluginClassRecord& deviceInfoClassRecord();

// Device names on Linux are ALSA's client and port names, which are UTF-8.
constexpr PluginTextEncoding deviceNameEncoding = PLUGIN_ENCODING_UTF8;

// PortMidi's text for an error code, as a toolkit string.
PluginObject* errorText(int64_t code);

}  // namespace notelink
