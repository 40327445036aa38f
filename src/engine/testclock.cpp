// The test clock: one pass every 10 ms while a test runs. It keeps no time of
// its own; every step compares the tick count with the tick counts kept in
// the test's state, so a late pass only delays what falls due in it.

#include "engine/lisplaylabel.h"
#include "engine/playsample.h"
#include "platform/messagebox.h"
#include "platform/portmidiclasses.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <algorithm>

using platform::Ticks;
using platform::Val;

namespace {

// The clock keeps firing while its message box waits for the player; one box
// at a time is enough to tell them, and boxes stacked on boxes would bury the
// window.
bool timer1boxshowing = false;

// The next-bar timing as the options window sets it (10 to 100 beat-
// sixtieths). A damaged value outside that range could put the page change
// past the bar's end, where it never comes and the test never ends.
int64_t continuouslead(const Window1& w) { return w.ts(std::clamp<int64_t>(Module1.earlychange, 10, 100)); }

// Ticks since the first beat of the bar now running, read afresh.
int64_t bartime() { return Ticks() - Module1.startruntime; }

}  // namespace

void Window1::Timer1_Action() {
    try {
        testclockpass();
    } catch (...) {
        // A stream in a bad state may be the cause; closed, the next pass's
        // MIDI intake opens the same device afresh.
        closemidiafterfault();
        if (!timer1boxshowing) {
            timer1boxshowing = true;
            platform::MsgBox(QStringLiteral("Timer1"));
            timer1boxshowing = false;
        }
    }
}

void Window1::testclockpass() {
    const int64_t barticks = ts(60) * beatsinbar;

    // 0. The MIDI taps that have arrived are taken here, first in the pass,
    //    when MIDI input is chosen.
    if (Module1.midiinput) takemiditaps();

    // 1. LISTEN playback, at most one note a pass.
    playduelistennote();

    // 2. How long before the bar's end the next page comes.
    const int64_t lead = listenplay ? 1 : continuouslead(*this);

    // 3. The beat test of step 8 uses this reading.
    newtick = bartime() - lastticktime;

    // 4. The last 40 ticks of a LISTEN bar take early taps for the PLAY bar.
    if (listening && barticks - 40 < bartime()) allowplay = true;

    // 5. Page change, or the end of the test on the last page.
    if (newpagecheck && barticks - lead < bartime() && !Module1.countin) {
        if (pagenumber >= bars - 1 && !listening) {
            endtest();
            return;
        }
        if (!listening) {
            if (listenplay) {
                // The bar just played is over: its untapped notes are passed
                // over, so the next tap goes to the coming bar.
                if (Module1.allnotes < notelist->ListCount()) Module1.allnotes = notelist->ListCount();
                showlisplay(*lisplaylabel, lisplayred, QStringLiteral("LISTEN "));
            }
            Canvas1->Refresh();  // generates the next bar
            newpagecheck = false;
        }
    }

    // 6. The accuracy strip is cleared once, shortly before the bar ends.
    if (barticks - 10 < bartime() && bartime() < barticks - 5 && !refreshcanvas2) {
        place.fill(-1);
        Canvas2->Refresh();
        refreshcanvas2 = true;
    }

    // 7. The count-in is over once its bar has run its length.
    if (barticks - 1 < bartime()) Module1.countin = false;

    // 8. The metronome. Each beat is timed from the one before it.
    if (newtick >= ts(60)) {
        lastticktime = bartime();
        if (Module1.metcount != beatsinbar - 1) catalogue::sound("low")->Play();
        ++Module1.metcount;
        if (Module1.metcount == beatsinbar - 1) {
            if (listening && listenplay && !Module1.countin)
                showlisplay(*lisplaylabel, lisplaygreen, QStringLiteral("PLAY"));
            if (!listenplay && pagenumber == 0) showlisplay(*lisplaylabel, lisplaygreen, QStringLiteral("PLAY"));
            refreshcanvas2 = false;
        }
        if (Module1.metcount == beatsinbar) {
            // The beat just taken is the next bar's first.
            Module1.startruntime = Ticks();
            lastticktime = Ticks() - Module1.startruntime;
            catalogue::sound("hi")->Play();
            if (!listening && listenplay && !Module1.countin && pagenumber == 0)
                showlisplay(*lisplaylabel, lisplayred, QStringLiteral("LISTEN"));
            notecount = 0;
            if (listenplay) {
                if (listening) {
                    listening = false;  // the PLAY bar begins
                } else {
                    // A LISTEN bar begins; it and the PLAY bar after it cover
                    // the same due ticks.
                    allowplay = false;
                    listening = true;
                    continuoustime += barticks;
                    // The bar's first note falls due with its first beat.
                    // Step 1 played nothing in this pass (no LISTEN bar was
                    // running), so the note sounds now, with the hi click,
                    // rather than a pass after it.
                    playduelistennote();
                }
            }
            Module1.metcount = 0;
            newpagecheck = true;
        }
    }
}

void Window1::playduelistennote() {
    if (listening && lastnotesounded <= notelist->ListCount() - 1 &&
        double(Ticks() - continuoustime) >= Val(notelist->Cell(int(lastnotesounded), 0))) {
        playsample(platform::ValInteger(notelist->Cell(int(lastnotesounded), 3)));
        ++lastnotesounded;
    }
}

void Window1::endtest() {
    Timer1.setEnabled(false);
    keepsoundrunning();
    lisplaylabel->hide();
    if (Module1.reptest) {
        BevelButton1->setIcon(catalogue::picture("repeat"));
        Module1.retest = true;
        setrepeat();
        BevelButton5->show();
    } else {
        BevelButton1->setIcon(catalogue::picture("go"));
    }
    correctnotelist();
    Module1.lasttesttickspeed = Module1.tickspeed;
    Canvas1->Refresh();  // the cover, with the clock off
    BevelButton3->setEnabled(true);
    BevelButton3->setIcon(catalogue::picture("results"));
    BevelButton2->setEnabled(true);
    BevelButton2->setIcon(catalogue::picture("options"));
    Slider1->setEnabled(true);
    Canvas2->Refresh();  // keeps the bar's dots in view
    // Scoring the test, updating the totals to date and saving them, last.
    showresults();
}
