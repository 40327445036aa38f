#pragma once
// What the three class records share: member functions passed to the toolkit
// as its plain function type, and the flag words of classes and methods.

#include "notelink_plugin.h"

#include <cstdint>

namespace notelink {

template <class F>
PluginFunction fn(F* function) {
    return reinterpret_cast<PluginFunction>(function);
}

inline constexpr uint32_t classFlags = 4;
inline constexpr uint32_t methodFlags = 4;

}  // namespace notelink
