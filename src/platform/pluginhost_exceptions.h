#pragma once
// Exceptions raised by plug-in code. A library cannot throw across the
// boundary, so its raise service only records the exception object; the
// call wrapper below throws it as the toolkit's own C++ exception once the
// library function has returned.

#include "midi/notelink_plugin.h"
#include "platform/pluginhost_objects.h"

#include <type_traits>

namespace platform::plugin {

// Keeps `exception` (with a reference of its own) as the pending exception;
// a second raise before the call returns replaces the first.
void setPendingException(PluginObject* exception);
// Drops a pending exception; answers whether there was one.
bool discardPendingException();
// Throws the pending exception, if any, as platform::NilObjectException or
// platform::RuntimeException with the object's Message.
void throwPendingException();

// Calls a library function and then throws what it raised. An object result
// comes back owned, so that nothing leaks when the call throws.
template <class Result, class... Params, class... Args>
auto callPlugin(Result (*function)(Params...), Args&&... args) {
    if constexpr (std::is_void_v<Result>) {
        function(std::forward<Args>(args)...);
        throwPendingException();
    } else if constexpr (std::is_same_v<Result, PluginObject*>) {
        ObjectRef result = ObjectRef::adopt(function(std::forward<Args>(args)...));
        throwPendingException();
        return result;
    } else {
        Result result = function(std::forward<Args>(args)...);
        throwPendingException();
        return result;
    }
}

}  // namespace platform::plugin
