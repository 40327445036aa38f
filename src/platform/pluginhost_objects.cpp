#include "platform/pluginhost_objects.h"

#include "platform/pluginhost_exceptions.h"

#include <QByteArray>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace platform::plugin {
namespace {

constexpr std::align_val_t objectAlignment{16};
static_assert(PLUGIN_INSTANCE_DATA_OFFSET % 16 == 0,
              "instance data must start aligned for any scalar");

int64_t& liveObjects() {
    static int64_t count = 0;
    return count;
}

// ---- Strings ----

struct StringData {
    char* bytes;  // length bytes and a zero byte, malloc'd
    size_t length;
    PluginTextEncoding encoding;
    int32_t locks;
};

void finalizeString(PluginObject* object) {
    std::free(static_cast<StringData*>(instanceData(object))->bytes);
}

// Windows Latin-1 differs from ISO Latin-1 only in 0x80..0x9F; the five
// codes it leaves undefined keep their C1 code points.
constexpr std::array<char16_t, 32> windowsLatin1High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode(const char* bytes, size_t length, PluginTextEncoding encoding) {
    const auto size = static_cast<qsizetype>(length);
    switch (encoding) {
    case PLUGIN_ENCODING_UTF8:
        return QString::fromUtf8(bytes, size);
    case PLUGIN_ENCODING_WINDOWS_LATIN1: {
        QString text(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            text[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(windowsLatin1High[byte - 0x80])
                                                     : QChar(static_cast<char16_t>(byte));
        }
        return text;
    }
    case PLUGIN_ENCODING_ASCII:
    default: {
        // Bytes outside ASCII are not text in this encoding: they show as
        // the replacement character rather than as a guess.
        QString text(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            text[i] = byte < 0x80 ? QChar(static_cast<char16_t>(byte)) : QChar(QChar::ReplacementCharacter);
        }
        return text;
    }
    }
}

// ---- Memory blocks ----

struct MemoryBlockData {
    const void* data;
    size_t size;
};

// ---- Exceptions ----

struct ExceptionData {
    PluginObject* message;  // a toolkit string, or nil
    int64_t errorNumber;
};

void finalizeException(PluginObject* object) {
    release(static_cast<ExceptionData*>(instanceData(object))->message);
}

HostClass makeToolkitClass(const char* name, size_t size, void (*finalize)(PluginObject*)) {
    HostClass cls;
    cls.name = name;
    cls.instanceSize = size;
    cls.finalize = finalize;
    return cls;
}

struct ObjectHeader {
    const HostClass* cls;
    int64_t references;
};
static_assert(sizeof(ObjectHeader) == sizeof(PluginObject));

ObjectHeader& header(const PluginObject* object) {
    return *reinterpret_cast<ObjectHeader*>(const_cast<PluginObject*>(object));
}

void destroy(PluginObject* object) {
    const HostClass& cls = classOf(object);
    if (cls.record != nullptr && cls.record->destructor != nullptr) {
        reinterpret_cast<void (*)(PluginObject*)>(cls.record->destructor)(object);
        // A destructor has nobody to report to: what it raised is dropped.
        if (discardPendingException())
            std::fprintf(stderr, "Taptrell: an exception raised while destroying a %s was ignored\n",
                         cls.name.c_str());
    }
    if (cls.finalize != nullptr) cls.finalize(object);
    ::operator delete(static_cast<void*>(object), objectAlignment);
    --liveObjects();
}

}  // namespace

PluginObject* newObject(const HostClass& cls) {
    const size_t size = PLUGIN_INSTANCE_DATA_OFFSET + cls.instanceSize;
    void* memory = ::operator new(size, objectAlignment);
    std::memset(memory, 0, size);
    auto* object = static_cast<PluginObject*>(memory);
    header(object) = ObjectHeader{&cls, 1};
    ++liveObjects();
    return object;
}

PluginObject* createObject(const HostClass& cls) {
    PluginObject* object = newObject(cls);
    if (cls.record != nullptr && cls.record->constructor != nullptr)
        reinterpret_cast<void (*)(PluginObject*)>(cls.record->constructor)(object);
    return object;
}

void retain(PluginObject* object) {
    if (object != nullptr) ++header(object).references;
}

void release(PluginObject* object) {
    if (object == nullptr) return;
    if (--header(object).references == 0) destroy(object);
}

const HostClass& classOf(const PluginObject* object) { return *header(object).cls; }

void* instanceData(PluginObject* object) {
    return reinterpret_cast<char*>(object) + PLUGIN_INSTANCE_DATA_OFFSET;
}

int64_t liveObjectCount() { return liveObjects(); }

ObjectRef& ObjectRef::operator=(ObjectRef&& other) noexcept {
    if (this != &other) {
        release(object_);
        object_ = other.take();
    }
    return *this;
}

const HostClass& stringClass() {
    static const HostClass cls = makeToolkitClass("String", sizeof(StringData), finalizeString);
    return cls;
}

const HostClass& memoryBlockClass() {
    static const HostClass cls = makeToolkitClass("MemoryBlock", sizeof(MemoryBlockData), nullptr);
    return cls;
}

const HostClass& runtimeExceptionClass() {
    static const HostClass cls =
        makeToolkitClass("RuntimeException", sizeof(ExceptionData), finalizeException);
    return cls;
}

const HostClass& nilObjectExceptionClass() {
    static const HostClass cls =
        makeToolkitClass("NilObjectException", sizeof(ExceptionData), finalizeException);
    return cls;
}

const HostClass* findToolkitClass(std::string_view name) {
    for (const HostClass* cls : {&stringClass(), &memoryBlockClass(), &runtimeExceptionClass(),
                                 &nilObjectExceptionClass()})
        if (cls->name == name) return cls;
    return nullptr;
}

PluginObject* newString(const char* bytes, size_t length, PluginTextEncoding encoding) {
    PluginObject* object = newObject(stringClass());
    auto* data = static_cast<StringData*>(instanceData(object));
    data->bytes = static_cast<char*>(std::malloc(length + 1));
    if (data->bytes == nullptr) {
        release(object);
        throw std::bad_alloc();
    }
    if (length > 0) std::memcpy(data->bytes, bytes, length);
    data->bytes[length] = '\0';
    data->length = length;
    data->encoding = encoding;
    return object;
}

PluginObject* newString(const QByteArray& bytes) {
    return newString(bytes.constData(), static_cast<size_t>(bytes.size()), PLUGIN_ENCODING_UTF8);
}

QString stringText(const PluginObject* string) {
    if (string == nullptr || &classOf(string) != &stringClass()) return {};
    const auto* data =
        static_cast<const StringData*>(instanceData(const_cast<PluginObject*>(string)));
    return decode(data->bytes, data->length, data->encoding);
}

const char* lockString(PluginObject* string, size_t* byteLength) {
    if (string == nullptr || &classOf(string) != &stringClass()) {
        if (byteLength != nullptr) *byteLength = 0;
        return nullptr;
    }
    auto* data = static_cast<StringData*>(instanceData(string));
    // A locked string stays alive until it is unlocked, whoever releases it.
    retain(string);
    ++data->locks;
    if (byteLength != nullptr) *byteLength = data->length;
    return data->bytes;
}

void unlockString(PluginObject* string) {
    if (string == nullptr || &classOf(string) != &stringClass()) return;
    auto* data = static_cast<StringData*>(instanceData(string));
    if (data->locks == 0) return;  // unbalanced: nothing of ours to give back
    --data->locks;
    release(string);
}

PluginObject* newMemoryBlockView(const void* data, size_t size) {
    PluginObject* object = newObject(memoryBlockClass());
    *static_cast<MemoryBlockData*>(instanceData(object)) = MemoryBlockData{data, size};
    return object;
}

const void* memoryBlockData(PluginObject* block, size_t* size) {
    if (block == nullptr || &classOf(block) != &memoryBlockClass()) {
        if (size != nullptr) *size = 0;
        return nullptr;
    }
    const auto* data = static_cast<const MemoryBlockData*>(instanceData(block));
    if (size != nullptr) *size = data->size;
    return data->data;
}

bool isException(const PluginObject* object) {
    return object != nullptr &&
           (&classOf(object) == &runtimeExceptionClass() || &classOf(object) == &nilObjectExceptionClass());
}

bool setExceptionMessage(PluginObject* exception, PluginObject* message) {
    if (!isException(exception)) return false;
    if (message != nullptr && &classOf(message) != &stringClass()) return false;
    auto* data = static_cast<ExceptionData*>(instanceData(exception));
    retain(message);
    release(data->message);
    data->message = message;
    return true;
}

bool setExceptionErrorNumber(PluginObject* exception, int64_t number) {
    if (!isException(exception)) return false;
    static_cast<ExceptionData*>(instanceData(exception))->errorNumber = number;
    return true;
}

QString exceptionMessage(const PluginObject* exception) {
    if (!isException(exception)) return {};
    return stringText(
        static_cast<const ExceptionData*>(instanceData(const_cast<PluginObject*>(exception)))->message);
}

}  // namespace platform::plugin
