#pragma once
// The program's whole numbers are 64 bits; PortMidi's are 32.

#include <portmidi.h>

#include <cstdint>

namespace notelink {

// The low 32 bits, as PortMidi takes timestamps, messages, masks and sizes.
inline int32_t low32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

// A device id only counts when it is one: cutting 2^32 down to 0 would
// open or describe device 0 for an id that names no device.
inline bool fits32(int64_t id) { return id >= INT32_MIN && id <= INT32_MAX; }

// An error number as PortMidi's enumeration can hold it. Numbers beyond its
// range are no PortMidi code either, so they travel as one that is none.
inline PmError errorNumber(int64_t code) {
    const int32_t narrowed = low32(code);
    constexpr int32_t noCode = -16384;  // the low end of what PmError can hold
    return static_cast<PmError>(narrowed < noCode || narrowed > 16383 ? noCode : narrowed);
}

}  // namespace notelink
