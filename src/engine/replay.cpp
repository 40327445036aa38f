// The replay: each run of replaytimer sounds the next recorded tap once its
// time has come, re-timed from the test's tempo to the tempo now set, and
// clicks a metronome at that tempo. It ends by itself at the first note that
// got no tap, or once every note has sounded.

#include "platform/sound.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "results/resultswin.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"

using platform::Ticks;
using platform::ValInteger;

bool Window1::testinprogress() const { return Timer1.Enabled() || prestarttimer.Enabled(); }

void Window1::keepsoundrunning() {
    platform::soundOutput().keepRunning(testinprogress() || replaytimer.Enabled());
}

void Window1::stopreplay() {
    replaytimer.setEnabled(false);
    keepsoundrunning();
    if (resultswin* results = resultswin::ifopen()) results->BevelButton1->setIcon(catalogue::picture("play"));
    // The slider is locked for the whole of a test; only a replay's own lock is lifted here.
    if (!testinprogress()) Slider1->setEnabled(true);
}

void Window1::replaytimer_Action() {
    // A test started while the replay ran (START does not look at the
    // replay): the test owns the shared counters from now on.
    if (testinprogress()) {
        stopreplay();
        return;
    }
    const int rows = notelist->ListCount();
    if (lastnotesounded >= rows || notelist->Cell(int(lastnotesounded), 1).isEmpty()) {
        stopreplay();
        return;
    }
    if (lastnotesounded <= rows - 1) {
        const int row = int(lastnotesounded);
        const int64_t played = ValInteger(notelist->Cell(row, 1));
        if (replayts(played) <= Ticks() - continuoustime) {
            const int64_t pitch = ValInteger(notelist->Cell(row, 3));
            if (pitch >= 0 && pitch < int64_t(Module1.sounds.size()) && Module1.sounds[size_t(pitch)])
                Module1.sounds[size_t(pitch)]->Play();
            ++lastnotesounded;
        }
    }

    newtick = Ticks() - Module1.startruntime - lastticktime;
    if (newtick >= replaymetts(60)) {
        lastticktime = Ticks() - Module1.startruntime;
        // The bars of the test being replayed, whatever the options say now.
        if (Module1.metcount != lasttestbeatsinbar - 1) catalogue::sound("low")->Play();
        ++Module1.metcount;
        if (Module1.metcount == lasttestbeatsinbar) {
            Module1.startruntime = Ticks();
            lastticktime = Ticks() - Module1.startruntime;
            catalogue::sound("hi")->Play();
            Module1.metcount = 0;
            Module1.countin = false;
        }
    }

    if (lastnotesounded == rows) stopreplay();
}
