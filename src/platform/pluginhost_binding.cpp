#include "platform/pluginhost_binding.h"

#include <cstring>

namespace platform::plugin {
namespace {

bool same(const char* a, const char* b) { return a != nullptr && b != nullptr && std::strcmp(a, b) == 0; }

MemberLookUp found(PluginFunction function) { return {true, function, {}}; }
MemberLookUp missing(std::string problem) { return {false, nullptr, std::move(problem)}; }

MemberLookUp findMethod(const PluginMethod* methods, uint32_t count, const char* declaration) {
    for (uint32_t i = 0; i < count; ++i)
        if (same(methods[i].declaration, declaration)) return found(methods[i].function);
    return missing("not registered");
}

MemberLookUp findProperty(const PluginProperty* properties, uint32_t count, const MemberDeclaration& member,
                          bool wantSetter) {
    for (uint32_t i = 0; i < count; ++i) {
        const PluginProperty& property = properties[i];
        if (!same(property.name, member.text)) continue;
        if (!same(property.type, member.type))
            return missing(std::string("registered as ") + property.type + ", not " + member.type);
        if (wantSetter && property.setter == nullptr) return missing("registered read-only");
        return found(wantSetter ? property.setter : property.getter);
    }
    return missing("not registered");
}

}  // namespace

std::string bindingKey(const MemberDeclaration& member) {
    std::string key = std::string(member.className) + ".";
    switch (member.kind) {
    case MemberKind::Constructor: return key + "__init";
    case MemberKind::Destructor: return key + "__exit";
    case MemberKind::PropertyGet:
    case MemberKind::SharedPropertyGet: return key + member.text + ".Get";
    case MemberKind::PropertySet: return key + member.text + ".Set";
    case MemberKind::Method:
    case MemberKind::SharedMethod:
    case MemberKind::Constant: break;
    }
    return key + member.text;
}

MemberLookUp lookUpMember(const PluginLibrary& library, const MemberDeclaration& member) {
    const HostClass* cls = registeredClass(library, member.className);
    if (cls == nullptr) return missing("its class is not registered");
    const PluginClassRecord& record = *cls->record;
    switch (member.kind) {
    case MemberKind::Constructor:
        return record.constructor ? found(record.constructor) : missing("no constructor registered");
    case MemberKind::Destructor:
        return record.destructor ? found(record.destructor) : missing("no destructor registered");
    case MemberKind::Method: return findMethod(record.methods, record.methodCount, member.text);
    case MemberKind::SharedMethod: return findMethod(record.sharedMethods, record.sharedMethodCount, member.text);
    case MemberKind::PropertyGet: return findProperty(record.properties, record.propertyCount, member, false);
    case MemberKind::PropertySet: return findProperty(record.properties, record.propertyCount, member, true);
    case MemberKind::SharedPropertyGet:
        return findProperty(record.sharedProperties, record.sharedPropertyCount, member, false);
    case MemberKind::Constant:
        for (uint32_t i = 0; i < record.constantCount; ++i)
            if (same(record.constants[i].declaration, member.text)) return found(nullptr);
        return missing("not registered");
    }
    return missing("not registered");
}

}  // namespace platform::plugin
