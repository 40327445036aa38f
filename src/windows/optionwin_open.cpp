// Opening the options window: each control is made to show the current
// setting. Radios raise their Actions as they are set, which also brings the
// next-bar slider and the device list into line with the mode and the input
// method; the check boxes, the slider and the accuracy menu are set quietly,
// so that opening the window rewrites no setting.

#include "platform/dispatch.h"
#include "platform/text.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "windows/optionwin.h"

#include <QSignalBlocker>

void optionwin::opened() {
    platform::dispatch("CheckBox2_Open", [this] { CheckBox2_Open(); });
    platform::dispatch("Slider1_Open", [this] { Slider1_Open(); });
    platform::dispatch("CheckBox1_Open", [this] { CheckBox1_Open(); });
    platform::dispatch("PopupMenu1_Open", [this] { PopupMenu1_Open(); });
    platform::dispatch("Event_Open", [this] { Event_Open(); });
}

void optionwin::Event_Open() {
    switch (Module1.level) {
        case 2: RadioButton1->setValue(true); break;
        case 5: RadioButton2->setValue(true); break;
        case 7: RadioButton3->setValue(true); break;
        case 11: RadioButton21->setValue(true); break;
        case 13: RadioButton4->setValue(true); break;
        case 17: RadioButton5->setValue(true); break;
        case 24: RadioButton6->setValue(true); break;
        case 27: RadioButton7->setValue(true); break;
        case 30: RadioButton8->setValue(true); break;
        default: break;
    }

    const Window1& main = Window1::instance();
    switch (main.beatsinbar) {
        case 2: RadioButton9->setValue(true); break;
        case 3: RadioButton10->setValue(true); break;
        case 4: RadioButton11->setValue(true); break;
        case 5: RadioButton12->setValue(true); break;
        default: break;
    }
    switch (main.bars) {
        case 4: RadioButton13->setValue(true); break;
        case 8: RadioButton14->setValue(true); break;
        case 12: RadioButton15->setValue(true); break;
        case 16: RadioButton16->setValue(true); break;
        default: break;
    }
    if (main.listenplay)
        RadioButton17->setValue(true);
    else
        RadioButton18->setValue(true);

    if (Module1.midiinput)
        RadioButton20->setValue(true);
    else
        RadioButton19->setValue(true);

    {
        const QSignalBlocker quiet(Slider1);
        Slider1->setMaximum(90);
        Slider1->setMinimum(0);
        Slider1->setPageStep(10);
        Slider1->setValue(nextbarsliderposition());
    }
    Label14->setText(platform::Str(Module1.earlychange));
}
