#pragma once
// Notelink's side of the toolkit services. Each service is looked up through
// the resolver the entry function was given, on first use, and remembered.
// A service the toolkit does not offer makes its wrapper do nothing and
// answer nil or 0.

#include "notelink_plugin.h"

#include <cstddef>
#include <cstdint>

namespace notelink::toolkit {

void keepResolver(PluginServiceResolver resolver);

// A new object of the class of that name; nullptr when none is made.
PluginObject* createObject(const char* className);
void release(PluginObject* object);

// A toolkit string of the text; nullptr (the toolkit's empty string) for no
// text or an empty one.
PluginObject* makeString(const char* text, PluginTextEncoding encoding);

// The bytes of a string, valid until unlockString; nullptr for none.
const char* lockString(PluginObject* string, size_t* byteLength);
void unlockString(PluginObject* string);

// A memory block's bytes and size; nullptr for none.
const void* memoryBlockData(PluginObject* block, size_t* byteSize);

// Raises NilObjectException (or, when the toolkit makes none, its
// RuntimeException) with the message and ErrorNumber 0. The caller returns
// normally afterwards; the toolkit throws on its side.
void raiseNilObject(const char* message);

// 0 when the toolkit does not say.
int32_t toolkitVersion();
void reportVersion(int32_t version);
void registerClass(PluginClassRecord& record);

// Instance data at the fixed place the toolkit puts it.
template <class Data>
Data& instance(PluginObject* object) {
    return *reinterpret_cast<Data*>(reinterpret_cast<char*>(object) + PLUGIN_INSTANCE_DATA_OFFSET);
}

// Instance data at the place the toolkit wrote into the class's record.
template <class Data>
Data& instance(PluginObject* object, const PluginClassRecord& record) {
    return *reinterpret_cast<Data*>(reinterpret_cast<char*>(object) + record.instanceOffset);
}

}  // namespace notelink::toolkit
