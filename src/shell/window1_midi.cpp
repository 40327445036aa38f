// Opening the MIDI inputs when the main window opens, and closing the input
// when it closes.

#include "platform/portmidiclasses.h"
#include "shell/module1.h"
#include "shell/window1.h"

void Window1::openmidiinputs() {
    Module1.pm = std::make_shared<PortMidiVLX>();  // brings PortMidi up and builds its device list
    const int64_t devices = PortMidiVLX::CountDevices();
    bool opened = false;
    for (int64_t id = 0; id < devices; ++id) {
        const auto info = PortMidiVLX::DeviceInfo(id);
        if (!info || !info->HasInput()) continue;
        auto stream = std::make_shared<PortMidiStreamVLX>();
        if (stream->OpenInput(id, 100) == 0) {
            // The last input that opens is the one in use; the stream it
            // replaces is closed as it is released.
            Module1.s = std::move(stream);
            opened = true;
        } else if (!opened) {
            // No input open yet: keep the object, so that s is set whenever
            // an input device exists. A failed open never replaces an open
            // stream, so a true midiinputpos always has an open stream.
            Module1.s = std::move(stream);
        }
    }
    if (opened) Module1.midiinputpos = true;
}

void Window1::closemidiinput() {
    if (Module1.midiinputpos && Module1.s) Module1.s->Close();
}
