// Notelink going away: once PortMidi is up, unloading the library closes
// the devices its streams still hold; a library never used leaves PortMidi
// alone.

#include "direct_loading.h"
#include "midi/standin/portmidi_standin.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const PluginMethod* method(const PluginClassRecord& record, const char* declaration) {
    for (uint32_t i = 0; i < record.methodCount; ++i)
        if (std::strcmp(record.methods[i].declaration, declaration) == 0) return &record.methods[i];
    return nullptr;
}

// Unloads the library and answers whether it is gone from the process.
bool unload(DirectlyLoaded& loaded) {
    if (dlclose(loaded.handle) != 0) return false;
    loaded.handle = nullptr;
    return dlopen(loaded.path.c_str(), RTLD_NOW | RTLD_NOLOAD) == nullptr;
}

TEST(Unload, ClosesTheDeviceAStreamStillHolds) {
    portmidi_standin::reset();
    portmidi_standin::addInput("Keys");
    DirectlyLoaded loaded;
    std::string error;
    ASSERT_TRUE(loadDirectly(loaded, error)) << error;
    const PluginClassRecord* stream = loaded.record("PortMidiStreamVLX");
    ASSERT_NE(stream, nullptr);
    const PluginMethod* openInput = method(*stream, "OpenInput(DeviceID as integer, Buffersize as integer) as integer");
    ASSERT_NE(openInput, nullptr);

    // A stream object as the toolkit lays it out, never destroyed: what the
    // library keeps for its stream goes with the process, as at exit. Static
    // storage keeps that reachable for the leak checker.
    alignas(16) static unsigned char object[sizeof(PluginObject) + 256] = {};
    ASSERT_LE(stream->instanceSize, 256u);
    auto* self = reinterpret_cast<PluginObject*>(object);
    reinterpret_cast<void (*)(PluginObject*)>(stream->constructor)(self);
    ASSERT_EQ(reinterpret_cast<int64_t (*)(PluginObject*, int64_t, int64_t)>(openInput->function)(self, 0, 100), 0);
    ASSERT_TRUE(portmidi_standin::isOpen(0));

    ASSERT_TRUE(unload(loaded)) << "the library stayed loaded";
    EXPECT_FALSE(portmidi_standin::isOpen(0));
    EXPECT_EQ(portmidi_standin::terminateCalls(), 1);
}

TEST(Unload, LeavesPortMidiAloneWhenNothingBroughtItUp) {
    portmidi_standin::reset();
    DirectlyLoaded loaded;
    std::string error;
    ASSERT_TRUE(loadDirectly(loaded, error)) << error;
    ASSERT_TRUE(unload(loaded)) << "the library stayed loaded";
    EXPECT_EQ(portmidi_standin::initializeCalls(), 0);
    EXPECT_EQ(portmidi_standin::terminateCalls(), 0);
}

}  // namespace
