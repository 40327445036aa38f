#include "toolkit.h"

#include <cstring>

namespace notelink::toolkit {
namespace {

PluginServiceResolver resolver = nullptr;

template <class Service>
Service lookUp(const char* name) {
    return resolver != nullptr ? reinterpret_cast<Service>(resolver(name)) : nullptr;
}

// Each service's entry, resolved once, on the first call that needs it.
#define NOTELINK_SERVICE(Type, name)                   \
    ([] {                                              \
        static const Type service = lookUp<Type>(name); \
        return service;                                \
    }())

}  // namespace

void keepResolver(PluginServiceResolver given) { resolver = given; }

PluginObject* createObject(const char* className) {
    const auto create = NOTELINK_SERVICE(PluginObjectCreateService, PLUGIN_SERVICE_OBJECT_CREATE);
    return create != nullptr ? create(className) : nullptr;
}

void release(PluginObject* object) {
    const auto releaseObject = NOTELINK_SERVICE(PluginObjectReleaseService, PLUGIN_SERVICE_OBJECT_RELEASE);
    if (object != nullptr && releaseObject != nullptr) releaseObject(object);
}

PluginObject* makeString(const char* text, PluginTextEncoding encoding) {
    if (text == nullptr || *text == '\0') return nullptr;
    const auto create = NOTELINK_SERVICE(PluginStringCreateService, PLUGIN_SERVICE_STRING_CREATE);
    return create != nullptr ? create(text, encoding) : nullptr;
}

const char* lockString(PluginObject* string, size_t* byteLength) {
    *byteLength = 0;
    const auto lock = NOTELINK_SERVICE(PluginStringLockService, PLUGIN_SERVICE_STRING_LOCK);
    return string != nullptr && lock != nullptr ? lock(string, byteLength) : nullptr;
}

void unlockString(PluginObject* string) {
    const auto unlock = NOTELINK_SERVICE(PluginStringUnlockService, PLUGIN_SERVICE_STRING_UNLOCK);
    if (string != nullptr && unlock != nullptr) unlock(string);
}

const void* memoryBlockData(PluginObject* block, size_t* byteSize) {
    *byteSize = 0;
    const auto data = NOTELINK_SERVICE(PluginMemoryBlockDataService, PLUGIN_SERVICE_MEMORYBLOCK_DATA);
    return block != nullptr && data != nullptr ? data(block, byteSize) : nullptr;
}

void raiseNilObject(const char* message) {
    PluginObject* exception = createObject("NilObjectException");
    if (exception == nullptr) exception = createObject("RuntimeException");
    if (exception == nullptr) return;
    const auto setString =
        NOTELINK_SERVICE(PluginSetStringPropertyService, PLUGIN_SERVICE_SET_STRING_PROPERTY);
    const auto setInteger =
        NOTELINK_SERVICE(PluginSetIntegerPropertyService, PLUGIN_SERVICE_SET_INTEGER_PROPERTY);
    const auto raise = NOTELINK_SERVICE(PluginRaiseExceptionService, PLUGIN_SERVICE_RAISE_EXCEPTION);
    PluginObject* text = makeString(message, PLUGIN_ENCODING_UTF8);
    if (setString != nullptr) setString(exception, "Message", text);
    if (setInteger != nullptr) setInteger(exception, "ErrorNumber", 0);
    if (raise != nullptr) raise(exception);
    release(text);
    release(exception);
}

int32_t toolkitVersion() {
    const auto version = NOTELINK_SERVICE(PluginToolkitVersionService, PLUGIN_SERVICE_TOOLKIT_VERSION);
    return version != nullptr ? version() : 0;
}

void reportVersion(int32_t version) {
    const auto report = NOTELINK_SERVICE(PluginReportVersionService, PLUGIN_SERVICE_REPORT_VERSION);
    if (report != nullptr) report(version);
}

void registerClass(PluginClassRecord& record) {
    const auto registerRecord = NOTELINK_SERVICE(PluginRegisterClassService, PLUGIN_SERVICE_REGISTER_CLASS);
    if (registerRecord != nullptr) registerRecord(&record);
}

}  // namespace notelink::toolkit
