// Input method and MIDI device: the computer keyboard or a MIDI keyboard,
// the MIDI input device that the one input stream `s` holds open, and whether
// a MIDI tap sounds an instrument sample.

#include "platform/messagebox.h"
#include "platform/portmidiclasses.h"
#include "platform/text.h"
#include "shell/module1.h"
#include "windows/optionwin.h"

void optionwin::RadioButton19_Action() {
    Module1.midiinput = false;
    // The device stays open on `s`; the test clock simply does not read it.
    Listbox1->setVisible(false);
}

void optionwin::RadioButton20_Action() {
    if (!Module1.midiinputpos) {
        platform::MsgBox(QStringLiteral("No MIDI input device found."));
        Module1.midiinput = false;
        RadioButton20->setValue(false);
        RadioButton19->setValue(true);
        return;
    }
    Module1.midiinput = true;
    Listbox1->setVisible(true);
    const int64_t count = PortMidiVLX::CountDevices();
    Listbox1->DeleteAllRows();
    for (int64_t id = 0; id < count; ++id) {
        const auto device = PortMidiVLX::DeviceInfo(id);
        if (!device || !device->HasInput()) continue;
        Listbox1->AddRow(device->Name());
        Listbox1->setCell(Listbox1->LastIndex(), 1, platform::Str(id));
    }
}

bool optionwin::Listbox1_CellClick(int row, int) {
    // The list is filled only while an input could be opened at start-up,
    // and then `s` holds a stream object.
    if (!Module1.s) return false;
    PortMidiStreamVLX& stream = *Module1.s;
    const int64_t chosen = platform::ValInteger(Listbox1->Cell(row, 1));
    const int64_t before = stream.DeviceID();
    if (stream.OpenInput(chosen, 100) >= 0) return false;

    // The open closed the device used so far: bring that one back, so that a
    // failed choice does not leave the player without MIDI input unawares.
    const bool reopened = before >= 0 && stream.OpenInput(before, 100) >= 0;
    platform::MsgBox(QStringLiteral("The MIDI device ") + Listbox1->Cell(row, 0) +
                     QStringLiteral(" could not be opened. ") +
                     (reopened ? QStringLiteral("The device used before is still in use.")
                               : QStringLiteral("No MIDI input device is open now.")));
    return false;
}

void optionwin::CheckBox1_Open() { CheckBox1->setValue(Module1.playmidinotes); }

void optionwin::CheckBox1_Action() { Module1.playmidinotes = CheckBox1->Value(); }
