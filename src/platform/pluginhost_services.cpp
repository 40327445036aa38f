#include "platform/pluginhost_services.h"

#include "platform/exceptions.h"
#include "platform/pluginhost_exceptions.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <set>

namespace platform::plugin {
namespace {

// Class records are checked before they are accepted, so that binding and
// object creation can trust them. Far larger instance data than any class
// needs is taken as a damaged record.
constexpr uint32_t largestInstanceSize = 1u << 20;

PluginLibrary* registeringLibrary = nullptr;

// Classes live as long as the process: objects of a class may outlive any
// binding to it.
std::deque<HostClass>& allClasses() {
    static std::deque<HostClass> classes;
    return classes;
}

// The latest class registered under each name; what ObjectCreate makes.
std::map<std::string, const HostClass*, std::less<>>& classesByName() {
    static std::map<std::string, const HostClass*, std::less<>> byName;
    return byName;
}

PluginObject*& pendingException() {
    thread_local PluginObject* pending = nullptr;
    return pending;
}

// ---- Record checks ----

bool isEmpty(const char* text) { return text == nullptr || *text == '\0'; }

std::string checkMethods(const PluginMethod* methods, uint32_t count, const char* what) {
    if (count > 0 && methods == nullptr) return std::string(what) + " missing";
    std::set<std::string_view> seen;
    for (uint32_t i = 0; i < count; ++i) {
        if (isEmpty(methods[i].declaration)) return std::string(what) + " without a declaration";
        if (methods[i].function == nullptr)
            return std::string(what) + " \"" + methods[i].declaration + "\" has no function";
        if (!seen.insert(methods[i].declaration).second)
            return std::string(what) + " \"" + methods[i].declaration + "\" declared twice";
    }
    return {};
}

std::string checkProperties(const PluginProperty* properties, uint32_t count, const char* what) {
    if (count > 0 && properties == nullptr) return std::string(what) + " missing";
    std::set<std::string_view> seen;
    for (uint32_t i = 0; i < count; ++i) {
        if (isEmpty(properties[i].name) || isEmpty(properties[i].type))
            return std::string(what) + " without a name or type";
        if (properties[i].getter == nullptr)
            return std::string(what) + " " + properties[i].name + " has no getter";
        if (!seen.insert(properties[i].name).second)
            return std::string(what) + " " + properties[i].name + " declared twice";
    }
    return {};
}

std::string checkConstants(const PluginConstant* constants, uint32_t count) {
    if (count > 0 && constants == nullptr) return "constants missing";
    std::set<std::string_view> seen;
    for (uint32_t i = 0; i < count; ++i) {
        if (isEmpty(constants[i].declaration)) return "constant without a declaration";
        if (!seen.insert(constants[i].declaration).second)
            return std::string("constant \"") + constants[i].declaration + "\" declared twice";
    }
    return {};
}

std::string checkRecord(const PluginClassRecord& record, const PluginLibrary& library) {
    if (findToolkitClass(record.name) != nullptr) return "the name is the toolkit's own class";
    if (registeredClass(library, record.name) != nullptr) return "registered twice";
    if (record.instanceSize > largestInstanceSize) return "instance data too large";
    for (const std::string& problem :
         {checkProperties(record.properties, record.propertyCount, "property"),
          checkMethods(record.methods, record.methodCount, "method"),
          checkConstants(record.constants, record.constantCount),
          checkProperties(record.sharedProperties, record.sharedPropertyCount, "shared property"),
          checkMethods(record.sharedMethods, record.sharedMethodCount, "shared method")})
        if (!problem.empty()) return problem;
    return {};
}

// ---- The services ----
//
// Plug-in code calls them, and no C++ exception may unwind through it: a
// service that runs out of memory answers as one that could not do its work
// (no object, no string, a class not registered).

PluginObject* serviceObjectCreate(const char* className) noexcept {
    if (className == nullptr) return nullptr;
    try {
        const auto found = classesByName().find(std::string_view(className));
        const HostClass* cls =
            found != classesByName().end() ? found->second : findToolkitClass(className);
        return cls != nullptr ? createObject(*cls) : nullptr;
    } catch (...) {
        return nullptr;
    }
}

void serviceObjectRelease(PluginObject* object) { release(object); }

PluginObject* serviceStringCreate(const char* text, PluginTextEncoding encoding) noexcept {
    if (text == nullptr) return nullptr;
    try {
        return newString(text, std::strlen(text), encoding);
    } catch (...) {
        return nullptr;
    }
}

const char* serviceStringLock(PluginObject* string, size_t* byteLength) {
    return lockString(string, byteLength);
}

void serviceStringUnlock(PluginObject* string) { unlockString(string); }

const void* serviceMemoryBlockData(PluginObject* block, size_t* byteSize) {
    return memoryBlockData(block, byteSize);
}

// The toolkit's exceptions have two settable properties; other names and
// other objects are left alone.
void serviceSetStringProperty(PluginObject* object, const char* name, PluginObject* value) {
    if (name != nullptr && std::strcmp(name, "Message") == 0) setExceptionMessage(object, value);
}

void serviceSetIntegerProperty(PluginObject* object, const char* name, int64_t value) {
    if (name != nullptr && std::strcmp(name, "ErrorNumber") == 0) setExceptionErrorNumber(object, value);
}

void serviceRaiseException(PluginObject* exception) {
    if (isException(exception)) setPendingException(exception);
}

int32_t serviceToolkitVersion() { return PLUGIN_INTERFACE_VERSION; }

void serviceReportVersion(int32_t version) {
    if (registeringLibrary != nullptr) registeringLibrary->reportedVersion = version;
}

void registerClassRecord(PluginClassRecord* record) {
    if (record == nullptr) return;
    const std::string name = isEmpty(record->name) ? std::string("(unnamed)") : record->name;
    if (registeringLibrary == nullptr) {
        std::fprintf(stderr, "Taptrell: class %s registered outside a library's entry function; ignored\n",
                     name.c_str());
        return;
    }
    const std::string problem = isEmpty(record->name) ? "no class name" : checkRecord(*record, *registeringLibrary);
    if (!problem.empty()) {
        registeringLibrary->problems.push_back("class " + name + " refused: " + problem);
        return;
    }
    record->instanceOffset = PLUGIN_INSTANCE_DATA_OFFSET;
    HostClass& cls = allClasses().emplace_back();
    cls.name = record->name;
    cls.record = record;
    cls.instanceSize = record->instanceSize;
    registeringLibrary->classes.push_back(&cls);
    classesByName()[cls.name] = &cls;
}

void serviceRegisterClass(PluginClassRecord* record) noexcept {
    try {
        registerClassRecord(record);
    } catch (...) {
        // Not registered for want of memory: binding then finds the class
        // missing and says so.
    }
}

template <class Service>
PluginFunction asFunction(Service service) {
    return reinterpret_cast<PluginFunction>(service);
}

PluginFunction resolveService(const char* name) {
    if (name == nullptr) return nullptr;
    static const std::map<std::string, PluginFunction, std::less<>> services = {
        {PLUGIN_SERVICE_OBJECT_CREATE, asFunction<PluginObjectCreateService>(serviceObjectCreate)},
        {PLUGIN_SERVICE_OBJECT_RELEASE, asFunction<PluginObjectReleaseService>(serviceObjectRelease)},
        {PLUGIN_SERVICE_STRING_CREATE, asFunction<PluginStringCreateService>(serviceStringCreate)},
        {PLUGIN_SERVICE_STRING_LOCK, asFunction<PluginStringLockService>(serviceStringLock)},
        {PLUGIN_SERVICE_STRING_UNLOCK, asFunction<PluginStringUnlockService>(serviceStringUnlock)},
        {PLUGIN_SERVICE_MEMORYBLOCK_DATA, asFunction<PluginMemoryBlockDataService>(serviceMemoryBlockData)},
        {PLUGIN_SERVICE_SET_STRING_PROPERTY, asFunction<PluginSetStringPropertyService>(serviceSetStringProperty)},
        {PLUGIN_SERVICE_SET_INTEGER_PROPERTY,
         asFunction<PluginSetIntegerPropertyService>(serviceSetIntegerProperty)},
        {PLUGIN_SERVICE_RAISE_EXCEPTION, asFunction<PluginRaiseExceptionService>(serviceRaiseException)},
        {PLUGIN_SERVICE_TOOLKIT_VERSION, asFunction<PluginToolkitVersionService>(serviceToolkitVersion)},
        {PLUGIN_SERVICE_REPORT_VERSION, asFunction<PluginReportVersionService>(serviceReportVersion)},
        {PLUGIN_SERVICE_REGISTER_CLASS, asFunction<PluginRegisterClassService>(serviceRegisterClass)},
    };
    const auto found = services.find(std::string_view(name));
    return found != services.end() ? found->second : nullptr;
}

PluginFunction resolve(const char* name) noexcept {
    try {
        return resolveService(name);
    } catch (...) {
        return nullptr;  // the table could not be built
    }
}

}  // namespace

PluginServiceResolver serviceResolver() { return resolve; }

void beginRegistration(PluginLibrary& library) { registeringLibrary = &library; }

void endRegistration() { registeringLibrary = nullptr; }

void preferClassesOf(const PluginLibrary& library) {
    for (const HostClass* cls : library.classes) classesByName()[cls->name] = cls;
}

const HostClass* registeredClass(const PluginLibrary& library, std::string_view name) {
    for (const HostClass* cls : library.classes)
        if (cls->name == name) return cls;
    return nullptr;
}

void setPendingException(PluginObject* exception) {
    retain(exception);
    release(pendingException());
    pendingException() = exception;
}

bool discardPendingException() {
    PluginObject* pending = pendingException();
    pendingException() = nullptr;
    release(pending);
    return pending != nullptr;
}

void throwPendingException() {
    if (pendingException() == nullptr) return;
    ObjectRef exception = ObjectRef::adopt(pendingException());
    pendingException() = nullptr;
    const std::string message = exceptionMessage(exception.get()).toStdString();
    if (&classOf(exception.get()) == &nilObjectExceptionClass()) throw NilObjectException(message);
    throw RuntimeException(message);
}

}  // namespace platform::plugin
