#pragma once
// PortMidiVLX (PortMidi's device list, defaults, error texts and
// initialisation) and PortMidiDeviceInfoVLX (a view of one list entry).

#include "notelink_plugin.h"

#include <portmidi.h>

namespace notelink {

PluginClassRecord& portMidiClassRecord();
PluginClassRecord& deviceInfoClassRecord();

// PortMidi's text for an error code, as a toolkit string.
PluginObject* errorText(int64_t code);

}  // namespace notelink
