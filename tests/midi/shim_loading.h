#pragma once
// Loading Notelink through the test shim (shim/notelink_shim.cpp), with the
// shim's settings in force while it loads.

#include "midi/standin/notelink_standin.h"
#include "platform/pluginhost.h"

#include <cstdlib>
#include <map>
#include <string>

inline bool loadThroughShim(const std::map<std::string, std::string>& settings) {
    for (const auto& [name, value] : settings) setenv(name.c_str(), value.c_str(), 1);
    const std::string folder = portmidi_standin::folderWith(
        {{NOTELINK_SHIM_LIBRARY, "libNotelink.so"}, {portmidi_standin::notelinkLibraryFile(), "libNotelink_inner.so"}});
    const bool bound = platform::loadPlugins(QString::fromStdString(folder));
    portmidi_standin::removeFolder(folder);
    for (const auto& [name, value] : settings) unsetenv(name.c_str());
    return bound;
}
