// The keyboard tap: any key pressed in the off-screen field during a test is
// one tap, set against the next untapped note of the note table. The gates
// and the record of a tap are shared with the MIDI tap (miditaps.cpp).

#include "engine/playsample.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "shell/module1.h"
#include "shell/window1.h"

using platform::Str;
using platform::Val;

namespace {

// Whether `due` lies on the first beat of a bar of `barticks` ticks.
bool onbarstart(double due, int64_t barticks) {
    const int64_t whole = platform::truncateToInteger(due);
    if (double(whole) != due) return false;
    return barticks != 0 ? whole % barticks == 0 : whole == 0;
}

}  // namespace

bool Window1::TextField1_KeyDown(const QString& /*key*/) {
    // Outside a running test (before it, in the start delay, after its end or
    // a STOP) the note table is finished or about to be emptied: a key press
    // must not write into it.
    if (!Timer1.Enabled()) return true;
    if (Module1.midiinput) return true;
    if (tapsrefused()) return true;

    // The tap's moment, read once: its played tick and its place in the bar
    // are two views of the same instant.
    const int64_t now = platform::Ticks();
    if (taptooearly(now)) return false;

    playsample(nextnote);
    ++notesplayedsofar;
    Module1.lastnoteplayed = nextnote;
    if (pagenumber == bars - 1 && notessofar - 4 < notesplayedsofar) {
        // The closing cadence: the last three taps of a test fall 2, 1, 0.
        const int64_t left = notessofar - notesplayedsofar;
        if (left == 3) nextnote = 2;
        if (left == 2) nextnote = 1;
        if (left == 1) nextnote = 0;
    } else {
        nextnote = platform::ValInteger(createnote(Module1.lastnoteplayed));
        if (Module1.lastnoteplayed == 6) Module1.lastnoteplayed = nextnote;
    }

    recordtap(now, true);
    return true;
}

bool Window1::tapsrefused() const {
    // In listen-and-play mode only the last 40 ticks of a LISTEN bar and the
    // PLAY bar take taps, never the count-in.
    if (listenplay && !allowplay) return true;
    if (listenplay && Module1.countin) return true;
    // Every note generated so far has had its tap.
    return notesplayedsofar >= notessofar;
}

bool Window1::taptooearly(int64_t now) const {
    // Before bar 1 only the last 40 ticks of the count-in lead into playing.
    return now - continuoustime < ts(60) * beatsinbar - 40;
}

void Window1::recordtap(int64_t now, bool withpitch) {
    if (Module1.allnotes <= notelist->ListCount() - 1) {
        const int row = int(Module1.allnotes);
        const int64_t barticks = ts(60) * beatsinbar;
        const int64_t taptick = now - continuoustime - barticks;
        const double due = Val(notelist->Cell(row, 0));
        // A tap just before a downbeat note belongs to that note, at the start
        // of the strip, not at the end of the bar it was played in.
        const bool earlydownbeat = onbarstart(due, barticks) && due > double(taptick);
        // A tap on the next bar's first beat that comes before the clock pass
        // which starts that bar is timed against the bar still running, at or
        // past its end; it too belongs at the start of the strip.
        const bool beforebarturn = now - Module1.startruntime >= barticks;
        setplace(notecount, earlydownbeat || beforebarturn ? 0 : tempoplace(now - Module1.startruntime));
        notelist->setCell(row, 1, Str(taptick));
        if (withpitch) notelist->setCell(row, 3, Str(Module1.lastnoteplayed));
    }
    // Taps that have run past the rows still count, so that the next tap
    // goes to the note after them.
    ++Module1.allnotes;
    ++notecount;
    Canvas2->Refresh();
}
