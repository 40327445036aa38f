#pragma once
// Device names as toolkit strings. ALSA names its clients and ports in
// UTF-8, but a driver may hand over any bytes; a name that is not valid
// UTF-8 is read as Windows Latin-1, where every byte is a character, so it
// still shows as text rather than as replacement marks.

#include "notelink_plugin.h"

namespace notelink {

// A toolkit string of the name; nullptr for none or an empty one.
PluginObject* deviceName(const char* name);

}  // namespace notelink
