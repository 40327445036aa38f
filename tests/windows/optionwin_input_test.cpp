// The input method and the MIDI sound option, without a MIDI input device.

#include "shell/module1.h"
#include "windows/windowsfixture.h"

using OptionsInput = WindowsTest;

TEST_F(OptionsInput, MidiWithoutAnInputDeviceFallsBackToTheKeyboard) {
    ASSERT_FALSE(Module1.midiinputpos);
    optionwin& o = openoptions();
    o.RadioButton20->click();
    EXPECT_EQ(messages, QStringList{"No MIDI input device found."});
    EXPECT_FALSE(Module1.midiinput);
    EXPECT_FALSE(o.RadioButton20->Value());
    EXPECT_TRUE(o.RadioButton19->Value());
    EXPECT_TRUE(o.Listbox1->isHidden());
    EXPECT_TRUE(reopenoptions().RadioButton19->Value());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(OptionsInput, KeyboardHidesTheDeviceList) {
    Module1.midiinput = true;
    Module1.midiinputpos = true;
    optionwin& o = openoptions();
    EXPECT_TRUE(o.RadioButton20->Value());
    EXPECT_FALSE(o.Listbox1->isHidden());
    o.RadioButton19->click();
    EXPECT_FALSE(Module1.midiinput);
    EXPECT_TRUE(o.Listbox1->isHidden());
    EXPECT_TRUE(reopenoptions().RadioButton19->Value());
}

TEST_F(OptionsInput, MidiSoundRoundTrips) {
    for (bool ticked : {true, false}) {
        optionwin& o = reopenoptions();
        o.CheckBox1->click();
        EXPECT_EQ(Module1.playmidinotes, ticked);
        EXPECT_EQ(reopenoptions().CheckBox1->Value(), ticked);
    }
}
