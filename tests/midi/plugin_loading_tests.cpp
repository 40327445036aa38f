// Loading the MIDI library at start-up and binding the MIDI classes by
// declaration; what the program is left with when that fails.

#include "midi_test_fixture.h"
#include "shim_loading.h"

#include "platform/exceptions.h"
#include "platform/pluginhost.h"
#include "platform/portmidiclasses_binding.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class PluginLoading : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        // A device that would show if the classes were bound after all.
        portmidi_standin::addInput("Keys");
    }
};

// Everything the program reaches answers as PortMidi does with no device.
void expectAnswersAsWithoutDevices() {
    EXPECT_FALSE(platform::midiClassesBound());
    const auto pm = std::make_shared<PortMidiVLX>();
    EXPECT_EQ(PortMidiVLX::CountDevices(), 0);
    EXPECT_EQ(PortMidiVLX::DeviceInfo(0), nullptr);
    EXPECT_EQ(PortMidiVLX::DefaultInputDeviceID(), PortMidiVLX::pmNoDevice);
    auto s = std::make_shared<PortMidiStreamVLX>();
    EXPECT_EQ(s->OpenInput(0, 100), PortMidiVLX::pmInvalidDeviceId);
    EXPECT_EQ(s->DeviceID(), -1);
    EXPECT_EQ(s->Poll(), -1);
    auto data = std::make_shared<PortMidiEventVLX>();
    EXPECT_EQ(s->Read(data), -1);
    EXPECT_EQ(data, nullptr);
    s->Close();
    EXPECT_EQ(PortMidiEventVLX::CurrentEvent(), nullptr);
    EXPECT_THROW(s->WriteSysEx(0, nullptr, 0), platform::NilObjectException);
    s.reset();
    EXPECT_FALSE(portmidi_standin::initialized()) << "PortMidi was reached without a bound library";
}

TEST_F(PluginLoading, BindsEveryClassWithoutStartingPortMidi) {
    loadNotelink();
    EXPECT_TRUE(platform::midiClassesBound());
    EXPECT_EQ(portmidi_standin::initializeCalls(), 0) << "loading alone must not bring PortMidi up";
    EXPECT_EQ(PortMidiVLX::CountDevices(), 1);
    EXPECT_EQ(portmidi_standin::initializeCalls(), 1);
}

TEST_F(PluginLoading, LoadingTheSameFileAgainBindsItsClassesWithoutRegisteringTwice) {
    const std::string folder =
        portmidi_standin::folderWith({{portmidi_standin::notelinkLibraryFile(), "libNotelink.so"}});
    EXPECT_TRUE(platform::loadPlugins(QString::fromStdString(folder)));
    loadNotelink();  // another library registers classes of the same names
    EXPECT_TRUE(platform::loadPlugins(QString::fromStdString(folder)));
    portmidi_standin::removeFolder(folder);
    EXPECT_EQ(PortMidiVLX::CountDevices(), 1);
    // What the library makes by class name is of the classes bound now.
    const auto event = PortMidiEventVLX::CurrentEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(&platform::plugin::classOf(event->object()), platform::portmidi::bound()->eventClass);
}

struct UnloadableCase {
    const char* name;
    std::function<bool()> load;
    const char* why;
};

void PrintTo(const UnloadableCase& c, std::ostream* out) { *out << c.name; }

bool loadFolder(const std::string& folder) {
    const bool bound = platform::loadPlugins(QString::fromStdString(folder));
    portmidi_standin::removeFolder(folder);
    return bound;
}

const UnloadableCase unloadableCases[] = {
    {"NoLibraryFile", [] { return loadFolder(portmidi_standin::newFolder()); }, "cannot be loaded"},
    {"NotALibrary",
     [] {
         const std::string folder = portmidi_standin::newFolder();
         std::ofstream(std::filesystem::path(folder) / "libNotelink.so") << "not a library\n";
         return loadFolder(folder);
     },
     "cannot be loaded"},
    {"NoEntryFunction",
     [] { return loadFolder(portmidi_standin::folderWith({{PORTMIDI_STANDIN_LIBRARY, "libNotelink.so"}})); },
     "has no entry function PluginEntry"},
    {"RegistersNoClass", [] { return loadThroughShim({{"NOTELINK_SHIM_WITHHOLD", "RegisterClass"}}); },
     "PortMidiStreamVLX: class not registered"},
    {"ReportsNoVersion", [] { return loadThroughShim({{"NOTELINK_SHIM_WITHHOLD", "ReportInterfaceVersion"}}); },
     "reported no plug-in interface version"},
    {"BuiltForAnotherVersion", [] { return loadThroughShim({{"NOTELINK_SHIM_VERSION", "2"}}); },
     "was built for plug-in interface version 2, not 1"},
};

class UnloadableLibrary : public PluginLoading, public testing::WithParamInterface<UnloadableCase> {};

TEST_P(UnloadableLibrary, SaysWhyAndLeavesTheProgramWithoutMidiDevices) {
    loadNotelink();  // an earlier good binding must not survive a failed load
    testing::internal::CaptureStderr();
    const bool bound = GetParam().load();
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(bound);
    EXPECT_TRUE(contains(messages, "MIDI input is not available")) << messages;
    EXPECT_TRUE(contains(messages, GetParam().why)) << messages;
    expectAnswersAsWithoutDevices();
}

INSTANTIATE_TEST_SUITE_P(Cases, UnloadableLibrary, testing::ValuesIn(unloadableCases),
                         [](const auto& test) { return std::string(test.param.name); });

struct MissingMemberCase {
    const char* name;
    const char* edit;     // what the shim changes in the registration
    const char* problem;  // the line that names it on standard error
};

void PrintTo(const MissingMemberCase& c, std::ostream* out) { *out << c.name; }

const MissingMemberCase missingMemberCases[] = {
    {"MethodInOtherCase", "PortMidiStreamVLX|method|Poll as integer|Poll as Integer",
     "PortMidiStreamVLX.Poll as integer: not registered"},
    {"MethodDropped", "PortMidiStreamVLX|method|Read(byref data as PortMidiEventVLX) as integer|",
     "PortMidiStreamVLX.Read(byref data as PortMidiEventVLX) as integer: not registered"},
    {"SharedMethodInOtherCase", "PortMidiStreamVLX|shared|currentTimeStamp as Integer|currentTimeStamp as integer",
     "PortMidiStreamVLX.currentTimeStamp as Integer: not registered"},
    {"ConstantWithOneBlank", "PortMidiStreamVLX|constant|FilterNote =  &h3000000|FilterNote = &h3000000",
     "PortMidiStreamVLX.FilterNote =  &h3000000: not registered"},
    {"ConstantWithOtherValue", "PortMidiVLX|constant|pmBadPtr = -9995|pmBadPtr = -9994",
     "PortMidiVLX.pmBadPtr = -9995: not registered"},
    {"PropertyRenamed", "PortMidiStreamVLX|property|DeviceID|DeviceId",
     "PortMidiStreamVLX.DeviceID.Get: not registered"},
    {"PropertyReadOnly", "PortMidiEventVLX|readonly|Status|", "PortMidiEventVLX.Status.Set: registered read-only"},
    {"PropertyOfOtherType", "PortMidiDeviceInfoVLX|type|HasInput|Integer",
     "PortMidiDeviceInfoVLX.HasInput.Get: registered as Integer, not Boolean"},
    {"SharedPropertyDropped", "PortMidiEventVLX|property|CurrentEvent|",
     "PortMidiEventVLX.CurrentEvent.Get: not registered"},
    {"NoDestructor", "PortMidiStreamVLX|destructor||", "PortMidiStreamVLX.__exit: no destructor registered"},
    {"NoConstructor", "PortMidiVLX|constructor||", "PortMidiVLX.__init: no constructor registered"},
    {"ClassMissing", "PortMidiEventVLX|class||", "PortMidiEventVLX: class not registered"},
};

class MissingMember : public PluginLoading, public testing::WithParamInterface<MissingMemberCase> {};

TEST_P(MissingMember, IsNamedAndNothingIsBound) {
    testing::internal::CaptureStderr();
    const bool bound = loadThroughShim({{"NOTELINK_SHIM_EDIT", GetParam().edit}});
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(bound);
    EXPECT_TRUE(contains(messages, "MIDI input is not available")) << messages;
    EXPECT_TRUE(contains(messages, GetParam().problem)) << messages;
    expectAnswersAsWithoutDevices();
}

INSTANTIATE_TEST_SUITE_P(Cases, MissingMember, testing::ValuesIn(missingMemberCases),
                         [](const auto& test) { return std::string(test.param.name); });

// The shim itself changes nothing unless told: the cases above fail for the
// change they make, and a change to a member the program does not bind
// leaves the binding whole.
TEST_F(PluginLoading, ShimThatChangesNoBoundMemberBindsAsNotelinkDoes) {
    for (const char* edit : {"", "PortMidiStreamVLX|method|NoSuchMember as integer|Other as integer"}) {
        SCOPED_TRACE(edit);
        portmidi_standin::reset();
        portmidi_standin::addInput("Keys");
        ASSERT_TRUE(loadThroughShim({{"NOTELINK_SHIM_EDIT", edit}}));
        const auto info = PortMidiVLX::DeviceInfo(0);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Name(), "Keys");
        EXPECT_TRUE(info->HasInput());
    }
}

}  // namespace
