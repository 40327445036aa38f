// What Notelink registers, seen by a toolkit of the test's own that records
// each class record as it comes: the classes in their order, every member's
// declaration, the properties with their types and accessors, the constants,
// the constructors and destructors. The tables below are the interface the
// program was written against, spelled out literally.

#include "direct_loading.h"
#include "midi/standin/portmidi_standin.h"
#include "platform/portmidiclasses_binding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Property {
    std::string name;
    std::string type;
    bool readOnly;
    uint32_t flags;
    bool operator==(const Property&) const = default;
};

struct Method {
    std::string declaration;
    uint32_t flags;
    bool operator==(const Method&) const = default;
};

struct ClassRecord {
    std::string name;
    bool hasSuperclass;
    uint32_t flags;
    bool constructor;
    bool destructor;
    std::vector<Property> properties;
    std::vector<Method> methods;
    std::vector<std::string> constants;
    std::vector<Property> sharedProperties;
    std::vector<Method> sharedMethods;
    bool operator==(const ClassRecord&) const = default;
};

void PrintTo(const Property& p, std::ostream* out) {
    *out << p.name << " " << p.type << (p.readOnly ? " read-only" : " read-write") << " flags " << p.flags;
}
void PrintTo(const Method& m, std::ostream* out) { *out << '"' << m.declaration << "\" flags " << m.flags; }

std::vector<Property> properties(const PluginProperty* list, uint32_t count) {
    std::vector<Property> result;
    for (uint32_t i = 0; i < count; ++i)
        result.push_back({list[i].name, list[i].type, list[i].setter == nullptr, list[i].flags});
    return result;
}

std::vector<Method> methods(const PluginMethod* list, uint32_t count) {
    std::vector<Method> result;
    for (uint32_t i = 0; i < count; ++i) result.push_back({list[i].declaration, list[i].flags});
    return result;
}

ClassRecord plain(const PluginClassRecord& r) {
    ClassRecord c{r.name, r.superclassName != nullptr, r.flags, r.constructor != nullptr, r.destructor != nullptr,
                  properties(r.properties, r.propertyCount), methods(r.methods, r.methodCount), {},
                  properties(r.sharedProperties, r.sharedPropertyCount), methods(r.sharedMethods, r.sharedMethodCount)};
    for (uint32_t i = 0; i < r.constantCount; ++i) c.constants.push_back(r.constants[i].declaration);
    return c;
}

// A fresh copy of Notelink, loaded directly; unloaded when the test ends.
class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        portmidi_standin::reset();
        std::string error;
        ASSERT_TRUE(loadDirectly(loaded_, error)) << error;
    }
    void TearDown() override {
        if (loaded_.handle != nullptr) dlclose(loaded_.handle);
    }

    const std::vector<PluginClassRecord*>& records() const { return loaded_.records; }
    int32_t reportedVersion() const { return loaded_.reportedVersion; }
    const PluginClassRecord& record(size_t index) const { return *loaded_.records.at(index); }

private:
    DirectlyLoaded loaded_;
};

constexpr uint32_t readOnlyStreamProperty = 0;
constexpr uint32_t otherProperty = 6;
constexpr uint32_t method = 4;

const ClassRecord streamClass = {
    "PortMidiStreamVLX", false, 4, true, true,
    {
        {"ChannelMask", "Integer", true, readOnlyStreamProperty},
        {"Filters", "Integer", true, readOnlyStreamProperty},
        {"DeviceID", "Integer", true, readOnlyStreamProperty},
        {"DeviceName", "String", true, readOnlyStreamProperty},
    },
    {
        {"HostError as string", method},
        {"Close", method},
        {"Abort as integer", method},
        {"ErrorText(ErrorNumber as integer) as string", method},
        {"SetChannelMask(mask as integer) as integer", method},
        {"SetFilter(filters as integer) as integer", method},
        {"Poll as integer", method},
        {"WriteSysEx(When as integer, message as string) as integer", method},
        {"WriteSysEx(When as integer, message as memoryblock, offset as integer) as integer", method},
        {"WriteShort(When as integer, message as integer) as integer", method},
        {"Write(data as PortMidiEventVLX) as integer", method},
        {"Read(byref data as PortMidiEventVLX) as integer", method},
        {"OpenInput(DeviceID as integer, Buffersize as integer) as integer", method},
        {"OpenOutput(DeviceID as integer, Buffersize as integer, Latency as integer) as integer", method},
    },
    {
        "FilterActive = &h4000",
        "FilterSysEx = 1",
        "FilterClock = &h1D00",
        "FilterPlay = &h400",
        "FilterTick = &h200",
        "FilterFD = &h2000",
        "FilterUndefined = &h2000",
        "FilterReset = &h8000",
        "FilterRealTime = &hFF01",
        "FilterNote =  &h3000000",
        "FilterChannelAftertouch = &h20000000",
        "FilterPolyAftertouch = &h4000000",
        "FilterAftertouch = &h6000000",
        "FilterProgram = &h10000000",
        "FilterControl = &h8000000",
        "FilterPitchBend = &h40000000",
        "FilterMTC = 2",
        "FilterSongPosition = 4",
        "FilterSongSelect = 8",
        "FilterTune = &h40",
        "FilterSystemCommon = &h4E",
    },
    {},
    {{"currentTimeStamp as Integer", method}},
};

const ClassRecord eventClass = {
    "PortMidiEventVLX", false, 4, false, false,
    {
        {"Status", "Integer", false, otherProperty},
        {"Data1", "Integer", false, otherProperty},
        {"Data2", "Integer", false, otherProperty},
        {"RawData0", "Integer", false, otherProperty},
        {"RawData1", "Integer", false, otherProperty},
        {"RawData2", "Integer", false, otherProperty},
        {"RawData3", "Integer", false, otherProperty},
        {"When", "Integer", false, otherProperty},
        {"RawMessage", "Integer", false, otherProperty},
    },
    {
        {"Set(status as integer, data1 as integer, data2 as integer)", method},
        {"SetRaw(data0 as integer, data1 as integer, data2 as integer, data3 as integer)", method},
    },
    {},
    {{"CurrentEvent", "PortMidiEventVLX", true, otherProperty}},
    {},
};

const ClassRecord portMidiClass = {
    "PortMidiVLX", false, 4, true, false,
    {},
    {},
    {
        "pmNoError = 0",
        "pmHostError = -10000",
        "pmInvalidDeviceId = -9999",
        "pmInsufficientMemory = -9998",
        "pmBufferTooSmall = -9997",
        "pmBufferOverflow = -9996",
        "pmBadPtr = -9995",
        "pmBadData = -9994",
        "pmInternalError = -9993",
        "pmBufferMaxSize = -9992",
        "pmNoDevice = -1",
    },
    {},
    {
        {"ReInitialize as integer", method},
        {"Initialize as integer", method},
        {"CountDevices as integer", method},
        {"DefaultInputDeviceID as integer", method},
        {"DefaultOutputDeviceID as integer", method},
        {"DeviceInfo(DeviceID as integer) as PortMidiDeviceInfoVLX", method},
        {"ErrorText(ErrorNumber as integer) as string", method},
    },
};

const ClassRecord deviceInfoClass = {
    "PortMidiDeviceInfoVLX", false, 4, false, false,
    {
        {"Name", "String", true, otherProperty},
        {"InterfaceName", "String", true, otherProperty},
        {"HasInput", "Boolean", true, otherProperty},
        {"HasOutput", "Boolean", true, otherProperty},
    },
    {},
    {},
    {},
    {},
};

TEST_F(Registration, FourClassesInOrderWithEveryMemberAsDeclared) {
    EXPECT_EQ(reportedVersion(), PLUGIN_INTERFACE_VERSION);
    ASSERT_EQ(records().size(), 4u);
    const ClassRecord* expected[] = {&streamClass, &eventClass, &portMidiClass, &deviceInfoClass};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i]->name);
        const ClassRecord actual = plain(record(i));
        EXPECT_EQ(actual.name, expected[i]->name);
        EXPECT_EQ(actual.hasSuperclass, false);
        EXPECT_EQ(actual.flags, expected[i]->flags);
        EXPECT_EQ(actual.constructor, expected[i]->constructor);
        EXPECT_EQ(actual.destructor, expected[i]->destructor);
        EXPECT_EQ(actual.properties, expected[i]->properties);
        EXPECT_EQ(actual.methods, expected[i]->methods);
        EXPECT_EQ(actual.constants, expected[i]->constants);
        EXPECT_EQ(actual.sharedProperties, expected[i]->sharedProperties);
        EXPECT_EQ(actual.sharedMethods, expected[i]->sharedMethods);
    }
    EXPECT_FALSE(portmidi_standin::initialized()) << "registering must not bring PortMidi up";
}

TEST_F(Registration, InstanceDataAndSharedImplementations) {
    ASSERT_EQ(records().size(), 4u);
    const PluginClassRecord& stream = record(0);
    const PluginClassRecord& event = record(1);
    // A stream handle and two 64-bit masks; an event in PortMidi's layout.
    EXPECT_EQ(stream.instanceSize, sizeof(void*) + 2 * sizeof(int64_t));
    EXPECT_EQ(event.instanceSize, sizeof(PmEvent));
    EXPECT_EQ(record(2).instanceSize, 0u);
    EXPECT_GE(record(3).instanceSize, sizeof(void*));
    // The destructor is Close.
    EXPECT_EQ(stream.destructor, stream.methods[1].function);
    // Status and RawData0, Data1 and RawData1, Data2 and RawData2 are one
    // getter and one setter each; the other properties have their own.
    const PluginProperty* p = event.properties;
    for (int byte = 0; byte < 3; ++byte) {
        SCOPED_TRACE(p[byte].name);
        EXPECT_EQ(p[byte].getter, p[byte + 3].getter);
        EXPECT_EQ(p[byte].setter, p[byte + 3].setter);
    }
    for (uint32_t i = 0; i < event.propertyCount; ++i)
        for (uint32_t k = i + 1; k < event.propertyCount; ++k) {
            if (i < 3 && k == i + 3) continue;
            EXPECT_NE(p[i].getter, p[k].getter) << p[i].name << " " << p[k].name;
        }
}

// The keys the program binds by, one for every function member of the four
// classes: Class.declaration, Class.Property.Get/.Set, Class.__init/__exit.
TEST(BindingKeys, AreTheClassNameAndTheDeclarationSpelledExactly) {
    const std::vector<std::string> expected = {
        "PortMidiStreamVLX.__init",
        "PortMidiStreamVLX.__exit",
        "PortMidiStreamVLX.ChannelMask.Get",
        "PortMidiStreamVLX.Filters.Get",
        "PortMidiStreamVLX.DeviceID.Get",
        "PortMidiStreamVLX.DeviceName.Get",
        "PortMidiStreamVLX.HostError as string",
        "PortMidiStreamVLX.Close",
        "PortMidiStreamVLX.Abort as integer",
        "PortMidiStreamVLX.ErrorText(ErrorNumber as integer) as string",
        "PortMidiStreamVLX.SetChannelMask(mask as integer) as integer",
        "PortMidiStreamVLX.SetFilter(filters as integer) as integer",
        "PortMidiStreamVLX.Poll as integer",
        "PortMidiStreamVLX.WriteSysEx(When as integer, message as string) as integer",
        "PortMidiStreamVLX.WriteSysEx(When as integer, message as memoryblock, offset as integer) as integer",
        "PortMidiStreamVLX.WriteShort(When as integer, message as integer) as integer",
        "PortMidiStreamVLX.Write(data as PortMidiEventVLX) as integer",
        "PortMidiStreamVLX.Read(byref data as PortMidiEventVLX) as integer",
        "PortMidiStreamVLX.OpenInput(DeviceID as integer, Buffersize as integer) as integer",
        "PortMidiStreamVLX.OpenOutput(DeviceID as integer, Buffersize as integer, Latency as integer) as integer",
        "PortMidiStreamVLX.currentTimeStamp as Integer",
        "PortMidiEventVLX.Status.Get",
        "PortMidiEventVLX.Status.Set",
        "PortMidiEventVLX.Data1.Get",
        "PortMidiEventVLX.Data1.Set",
        "PortMidiEventVLX.Data2.Get",
        "PortMidiEventVLX.Data2.Set",
        "PortMidiEventVLX.RawData0.Get",
        "PortMidiEventVLX.RawData0.Set",
        "PortMidiEventVLX.RawData1.Get",
        "PortMidiEventVLX.RawData1.Set",
        "PortMidiEventVLX.RawData2.Get",
        "PortMidiEventVLX.RawData2.Set",
        "PortMidiEventVLX.RawData3.Get",
        "PortMidiEventVLX.RawData3.Set",
        "PortMidiEventVLX.When.Get",
        "PortMidiEventVLX.When.Set",
        "PortMidiEventVLX.RawMessage.Get",
        "PortMidiEventVLX.RawMessage.Set",
        "PortMidiEventVLX.Set(status as integer, data1 as integer, data2 as integer)",
        "PortMidiEventVLX.SetRaw(data0 as integer, data1 as integer, data2 as integer, data3 as integer)",
        "PortMidiEventVLX.CurrentEvent.Get",
        "PortMidiVLX.__init",
        "PortMidiVLX.ReInitialize as integer",
        "PortMidiVLX.Initialize as integer",
        "PortMidiVLX.CountDevices as integer",
        "PortMidiVLX.DefaultInputDeviceID as integer",
        "PortMidiVLX.DefaultOutputDeviceID as integer",
        "PortMidiVLX.DeviceInfo(DeviceID as integer) as PortMidiDeviceInfoVLX",
        "PortMidiVLX.ErrorText(ErrorNumber as integer) as string",
        "PortMidiDeviceInfoVLX.Name.Get",
        "PortMidiDeviceInfoVLX.InterfaceName.Get",
        "PortMidiDeviceInfoVLX.HasInput.Get",
        "PortMidiDeviceInfoVLX.HasOutput.Get",
    };
    std::vector<std::string> keys;
    for (const auto& member : platform::portmidi::functionDeclarations()) keys.push_back(platform::plugin::bindingKey(member));
    EXPECT_EQ(keys, expected);
}

}  // namespace
