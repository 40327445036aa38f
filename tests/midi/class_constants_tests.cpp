// The program's constants of the MIDI classes stand for what the library
// declares: binding checks each declaration byte for byte, and each must
// carry the value the program compiled in.

#include "platform/portmidiclasses.h"
#include "platform/portmidiclasses_binding.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// "Name = value", the value decimal or &h hexadecimal.
std::pair<std::string, int64_t> parse(const std::string& declaration) {
    const size_t equals = declaration.find(" =");
    std::string value = declaration.substr(declaration.find_first_not_of(' ', equals + 2));
    const bool hex = value.rfind("&h", 0) == 0;
    return {declaration.substr(0, equals), std::stoll(hex ? value.substr(2) : value, nullptr, hex ? 16 : 10)};
}

TEST(ClassConstants, EveryDeclaredConstantHasTheProgramsValue) {
    const std::map<std::string, int64_t> program = {
        {"PortMidiStreamVLX.FilterActive", PortMidiStreamVLX::FilterActive},
        {"PortMidiStreamVLX.FilterSysEx", PortMidiStreamVLX::FilterSysEx},
        {"PortMidiStreamVLX.FilterClock", PortMidiStreamVLX::FilterClock},
        {"PortMidiStreamVLX.FilterPlay", PortMidiStreamVLX::FilterPlay},
        {"PortMidiStreamVLX.FilterTick", PortMidiStreamVLX::FilterTick},
        {"PortMidiStreamVLX.FilterFD", PortMidiStreamVLX::FilterFD},
        {"PortMidiStreamVLX.FilterUndefined", PortMidiStreamVLX::FilterUndefined},
        {"PortMidiStreamVLX.FilterReset", PortMidiStreamVLX::FilterReset},
        {"PortMidiStreamVLX.FilterRealTime", PortMidiStreamVLX::FilterRealTime},
        {"PortMidiStreamVLX.FilterNote", PortMidiStreamVLX::FilterNote},
        {"PortMidiStreamVLX.FilterChannelAftertouch", PortMidiStreamVLX::FilterChannelAftertouch},
        {"PortMidiStreamVLX.FilterPolyAftertouch", PortMidiStreamVLX::FilterPolyAftertouch},
        {"PortMidiStreamVLX.FilterAftertouch", PortMidiStreamVLX::FilterAftertouch},
        {"PortMidiStreamVLX.FilterProgram", PortMidiStreamVLX::FilterProgram},
        {"PortMidiStreamVLX.FilterControl", PortMidiStreamVLX::FilterControl},
        {"PortMidiStreamVLX.FilterPitchBend", PortMidiStreamVLX::FilterPitchBend},
        {"PortMidiStreamVLX.FilterMTC", PortMidiStreamVLX::FilterMTC},
        {"PortMidiStreamVLX.FilterSongPosition", PortMidiStreamVLX::FilterSongPosition},
        {"PortMidiStreamVLX.FilterSongSelect", PortMidiStreamVLX::FilterSongSelect},
        {"PortMidiStreamVLX.FilterTune", PortMidiStreamVLX::FilterTune},
        {"PortMidiStreamVLX.FilterSystemCommon", PortMidiStreamVLX::FilterSystemCommon},
        {"PortMidiVLX.pmNoError", PortMidiVLX::pmNoError},
        {"PortMidiVLX.pmHostError", PortMidiVLX::pmHostError},
        {"PortMidiVLX.pmInvalidDeviceId", PortMidiVLX::pmInvalidDeviceId},
        {"PortMidiVLX.pmInsufficientMemory", PortMidiVLX::pmInsufficientMemory},
        {"PortMidiVLX.pmBufferTooSmall", PortMidiVLX::pmBufferTooSmall},
        {"PortMidiVLX.pmBufferOverflow", PortMidiVLX::pmBufferOverflow},
        {"PortMidiVLX.pmBadPtr", PortMidiVLX::pmBadPtr},
        {"PortMidiVLX.pmBadData", PortMidiVLX::pmBadData},
        {"PortMidiVLX.pmInternalError", PortMidiVLX::pmInternalError},
        {"PortMidiVLX.pmBufferMaxSize", PortMidiVLX::pmBufferMaxSize},
        {"PortMidiVLX.pmNoDevice", PortMidiVLX::pmNoDevice},
    };
    std::map<std::string, int64_t> declared;
    for (const auto& constant : platform::portmidi::constantDeclarations()) {
        const auto [name, value] = parse(constant.text);
        declared[std::string(constant.className) + "." + name] = value;
    }
    EXPECT_EQ(declared, program);
}

}  // namespace
