#pragma once
// The services a plug-in library reaches through the resolver, and the
// registry of the classes it registers.

#include "midi/notelink_plugin.h"
#include "platform/pluginhost_objects.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::plugin {

// A loaded library and what its entry function registered.
struct PluginLibrary {
    std::string path;
    void* handle = nullptr;
    int32_t reportedVersion = 0;              // 0 until the library reports one
    std::vector<const HostClass*> classes;    // in registration order
    std::vector<std::string> problems;        // records refused, and why
};

// The resolver handed to every entry function.
PluginServiceResolver serviceResolver();

// While a library's entry function runs, what it registers belongs to it;
// a registration at any other time is refused.
void beginRegistration(PluginLibrary& library);
void endRegistration();

// Makes the classes `library` registered the ones the create service makes
// by name (the latest registration of a name counts until then).
void preferClassesOf(const PluginLibrary& library);

// The class of that name that `library` registered, or nullptr.
const HostClass* registeredClass(const PluginLibrary& library, std::string_view name);

}  // namespace platform::plugin
