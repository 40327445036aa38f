// MIDI taps: with MIDI input chosen, the test clock drains the MIDI input
// stream at the start of every pass and takes each note-on as one tap, set
// against the next untapped note just as a key press would be. A tap is
// timed by the tick count when it is drained, not by the event's timestamp.

#include "engine/playsample.h"
#include "platform/portmidiclasses.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "shell/module1.h"
#include "shell/window1.h"

namespace {

// A note-on on the first MIDI channel; velocity 0 is a note-off by convention.
constexpr int64_t noteonchannel1 = 144;

}  // namespace

void Window1::takemiditaps() {
    // MIDI input is chosen only while an input opened at start-up, and then s
    // holds a stream object; without one there is nothing to drain.
    if (!Module1.s) return;
    PortMidiStreamVLX& stream = *Module1.s;

    const int64_t held = stream.DeviceID();
    if (held >= 0) {
        midireopendevice = held;
    } else {
        // Closed after a fault in a pass, or a failed open: the player's own
        // device comes back, not device 0, which is often no input at all;
        // device 0 only when no device was ever seen open here. A failed
        // open is tried again at the next pass; until then Poll answers an
        // error and the drain below ends at once.
        stream.OpenInput(midireopendevice >= 0 ? midireopendevice : 0, 100);
    }

    // Everything that has arrived is taken in this pass, however much.
    std::shared_ptr<PortMidiEventVLX> event;
    while (stream.Poll() > 0) {
        // A failed read (a lost event, a full buffer) takes no tap; what
        // follows it is still read.
        if (stream.Read(event) != 1 || !event) continue;
        if (event->Status() == noteonchannel1 && event->Data2() != 0) takemiditap();
    }
}

void Window1::takemiditap() {
    if (tapsrefused()) return;
    const int64_t now = platform::Ticks();
    if (taptooearly(now)) return;

    if (Module1.playmidinotes) {
        playsample(nextnote);
        Module1.lastnoteplayed = nextnote;
        if (pagenumber == bars - 1 && notesplayedsofar > notessofar - 4) {
            // The closing cadence, counted before this tap: the last two taps
            // of a test sound 1 and 0.
            const int64_t left = notessofar - notesplayedsofar;
            if (left == 3) nextnote = 1;
            if (left == 2 || left == 1) nextnote = 0;
        } else {
            nextnote = platform::ValInteger(createnote(Module1.lastnoteplayed));
        }
    }
    ++notesplayedsofar;
    // The row keeps the pitch the bar generator gave it.
    recordtap(now, false);
}

void Window1::closemidiafterfault() {
    if (!Module1.s) return;
    const int64_t held = Module1.s->DeviceID();
    if (held >= 0) midireopendevice = held;
    Module1.s->Close();
}
