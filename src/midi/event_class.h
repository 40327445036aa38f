#pragma once
// PortMidiEventVLX: one PortMidi event (a packed message and a timestamp),
// and the process-wide record of the last short message written.

#include "notelink_plugin.h"

#include <portmidi.h>

namespace notelink {

PluginClassRecord& eventClassRecord();

// A new event object holding `event`; nullptr when the toolkit makes none.
PluginObject* newEvent(const PmEvent& event);

// The event an event object carries.
PmEvent& eventOf(PluginObject* object);

// Keeps `event` as the last short message written to an output stream.
void recordCurrentEvent(const PmEvent& event);

}  // namespace notelink
