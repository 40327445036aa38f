#pragma once
// PortMidiStreamVLX: an object that owns at most one PortMidi stream.

#include "notelink_plugin.h"

namespace notelink {

PluginClassRecord& streamClassRecord();

}  // namespace notelink
