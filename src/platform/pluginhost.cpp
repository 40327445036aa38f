#include "platform/pluginhost.h"

#include "platform/pluginhost_exceptions.h"
#include "platform/pluginhost_services.h"
#include "platform/portmidiclasses_binding.h"

#include <QDir>
#include <cstdio>
#include <deque>
#include <dlfcn.h>

namespace platform {
namespace {

using plugin::PluginLibrary;

constexpr const char* midiLibraryFile = "libNotelink.so";

// Libraries stay loaded for the life of the process: their classes' objects
// and records live in them.
std::deque<PluginLibrary>& loadedLibraries() {
    static std::deque<PluginLibrary> libraries;
    return libraries;
}

std::string dlerrorText() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

// Loads the library at `path` and runs its entry function once; loading the
// same file again answers what it registered the first time.
const PluginLibrary* loadLibrary(const std::string& path, std::string& error) {
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = dlerrorText();
        return nullptr;
    }
    for (const PluginLibrary& library : loadedLibraries()) {
        if (library.handle == handle) {
            dlclose(handle);  // the first load's reference keeps it
            return &library;
        }
    }
    dlerror();
    void* entry = dlsym(handle, PLUGIN_ENTRY_SYMBOL);
    if (entry == nullptr) {
        error = std::string("it has no entry function ") + PLUGIN_ENTRY_SYMBOL;
        dlclose(handle);
        return nullptr;
    }
    PluginLibrary& library = loadedLibraries().emplace_back();
    library.path = path;
    library.handle = handle;
    plugin::beginRegistration(library);
    reinterpret_cast<PluginEntryFunction>(entry)(plugin::serviceResolver());
    plugin::endRegistration();
    // The entry function has no caller to raise to.
    plugin::discardPendingException();
    return &library;
}

void report(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "Taptrell: MIDI input is not available: %s %s\n", path.c_str(), why.c_str());
}

}  // namespace

bool loadPlugins(const QString& programFolder) {
    portmidi::unbind();
    const std::string path = QDir(programFolder).filePath(QString::fromLatin1(midiLibraryFile)).toStdString();
    std::string error;
    const PluginLibrary* library = loadLibrary(path, error);
    if (library == nullptr) {
        report(path, "cannot be loaded: " + error);
        return false;
    }
    if (library->reportedVersion == 0) {
        report(path, "reported no plug-in interface version");
        return false;
    }
    if (library->reportedVersion != PLUGIN_INTERFACE_VERSION) {
        report(path, "was built for plug-in interface version " + std::to_string(library->reportedVersion) +
                         ", not " + std::to_string(PLUGIN_INTERFACE_VERSION));
        return false;
    }
    std::vector<std::string> problems = library->problems;
    if (!portmidi::bind(*library, problems) || !problems.empty()) {
        portmidi::unbind();
        std::string why = "does not offer the MIDI classes as the program declares them:";
        for (const std::string& problem : problems) why += "\n  " + problem;
        report(path, why);
        return false;
    }
    plugin::preferClassesOf(*library);
    return true;
}

bool midiClassesBound() { return portmidi::bound() != nullptr; }

}  // namespace platform
