// Notelink's one exported symbol: the toolkit calls it once after loading
// the library. PortMidi is not touched here; it comes up on first use.

#include "device_classes.h"
#include "event_class.h"
#include "notelink_plugin.h"
#include "stream_class.h"
#include "toolkit.h"

extern "C" PLUGIN_EXPORT void PluginEntry(PluginServiceResolver resolver) noexcept {
    using namespace notelink;
    toolkit::keepResolver(resolver);
    // A toolkit older than this interface would misread the records.
    const int32_t toolkitVersion = toolkit::toolkitVersion();
    if (toolkitVersion != 0 && toolkitVersion < PLUGIN_INTERFACE_VERSION) return;
    toolkit::reportVersion(PLUGIN_INTERFACE_VERSION);
    toolkit::registerClass(streamClassRecord());
    toolkit::registerClass(eventClassRecord());
    toolkit::registerClass(portMidiClassRecord());
    toolkit::registerClass(deviceInfoClassRecord());
}
