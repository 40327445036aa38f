#pragma once
// Finding a library's registered members by class name and declaration.
// Keys are compared byte for byte: a declaration that differs in a blank or
// in the case of a letter is another member.

#include "midi/notelink_plugin.h"
#include "platform/pluginhost_services.h"

#include <string>

namespace platform::plugin {

enum class MemberKind {
    Constructor,        // key Class.__init
    Destructor,         // key Class.__exit
    Method,             // key Class.declaration
    SharedMethod,       // key Class.declaration
    PropertyGet,        // key Class.Name.Get
    PropertySet,        // key Class.Name.Set
    SharedPropertyGet,  // key Class.Name.Get
    Constant,           // key Class.declaration ("Name = value")
};

struct MemberDeclaration {
    const char* className;
    MemberKind kind;
    const char* text;            // the declaration, or the property's name
    const char* type = nullptr;  // a property's type
};

std::string bindingKey(const MemberDeclaration& member);

struct MemberLookUp {
    bool found = false;
    PluginFunction function = nullptr;  // nullptr for a constant
    std::string problem;                // why it was not found
};

MemberLookUp lookUpMember(const PluginLibrary& library, const MemberDeclaration& member);

}  // namespace platform::plugin
