#pragma once
// A fresh copy of Notelink (over the PortMidi stand-in) loaded without the
// program's plug-in host: its entry function gets a resolver of the test's
// own, which offers only the version and registration services and records
// each class record as it comes.

#include "midi/notelink_plugin.h"
#include "midi/standin/notelink_standin.h"

#include <cstring>
#include <dlfcn.h>
#include <string>
#include <vector>

struct DirectlyLoaded {
    void* handle = nullptr;
    std::string path;  // the copy's file, gone once loaded
    int32_t reportedVersion = 0;
    std::vector<PluginClassRecord*> records;

    const PluginClassRecord* record(const char* name) const {
        for (PluginClassRecord* r : records)
            if (std::strcmp(r->name, name) == 0) return r;
        return nullptr;
    }
};

namespace direct_loading {

inline DirectlyLoaded* recording = nullptr;

inline int32_t toolkitVersion() { return PLUGIN_INTERFACE_VERSION; }
inline void reportVersion(int32_t version) { recording->reportedVersion = version; }
inline void registerClass(PluginClassRecord* record) {
    record->instanceOffset = PLUGIN_INSTANCE_DATA_OFFSET;
    recording->records.push_back(record);
}

inline PluginFunction resolve(const char* name) {
    if (std::strcmp(name, PLUGIN_SERVICE_TOOLKIT_VERSION) == 0) return reinterpret_cast<PluginFunction>(toolkitVersion);
    if (std::strcmp(name, PLUGIN_SERVICE_REPORT_VERSION) == 0) return reinterpret_cast<PluginFunction>(reportVersion);
    if (std::strcmp(name, PLUGIN_SERVICE_REGISTER_CLASS) == 0) return reinterpret_cast<PluginFunction>(registerClass);
    return nullptr;
}

}  // namespace direct_loading

// Loads the copy and runs its entry function; false (with `error`) when it
// cannot be loaded or has no entry function.
inline bool loadDirectly(DirectlyLoaded& loaded, std::string& error) {
    const std::string folder =
        portmidi_standin::folderWith({{portmidi_standin::notelinkLibraryFile(), "libNotelink.so"}});
    loaded.path = folder + "/libNotelink.so";
    loaded.handle = dlopen(loaded.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    portmidi_standin::removeFolder(folder);
    if (loaded.handle == nullptr) {
        error = dlerror();
        return false;
    }
    const auto entry = reinterpret_cast<PluginEntryFunction>(dlsym(loaded.handle, PLUGIN_ENTRY_SYMBOL));
    if (entry == nullptr) {
        error = "no entry function";
        return false;
    }
    direct_loading::recording = &loaded;
    entry(direct_loading::resolve);
    direct_loading::recording = nullptr;
    return true;
}
