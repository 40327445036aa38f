#include "device_name.h"

#include "toolkit.h"

#include <cstring>

namespace notelink {
namespace {

// Well-formed UTF-8: no stray continuation bytes, no sequence cut short, no
// overlong forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(const unsigned char* bytes, size_t length) {
    size_t i = 0;
    while (i < length) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t continuations = 0;
        unsigned char lowest = 0x80;   // the allowed range of the byte after the lead
        unsigned char highest = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            if (lead == 0xE0) lowest = 0xA0;   // overlong below U+0800
            if (lead == 0xED) highest = 0x9F;  // U+D800..U+DFFF are surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            if (lead == 0xF0) lowest = 0x90;   // overlong below U+10000
            if (lead == 0xF4) highest = 0x8F;  // beyond U+10FFFF
        } else {
            return false;  // a continuation byte without a lead, 0xC0, 0xC1, 0xF5..0xFF
        }
        if (length - i <= continuations) return false;
        if (bytes[i + 1] < lowest || bytes[i + 1] > highest) return false;
        for (size_t k = 2; k <= continuations; ++k)
            if (bytes[i + k] < 0x80 || bytes[i + k] > 0xBF) return false;
        i += continuations + 1;
    }
    return true;
}

PluginTextEncoding deviceNameEncoding(const char* name) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(name);
    return isValidUtf8(bytes, std::strlen(name)) ? PLUGIN_ENCODING_UTF8 : PLUGIN_ENCODING_WINDOWS_LATIN1;
}

}  // namespace

PluginObject* deviceName(const char* name) {
    if (name == nullptr) return nullptr;
    return toolkit::makeString(name, deviceNameEncoding(name));
}

}  // namespace notelink
