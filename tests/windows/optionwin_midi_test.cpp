// The MIDI choices over the PortMidi stand-in: the device list, a click on a
// device, and a device that cannot be opened.

// Before PortMidi's header, whose macros would rewrite the class's constants.
#include "platform/portmidiclasses.h"

#include "midi/standin/notelink_standin.h"
#include "midi/standin/portmidi_standin.h"
#include "shell/module1.h"
#include "windows/windowsfixture.h"

class OptionsMidi : public WindowsTest {
protected:
    // An output first, as a MIDI-mapper output comes first on some systems,
    // and an output between the two inputs.
    OptionsMidi() {
        portmidi_standin::reset();
        portmidi_standin::addOutput("Mapper");
        portmidi_standin::addInput("Keys A");
        portmidi_standin::addOutput("Synth");
        portmidi_standin::addInput("Keys B");
        EXPECT_TRUE(portmidi_standin::loadFreshNotelink());
        // As the main window's start-up leaves it when an input opened.
        Module1.s = std::make_shared<PortMidiStreamVLX>();
        Module1.midiinputpos = true;
    }
    ~OptionsMidi() override { Module1.s.reset(); }

    QStringList rows(const optionwin& o) const {
        QStringList shown;
        for (int r = 0; r < o.Listbox1->ListCount(); ++r)
            shown << o.Listbox1->Cell(r, 0) + QStringLiteral(" ") + o.Listbox1->Cell(r, 1);
        return shown;
    }
};

TEST_F(OptionsMidi, MidiListsTheInputDevicesAndOpensNone) {
    optionwin& o = openoptions();
    o.RadioButton20->click();
    EXPECT_TRUE(Module1.midiinput);
    EXPECT_FALSE(o.Listbox1->isHidden());
    EXPECT_EQ(rows(o), (QStringList{"Keys A 1", "Keys B 3"}));
    EXPECT_TRUE(portmidi_standin::opens().empty());
    EXPECT_TRUE(messages.isEmpty());

    o.RadioButton19->click();
    EXPECT_FALSE(Module1.midiinput);
    EXPECT_TRUE(o.Listbox1->isHidden());
    o.RadioButton20->click();
    EXPECT_EQ(rows(o), (QStringList{"Keys A 1", "Keys B 3"}));  // listed afresh, not twice

    optionwin& again = reopenoptions();
    EXPECT_TRUE(again.RadioButton20->Value());
    EXPECT_EQ(rows(again), (QStringList{"Keys A 1", "Keys B 3"}));
}

TEST_F(OptionsMidi, AClickOpensTheDeviceTheRowShows) {
    optionwin& o = openoptions();
    o.RadioButton20->click();
    for (int row : {1, 0, 0}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(o.Listbox1->CellClick(row, row));
        const int64_t id = row == 0 ? 1 : 3;
        EXPECT_EQ(Module1.s->DeviceID(), id);
        ASSERT_FALSE(portmidi_standin::opens().empty());
        const auto last = portmidi_standin::opens().back();
        EXPECT_EQ(last.deviceId, id);
        EXPECT_TRUE(last.input);
        EXPECT_EQ(last.bufferSize, 100);
    }
    EXPECT_TRUE(Module1.midiinput);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OptionsMidi, AFailedOpenBringsBackTheDeviceInUseAndSaysSo) {
    optionwin& o = openoptions();
    o.RadioButton20->click();
    o.Listbox1->CellClick(1, 0);
    ASSERT_EQ(Module1.s->DeviceID(), 3);

    portmidi_standin::failNext(portmidi_standin::Call::OpenInput, pmHostError, "device busy");
    o.Listbox1->CellClick(0, 0);
    EXPECT_EQ(Module1.s->DeviceID(), 3);
    EXPECT_TRUE(portmidi_standin::isOpen(3));
    EXPECT_EQ(messages, QStringList{"The MIDI device Keys A could not be opened. The device used before is still in use."});
}

TEST_F(OptionsMidi, AFailedOpenWithNothingOpenBeforeSaysNoneIsOpen) {
    optionwin& o = openoptions();
    o.RadioButton20->click();
    portmidi_standin::failNext(portmidi_standin::Call::OpenInput, pmHostError, "device busy");
    o.Listbox1->CellClick(1, 1);
    EXPECT_EQ(Module1.s->DeviceID(), -1);
    EXPECT_EQ(portmidi_standin::opens().size(), 1u);  // nothing to bring back
    EXPECT_EQ(messages, QStringList{"The MIDI device Keys B could not be opened. No MIDI input device is open now."});
}
