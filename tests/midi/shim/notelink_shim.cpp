// A plug-in that stands between the toolkit and a Notelink copied beside it
// as libNotelink_inner.so, so that tests can see how the toolkit copes with
// a library that registers something else, and how Notelink copes with a
// toolkit that offers less. Set before loading:
//
//   NOTELINK_SHIM_WITHHOLD  service names, comma-separated, that Notelink's
//                           resolver does not find
//   NOTELINK_SHIM_EDIT      "Class|kind|text|replacement": change one thing
//                           Notelink registers. kind is method, shared,
//                           constant or property (text becomes replacement;
//                           an empty replacement drops it), type (a
//                           property's type becomes replacement), readonly
//                           (a property loses its setter), class (the class
//                           is not registered), constructor or destructor
//                           (dropped)
//   NOTELINK_SHIM_VERSION   the interface version reported instead

#include "notelink_plugin.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <dlfcn.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

PluginServiceResolver hostResolver = nullptr;

// The settings, read once when the shim is loaded: Notelink looks services
// up later, on first use.
struct Settings {
    std::string withheld, edit, version;
};
Settings settings;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

struct Edit {
    std::string className, kind, text, replacement;
};

Edit edit() {
    std::vector<std::string> parts = split(settings.edit, '|');
    parts.resize(4);
    return Edit{parts[0], parts[1], parts[2], parts[3]};
}

// A record's edited copy and the storage its arrays point into.
struct EditedRecord {
    PluginClassRecord record;
    std::vector<PluginProperty> properties, sharedProperties;
    std::vector<PluginMethod> methods, sharedMethods;
    std::vector<PluginConstant> constants;
    std::deque<std::string> texts;
};

std::deque<EditedRecord>& editedRecords() {
    static std::deque<EditedRecord> records;
    return records;
}

template <class Item>
void editItems(std::vector<Item>& items, const char* Item::*field, EditedRecord& copy, const Edit& change) {
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (change.text != (*it).*field) continue;
        if (change.replacement.empty()) {
            items.erase(it);
        } else {
            (*it).*field = copy.texts.emplace_back(change.replacement).c_str();
        }
        return;
    }
}

template <class Item>
std::vector<Item> copyOf(const Item* items, uint32_t count) {
    return items != nullptr ? std::vector<Item>(items, items + count) : std::vector<Item>();
}

PluginClassRecord* editedCopy(const PluginClassRecord& original, const Edit& change) {
    EditedRecord& copy = editedRecords().emplace_back();
    copy.record = original;
    copy.properties = copyOf(original.properties, original.propertyCount);
    copy.methods = copyOf(original.methods, original.methodCount);
    copy.constants = copyOf(original.constants, original.constantCount);
    copy.sharedProperties = copyOf(original.sharedProperties, original.sharedPropertyCount);
    copy.sharedMethods = copyOf(original.sharedMethods, original.sharedMethodCount);
    if (change.kind == "method") editItems(copy.methods, &PluginMethod::declaration, copy, change);
    if (change.kind == "shared") editItems(copy.sharedMethods, &PluginMethod::declaration, copy, change);
    if (change.kind == "constant") editItems(copy.constants, &PluginConstant::declaration, copy, change);
    if (change.kind == "property") {
        editItems(copy.properties, &PluginProperty::name, copy, change);
        editItems(copy.sharedProperties, &PluginProperty::name, copy, change);
    }
    for (std::vector<PluginProperty>* list : {&copy.properties, &copy.sharedProperties}) {
        for (PluginProperty& property : *list) {
            if (change.text != property.name) continue;
            if (change.kind == "type") property.type = copy.texts.emplace_back(change.replacement).c_str();
            if (change.kind == "readonly") property.setter = nullptr;
        }
    }
    if (change.kind == "constructor") copy.record.constructor = nullptr;
    if (change.kind == "destructor") copy.record.destructor = nullptr;
    const auto count = [](const auto& items) { return static_cast<uint32_t>(items.size()); };
    copy.record.properties = copy.properties.data();
    copy.record.propertyCount = count(copy.properties);
    copy.record.methods = copy.methods.data();
    copy.record.methodCount = count(copy.methods);
    copy.record.constants = copy.constants.data();
    copy.record.constantCount = count(copy.constants);
    copy.record.sharedProperties = copy.sharedProperties.data();
    copy.record.sharedPropertyCount = count(copy.sharedProperties);
    copy.record.sharedMethods = copy.sharedMethods.data();
    copy.record.sharedMethodCount = count(copy.sharedMethods);
    return &copy.record;
}

void registerEdited(PluginClassRecord* record) {
    const auto registerClass =
        reinterpret_cast<PluginRegisterClassService>(hostResolver(PLUGIN_SERVICE_REGISTER_CLASS));
    const Edit change = edit();
    if (change.className != record->name) {
        registerClass(record);
        return;
    }
    if (change.kind == "class") return;
    PluginClassRecord* copy = editedCopy(*record, change);
    registerClass(copy);
    // Notelink reads where its instance data lies from its own record.
    record->instanceOffset = copy->instanceOffset;
}

void reportVersion(int32_t) {
    const auto report = reinterpret_cast<PluginReportVersionService>(hostResolver(PLUGIN_SERVICE_REPORT_VERSION));
    report(static_cast<int32_t>(std::atoi(settings.version.c_str())));
}

PluginFunction resolve(const char* name) {
    for (const std::string& withheld : split(settings.withheld, ','))
        if (withheld == name) return nullptr;
    if (std::strcmp(name, PLUGIN_SERVICE_REGISTER_CLASS) == 0)
        return reinterpret_cast<PluginFunction>(registerEdited);
    if (std::strcmp(name, PLUGIN_SERVICE_REPORT_VERSION) == 0 && !settings.version.empty())
        return reinterpret_cast<PluginFunction>(reportVersion);
    return hostResolver(name);
}

}  // namespace

extern "C" PLUGIN_EXPORT void PluginEntry(PluginServiceResolver resolver) {
    hostResolver = resolver;
    settings = Settings{environment("NOTELINK_SHIM_WITHHOLD"), environment("NOTELINK_SHIM_EDIT"),
                        environment("NOTELINK_SHIM_VERSION")};
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&PluginEntry), &self) == 0 || self.dli_fname == nullptr) return;
    std::string folder = self.dli_fname;
    folder.erase(folder.rfind('/') + 1);
    void* inner = dlopen((folder + "libNotelink_inner.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (inner == nullptr) return;
    const auto entry = reinterpret_cast<PluginEntryFunction>(dlsym(inner, PLUGIN_ENTRY_SYMBOL));
    if (entry != nullptr) entry(resolve);
}
