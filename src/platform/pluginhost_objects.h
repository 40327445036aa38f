#pragma once
// The toolkit's reference-counted objects, as plug-in libraries see them:
// a PluginObject header, then the class's instance data. Plug-in classes
// come from the class records a library registers; the toolkit's own classes
// (strings, memory blocks, exceptions) are defined here. Objects are used
// on the GUI thread only, so reference counts take no lock.

#include "midi/notelink_plugin.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::plugin {

struct HostClass {
    std::string name;
    PluginClassRecord* record = nullptr;  // set for a plug-in class
    size_t instanceSize = 0;
    // For the toolkit's own classes: frees what the instance data holds.
    void (*finalize)(PluginObject*) = nullptr;
};

// A new object with zeroed instance data; the caller holds the one
// reference. newObject leaves the class's constructor to the caller;
// createObject runs it.
PluginObject* newObject(const HostClass& cls);
PluginObject* createObject(const HostClass& cls);
void retain(PluginObject* object);
// Drops one reference; the last one runs the destructor and frees the object.
void release(PluginObject* object);
const HostClass& classOf(const PluginObject* object);
void* instanceData(PluginObject* object);
// Objects not yet freed, of every class (leaks show up here).
int64_t liveObjectCount();

// One owned reference to a toolkit object; nil when empty.
class ObjectRef {
public:
    ObjectRef() = default;
    static ObjectRef adopt(PluginObject* object) { return ObjectRef(object); }
    ObjectRef(ObjectRef&& other) noexcept : object_(other.take()) {}
    ObjectRef& operator=(ObjectRef&& other) noexcept;
    ObjectRef(const ObjectRef&) = delete;
    ObjectRef& operator=(const ObjectRef&) = delete;
    ~ObjectRef() { release(object_); }

    PluginObject* get() const { return object_; }
    // Hands the reference over to the caller.
    PluginObject* take() {
        PluginObject* object = object_;
        object_ = nullptr;
        return object;
    }
    explicit operator bool() const { return object_ != nullptr; }

private:
    explicit ObjectRef(PluginObject* object) : object_(object) {}
    PluginObject* object_ = nullptr;
};

// The toolkit's own classes.
const HostClass& stringClass();
const HostClass& memoryBlockClass();
const HostClass& runtimeExceptionClass();
const HostClass& nilObjectExceptionClass();
// The toolkit class of that name, or nullptr.
const HostClass* findToolkitClass(std::string_view name);

// Strings keep their bytes as given, with the encoding to read them in.
PluginObject* newString(const char* bytes, size_t length, PluginTextEncoding encoding);
PluginObject* newString(const QByteArray& bytes);  // bytes kept as they are (read as UTF-8)
QString stringText(const PluginObject* string);    // "" for nil
const char* lockString(PluginObject* string, size_t* byteLength);
void unlockString(PluginObject* string);

// A memory block that lends its bytes for the time of a call; it owns nothing.
PluginObject* newMemoryBlockView(const void* data, size_t size);
const void* memoryBlockData(PluginObject* block, size_t* size);

// Exception objects: their Message and ErrorNumber properties.
bool isException(const PluginObject* object);
bool setExceptionMessage(PluginObject* exception, PluginObject* message);
bool setExceptionErrorNumber(PluginObject* exception, int64_t number);
QString exceptionMessage(const PluginObject* exception);

}  // namespace platform::plugin
