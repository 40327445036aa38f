// The MIDI input scan when the main window opens, and the close when it
// closes, over the PortMidi stand-in.

#include "midi/standin/notelink_standin.h"
#include "midi/standin/portmidi_standin.h"
#include "platform/portmidiclasses.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <cstring>

namespace {

// Devices in id order: 'i' an input, 'o' an output, 'b' an input that is
// busy (held open elsewhere, so its open answers an error).
struct Scan {
    const char* name;
    const char* devices;
    bool failFirstOpen;  // the first open answers a host error
    bool midiinputpos;
    bool streamObject;   // whether s holds an object at all
    int64_t held;        // the device s holds open; -1 for none
};

void PrintTo(const Scan& scan, std::ostream* os) { *os << scan.name; }

class MidiScan : public AppFixture, public testing::WithParamInterface<Scan> {
protected:
    ~MidiScan() override {
        Window1::destroy();
        Module1 = Module1State{};  // releases the stream, closing its device
        busy_.clear();
        portmidi_standin::reset();
    }

    void makedevices(const Scan& scan) {
        portmidi_standin::reset();
        for (const char* d = scan.devices; *d; ++d) {
            if (*d == 'o')
                portmidi_standin::addOutput("Out");
            else
                portmidi_standin::addInput("Keys");
        }
        ASSERT_TRUE(portmidi_standin::loadFreshNotelink());
        for (const char* d = scan.devices; *d; ++d) {
            if (*d != 'b') continue;
            busy_.push_back(std::make_shared<PortMidiStreamVLX>());
            ASSERT_EQ(busy_.back()->OpenInput(d - scan.devices, 10), 0);
        }
        if (scan.failFirstOpen)
            portmidi_standin::failNext(portmidi_standin::Call::OpenInput, pmHostError, "device gone");
    }

    std::vector<std::shared_ptr<PortMidiStreamVLX>> busy_;
};

}  // namespace

TEST_P(MidiScan, TheLastInputThatOpensStaysInUse) {
    const Scan& scan = GetParam();
    makedevices(scan);
    openWindow();
    EXPECT_EQ(Module1.midiinputpos, scan.midiinputpos);
    ASSERT_EQ(Module1.s != nullptr, scan.streamObject);
    if (Module1.s) {
        EXPECT_EQ(Module1.s->DeviceID(), scan.held);
    }
    for (int id = 0; id < int(std::strlen(scan.devices)); ++id) {
        const bool expectOpen = id == scan.held || scan.devices[id] == 'b';
        EXPECT_EQ(portmidi_standin::isOpen(id), expectOpen) << "device " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Devices, MidiScan,
    testing::Values(Scan{"NoDevice", "", false, false, false, -1},
                    Scan{"OutputOnly", "o", false, false, false, -1},
                    Scan{"TwoInputs", "ii", false, true, true, 1},
                    Scan{"OutputBetweenInputs", "ioi", false, true, true, 2},
                    // A later input that fails keeps the stream that opened.
                    Scan{"SecondInputBusy", "ib", false, true, true, 0},
                    Scan{"FirstInputFails", "ii", true, true, true, 1},
                    Scan{"OnlyInputFails", "i", true, false, true, -1}),
    [](const testing::TestParamInfo<Scan>& param) { return std::string(param.param.name); });

class MidiClose : public MidiScan {};

TEST_F(MidiClose, ClosingTheWindowClosesTheInput) {
    makedevices(Scan{"", "ii", false, true, true, 1});
    Window1& w = openWindow();
    ASSERT_TRUE(portmidi_standin::isOpen(1));
    w.frame().close();
    EXPECT_FALSE(portmidi_standin::isOpen(1));
    EXPECT_EQ(Module1.s->DeviceID(), -1);
    EXPECT_EQ(quits, 1);
}
