/*
 * The boundary between the program's toolkit layer and a plug-in library.
 *
 * Both sides compile this one C header. The toolkit loads the library, looks
 * up its single exported entry function and calls it with a service resolver.
 * Through the resolver the library finds the toolkit's services (objects,
 * strings, exceptions, registration); through the class records it registers,
 * the toolkit finds the library's functions, each under its declaration text.
 *
 * Nothing unwinds across this boundary: a library that wants to raise an
 * exception hands the exception object to the toolkit's raise service and
 * returns normally; the toolkit throws it on its own side once the call is
 * back.
 */
#ifndef NOTELINK_PLUGIN_H
#define NOTELINK_PLUGIN_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Marks the one symbol a plug-in library exports; build with
 * -fvisibility=hidden so that nothing else leaves the library. */
#define PLUGIN_EXPORT __attribute__((visibility("default")))

/* The exported entry function's symbol name. */
#define PLUGIN_ENTRY_SYMBOL "PluginEntry"

/* The version of this interface. The toolkit answers it through
 * PLUGIN_SERVICE_TOOLKIT_VERSION and expects a library to report the same
 * through PLUGIN_SERVICE_REPORT_VERSION. */
#define PLUGIN_INTERFACE_VERSION 1

/* Any function crossing the boundary travels as this type and is cast back
 * to its real signature, which its declaration text fixes. */
typedef void (*PluginFunction)(void);

/* Takes a service name (PLUGIN_SERVICE_...) and answers the service's entry,
 * or NULL when the toolkit offers no such service. */
typedef PluginFunction (*PluginServiceResolver)(const char* serviceName);

/* The library's entry function, PLUGIN_ENTRY_SYMBOL. Called once, right
 * after loading; the resolver stays valid for the life of the process. */
typedef void (*PluginEntryFunction)(PluginServiceResolver resolver);

/* Every toolkit object starts with this header; the toolkit alone reads and
 * writes it. A class's instance data follows it directly, at
 * PLUGIN_INSTANCE_DATA_OFFSET, aligned for any scalar. */
typedef struct PluginObject {
    const void* toolkitClass;
    int64_t toolkitReferences;
} PluginObject;

#define PLUGIN_INSTANCE_DATA_OFFSET sizeof(PluginObject)

/* Text encodings of the string service. */
typedef enum PluginTextEncoding {
    PLUGIN_ENCODING_ASCII = 1,
    PLUGIN_ENCODING_WINDOWS_LATIN1 = 2,
    PLUGIN_ENCODING_UTF8 = 3
} PluginTextEncoding;

/* ---- Class records --------------------------------------------------------
 *
 * Member functions receive the object first (instance members only), then
 * the declared arguments in order. Integer is int64_t, Boolean is bool,
 * String is a toolkit string object (PluginObject*, NULL for the empty
 * string), a class type is PluginObject* (NULL for nil), and a "byref"
 * argument of a class type is PluginObject**. Object results hand one
 * reference to the caller. A property's getter takes the object, its setter
 * the object and the new value; shared members take no object.
 *
 * The flag words are the toolkit's; this toolkit keeps them with the record
 * and gives them no meaning yet.
 */

typedef struct PluginProperty {
    const char* name;
    const char* type;       /* "Integer", "String", "Boolean" or a class name */
    PluginFunction getter;
    PluginFunction setter;  /* NULL for a read-only property */
    uint32_t flags;
} PluginProperty;

typedef struct PluginMethod {
    const char* declaration;  /* e.g. "Poll as integer" */
    PluginFunction function;
    uint32_t flags;
} PluginMethod;

typedef struct PluginConstant {
    const char* declaration;  /* "Name = value", value decimal or &h hexadecimal */
} PluginConstant;

typedef struct PluginClassRecord {
    const char* name;
    const char* superclassName;  /* NULL: no superclass */
    uint32_t flags;
    uint32_t instanceSize;       /* bytes of instance data, zeroed on creation */
    /* Written by the toolkit when the class is registered: where the
     * instance data lies from the start of an object. */
    size_t instanceOffset;
    PluginFunction constructor;  /* void (*)(PluginObject*), or NULL */
    PluginFunction destructor;   /* void (*)(PluginObject*), or NULL */
    const PluginProperty* properties;
    uint32_t propertyCount;
    const PluginMethod* methods;
    uint32_t methodCount;
    const PluginConstant* constants;
    uint32_t constantCount;
    const PluginProperty* sharedProperties;
    uint32_t sharedPropertyCount;
    const PluginMethod* sharedMethods;
    uint32_t sharedMethodCount;
} PluginClassRecord;

/* ---- Services, by name and signature ------------------------------------ */

/* A new object of a registered or toolkit class, instance data zeroed and
 * the class's constructor run; one reference for the caller. NULL when the
 * toolkit knows no such class. */
#define PLUGIN_SERVICE_OBJECT_CREATE "ObjectCreate"
typedef PluginObject* (*PluginObjectCreateService)(const char* className);

/* Gives up one reference; the last one destroys the object (running its
 * class's destructor). NULL is ignored. */
#define PLUGIN_SERVICE_OBJECT_RELEASE "ObjectRelease"
typedef void (*PluginObjectReleaseService)(PluginObject* object);

/* A new toolkit string holding a copy of the zero-terminated text, read in
 * the given encoding; NULL for NULL text. */
#define PLUGIN_SERVICE_STRING_CREATE "StringCreate"
typedef PluginObject* (*PluginStringCreateService)(const char* text, PluginTextEncoding encoding);

/* Locks a string and answers its stored bytes (not converted, followed by a
 * zero byte) and their count; the bytes stay valid until the matching
 * unlock. NULL (and 0) for a NULL string. */
#define PLUGIN_SERVICE_STRING_LOCK "StringLock"
typedef const char* (*PluginStringLockService)(PluginObject* string, size_t* byteLength);
#define PLUGIN_SERVICE_STRING_UNLOCK "StringUnlock"
typedef void (*PluginStringUnlockService)(PluginObject* string);

/* A memory block's data and size in bytes; NULL (and 0) for a NULL block. */
#define PLUGIN_SERVICE_MEMORYBLOCK_DATA "MemoryBlockData"
typedef const void* (*PluginMemoryBlockDataService)(PluginObject* block, size_t* byteSize);

/* Sets a property of an object by name: a String property from a toolkit
 * string (the object takes its own reference), an Integer property from a
 * whole number. */
#define PLUGIN_SERVICE_SET_STRING_PROPERTY "ObjectSetStringProperty"
typedef void (*PluginSetStringPropertyService)(PluginObject* object, const char* name,
                                               PluginObject* value);
#define PLUGIN_SERVICE_SET_INTEGER_PROPERTY "ObjectSetIntegerProperty"
typedef void (*PluginSetIntegerPropertyService)(PluginObject* object, const char* name,
                                                int64_t value);

/* Raises an exception object (the toolkit takes its own reference). The
 * library then returns from the member normally; the toolkit throws once the
 * call has come back to its side. */
#define PLUGIN_SERVICE_RAISE_EXCEPTION "RaiseException"
typedef void (*PluginRaiseExceptionService)(PluginObject* exception);

/* The toolkit's interface version. */
#define PLUGIN_SERVICE_TOOLKIT_VERSION "ToolkitVersion"
typedef int32_t (*PluginToolkitVersionService)(void);

/* The library reports the interface version it was built for. */
#define PLUGIN_SERVICE_REPORT_VERSION "ReportInterfaceVersion"
typedef void (*PluginReportVersionService)(int32_t version);

/* Registers a class. The record must stay valid (and writable, for
 * instanceOffset) for the life of the process. */
#define PLUGIN_SERVICE_REGISTER_CLASS "RegisterClass"
typedef void (*PluginRegisterClassService)(PluginClassRecord* record);

#ifdef __cplusplus
}
#endif

#endif /* NOTELINK_PLUGIN_H */
