#pragma once
// Every event handler runs through dispatch(): whatever a handler throws stops
// here, so no exception ever unwinds through Qt. What escapes gets the default
// handling: a message naming the exception and the handler.

#include <exception>
#include <string_view>
#include <type_traits>

namespace platform {

void reportUnhandled(std::string_view handler, const std::exception* error);

template <class F>
auto dispatch(std::string_view handler, F&& body) -> std::invoke_result_t<F> {
    using Result = std::invoke_result_t<F>;
    try {
        return body();
    } catch (const std::exception& error) {
        reportUnhandled(handler, &error);
    } catch (...) {
        reportUnhandled(handler, nullptr);
    }
    if constexpr (!std::is_void_v<Result>) return Result{};
}

}  // namespace platform
